// Lookup-list files and the file names of the per-category lists.
#include "ledger/Lists.h"

#include "ledger/CMyTALYDoc.h"
#include "ledger/DataFiles.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr qsizetype kCountSize = 2;
// A list file is a few kilobytes; a larger one is read only this far.
constexpr std::int64_t kMaxListBytes = 16 * 1024 * 1024;

bool ShowLastError() {
    return plat::ShowError(plat::GetLastError());
}

bool IsReservedChar(char16_t c) {
    return c < 0x20 || std::u16string_view(u"\\/:*?\"<>|").find(c) != std::u16string_view::npos;
}

bool IsHex(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

// A "%" followed by four hex digits would read like an escape.
bool LooksEscaped(const QString& text, qsizetype i) {
    if (text[i] != u'%' || i + 4 >= text.size()) return false;
    for (qsizetype k = 1; k <= 4; ++k)
        if (!IsHex(text[i + k].unicode())) return false;
    return true;
}

// Half of a surrogate pair without its other half: the host cannot name a
// file with it, and would turn every such text into the same name.
bool IsLoneSurrogate(const QString& text, qsizetype i) {
    if (text[i].isHighSurrogate()) return i + 1 == text.size() || !text[i + 1].isLowSurrogate();
    if (text[i].isLowSurrogate()) return i == 0 || !text[i - 1].isHighSurrogate();
    return false;
}

bool IsEdgeChar(char16_t c) {
    return c == u'.' || c == u' ';
}

// Index set of the characters that keep the text from being a plain file name.
std::vector<bool> CharsToEscape(const QString& text) {
    std::vector<bool> escape(static_cast<std::size_t>(text.size()), false);
    for (qsizetype i = 0; i < text.size(); ++i)
        escape[static_cast<std::size_t>(i)] =
            IsReservedChar(text[i].unicode()) || LooksEscaped(text, i) || IsLoneSurrogate(text, i);
    if (text.startsWith(QStringLiteral(".."))) escape[0] = true;
    // Reading a folder's names back drops a leading byte-order mark.
    if (text.startsWith(QChar(0xFEFF))) escape[0] = true;
    if (!text.isEmpty() && IsEdgeChar(text.back().unicode())) escape.back() = true;
    return escape;
}

QString EscapeUnit(QChar c) {
    return QStringLiteral("%%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QStringList DecodeListFile(const QByteArray& bytes) {
    QStringList texts;
    const qsizetype units = (bytes.size() - kCountSize) / 2;
    QString current;
    for (qsizetype u = 0; u < units; ++u) {
        char16_t c;
        std::memcpy(&c, bytes.constData() + kCountSize + 2 * u, 2);
        if (c != u'\0') {
            current.append(QChar(c));
            continue;
        }
        if (current.isEmpty()) return texts; // the empty text ends the list
        texts.append(current);
        current.clear();
    }
    if (!current.isEmpty()) texts.append(current); // a last text without its NUL
    return texts;
}

QByteArray EncodeListFile(const QStringList& texts) {
    QStringList kept = texts;
    kept.removeAll(QString()); // an empty text would end the list early
    kept = kept.mid(0, 0xFFFF);
    const auto count = static_cast<std::uint16_t>(kept.size());
    QByteArray bytes(reinterpret_cast<const char*>(&count), kCountSize);
    for (const QString& t : kept) {
        bytes.append(reinterpret_cast<const char*>(t.utf16()), t.size() * 2);
        bytes.append(2, '\0');
    }
    bytes.append(2, '\0');
    return bytes;
}

QStringList ReadListFile(const QString& path, ListDefault whenShort, bool* ok) {
    bool dummy = false;
    bool& success = ok ? *ok : dummy;
    success = false;
    plat::File file;
    if (!file.open(path, plat::GENERIC_READ, plat::FILE_SHARE_READ,
                   plat::Disposition::OpenAlways)) {
        ShowLastError();
        return {};
    }
    const std::int64_t size = file.size();
    if (size < 0) {
        ShowLastError();
        return {};
    }
    success = true;
    if (size < 3) return whenShort == ListDefault::Other ? QStringList{kOtherText} : QStringList{};
    QByteArray bytes(static_cast<qsizetype>(std::min(size, kMaxListBytes)), '\0');
    std::uint32_t got = 0;
    if (!file.read(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &got)) {
        success = false;
        ShowLastError();
        return {};
    }
    bytes.truncate(got);
    return DecodeListFile(bytes);
}

bool WriteListFile(const QString& path, const QStringList& texts) {
    const QByteArray bytes = EncodeListFile(texts);
    plat::AtomicFile file;
    if (file.open(path) &&
        file.write(bytes.constData(), static_cast<std::uint32_t>(bytes.size())) && file.commit())
        return true;
    ShowLastError();
    file.abandon();
    return false;
}

bool WriteListMostRecentFirst(const QString& path, const QStringList& list, const QString& chosen) {
    QStringList ordered{chosen};
    for (const QString& t : list)
        if (t != chosen) ordered.append(t);
    return WriteListFile(path, ordered);
}

QString SafeFileName(const QString& text) {
    const std::vector<bool> escape = CharsToEscape(text);
    if (std::find(escape.begin(), escape.end(), true) == escape.end()) return text;
    // Escaping: every "%" is escaped too, so the result reads back one way only,
    // and it always holds a "%XXXX" that no verbatim name holds.
    QString safe;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (escape[static_cast<std::size_t>(i)] || text[i] == u'%')
            safe += EscapeUnit(text[i]);
        else
            safe += text[i];
    }
    return safe;
}

QString CategoryListPath(const CMyTALYDoc& doc) {
    return doc.DataPath(datafile::kCategories);
}

QString PayMethodListPath(const CMyTALYDoc& doc) {
    return doc.DataPath(datafile::kPayMethods);
}

namespace {
QString PerCategoryPath(const CMyTALYDoc& doc, const QString& folder, const QString& category) {
    return doc.DataPath(folder + u'\\' + SafeFileName(category) + QStringLiteral(".DAT"));
}
} // namespace

QString RemarkListPath(const CMyTALYDoc& doc, const QString& category) {
    return PerCategoryPath(doc, datafile::kRemarkFolder, category);
}

QString PayeeListPath(const CMyTALYDoc& doc, const QString& category) {
    return PerCategoryPath(doc, datafile::kPayeeFolder, category);
}

QString CategoryListPathForPair(const CMyTALYDoc& doc, const QString& pairSuffix,
                                const QString& category) {
    if (pairSuffix == datafile::kRemarkPair) return RemarkListPath(doc, category);
    if (pairSuffix == datafile::kPayeePair) return PayeeListPath(doc, category);
    return {};
}
