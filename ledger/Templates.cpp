// The ten template table and "\\TEIBAN.DAT"; the one-time renaming of data
// files with older English names.
#include "ledger/CMyTALYDoc.h"
#include "ledger/DataFiles.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint32_t kTemplateVersion = 1;
constexpr std::size_t kMaxTemplateFile =
    kTemplateHeaderSize + sizeof(TemplateRecord) * kTemplateSlots;

void DecodeOldSlot(const char* bytes, TemplateRecord* slot) {
    std::memcpy(slot->name, bytes, sizeof slot->name);
    std::memcpy(&slot->record, bytes + sizeof slot->name, kOldRecordSize);
}

} // namespace

void ClearTemplateSlot(TemplateRecord* slot) {
    std::memset(slot, 0, sizeof *slot);
    SetFieldText(slot->name, kUnsetTemplateName);
}

void ClearTemplateSlots(TemplateSlots* table) {
    for (TemplateRecord& t : *table)
        ClearTemplateSlot(&t);
}

void DecodeTemplateFile(const QByteArray& bytes, TemplateSlots* table) {
    ClearTemplateSlots(table);
    const bool current =
        bytes.size() >= 4 && std::memcmp(bytes.constData(), kTalyMagic, sizeof kTalyMagic) == 0;
    const qsizetype start = current ? static_cast<qsizetype>(kTemplateHeaderSize) : 0;
    const qsizetype size = current ? sizeof(TemplateRecord) : kOldTemplateSize;
    for (std::size_t i = 0; i < kTemplateSlots; ++i) {
        const qsizetype at = start + static_cast<qsizetype>(i) * size;
        if (at + size > bytes.size()) break;
        if (current)
            std::memcpy(&(*table)[i], bytes.constData() + at, sizeof(TemplateRecord));
        else
            DecodeOldSlot(bytes.constData() + at, &(*table)[i]);
    }
}

QByteArray EncodeTemplateFile(const TemplateSlots& table) {
    QByteArray bytes(kTalyMagic, sizeof kTalyMagic);
    bytes.append(reinterpret_cast<const char*>(&kTemplateVersion), 4);
    for (const TemplateRecord& t : table) {
        if (!IsTemplateUsed(t)) break; // used table are always the first ones
        bytes.append(reinterpret_cast<const char*>(&t), sizeof t);
    }
    return bytes;
}

void CMyTALYDoc::LoadTemplates() {
    ClearTemplateSlots(&m_Templates);
    m_bTemplatesDirty = false;
    plat::File file;
    if (!file.open(DataPath(datafile::kTemplates), plat::GENERIC_READ, plat::FILE_SHARE_READ,
                   plat::Disposition::OpenAlways))
        return; // no templates, silently
    QByteArray bytes(kMaxTemplateFile, '\0');
    std::uint32_t got = 0;
    if (!file.read(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &got)) return;
    bytes.truncate(got);
    DecodeTemplateFile(bytes, &m_Templates);
}

bool CMyTALYDoc::SaveTemplates() {
    if (!m_bTemplatesDirty) return true;
    const QByteArray bytes = EncodeTemplateFile(m_Templates);
    plat::AtomicFile file;
    const QString path = DataPath(datafile::kTemplates);
    if (!path.isEmpty() && file.open(path) &&
        file.write(bytes.constData(), static_cast<std::uint32_t>(bytes.size())) && file.commit()) {
        m_bTemplatesDirty = false;
        return true;
    }
    file.abandon(); // the old file stays; the table stay marked changed
    plat::MessageBox(QStringLiteral(u"定番データを保存できませんでした。"),
                     QStringLiteral(u"書き込みエラー"), plat::MB_OK | plat::MB_ICONSTOP);
    return false;
}

void CMyTALYDoc::MigrateOldFileNames() {
    const std::pair<QString, QString> renames[] = {
        {datafile::kOldCategories, datafile::kCategories},
        {datafile::kOldPayMethods, datafile::kPayMethods},
        {datafile::kOldLedger, datafile::kLedger},
    };
    for (const auto& [oldSuffix, newSuffix] : renames) {
        const QString from = DataPath(oldSuffix);
        const QString to = DataPath(newSuffix);
        if (from.isEmpty() || to.isEmpty() || !plat::GetFileAttributes(from).exists) continue;
        // The old file goes only once its contents are safe under the new name.
        // An empty new file holds nothing to keep: a start whose copy failed
        // leaves one when it creates the missing file.
        const bool kept = plat::GetFileAttributes(to).size > 0 || plat::CopyFile(from, to, false);
        if (kept) plat::DeleteFile(from);
    }
}
