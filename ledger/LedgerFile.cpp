// Loading and saving "\\収支.DAT": the whole ledger is read into heap nodes in
// large blocks; a save rewrites the file atomically or, when only records were
// added, writes the new records at their own offset and then the header.
#include "ledger/LedgerFile.h"

#include "ledger/CMyTALYDoc.h"
#include "ledger/DataFiles.h"
#include "ledger/Settings.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"
#include "platform/Registry.h"

#include <QDateTime>
#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Records per block read or written: about 1 MB, so that a large ledger moves
// in a few hundred calls and the buffer stays in the cache.
constexpr std::uint32_t kRecordsPerBlock = 5600;

bool ShowLastError() {
    return plat::ShowError(plat::GetLastError());
}

// What the header (or the old layout's count) says about the file.
struct LedgerLayout {
    std::uint32_t recordSize = kOldRecordSize;
    std::uint32_t version = 0;
    std::uint32_t reservedWord = 0;
    std::uint32_t count = 0;
    bool readFailed = false; // a read call failed (ShowError already shown)
};

// Reads as many bytes as the file holds up to size; false only when the read fails.
bool ReadUpTo(plat::File& file, void* buffer, std::uint32_t size, std::uint32_t* got) {
    *got = 0;
    return file.read(buffer, size, got);
}

LedgerLayout ReadLayout(plat::File& file) {
    LedgerLayout layout;
    char magic[4] = {};
    std::uint32_t got = 0;
    if (!ReadUpTo(file, magic, sizeof magic, &got)) {
        layout.readFailed = true;
        layout.reservedWord = 1;
        return layout;
    }
    if (got == sizeof magic && HasTalyMagic(magic)) {
        std::uint32_t words[3] = {};
        if (!ReadUpTo(file, words, sizeof words, &got)) {
            layout.readFailed = true;
            layout.reservedWord = 1;
            return layout;
        }
        if (got < sizeof words) return layout; // a header cut short holds no records
        layout = {kRecordSize, words[0], words[1], words[2], false};
        if (layout.version == 0) layout.version = kLedgerVersion; // "TALY" means 184-byte records
        return layout;
    }
    std::uint16_t count = 0;
    if (!file.seek(0, plat::SeekOrigin::Begin) || !ReadUpTo(file, &count, sizeof count, &got)) {
        layout.readFailed = true;
        return layout;
    }
    if (got == sizeof count) layout.count = count;
    return layout;
}

// How far to read: the file's size must fit its layout. The current layout
// may hold, beyond the header's count, complete records and one torn record
// that a cut append left; whether those records are the append's is known
// only once their ids are read.
struct LoadPlan {
    std::uint32_t records = 0; // complete records to read at most
    std::uint32_t counted = 0; // of these, the ones the header counts
    bool damaged = false;      // the size already does not fit
};

LoadPlan PlanLoad(const LedgerLayout& layout, std::int64_t size) {
    if (size == 0) return {};
    const bool current = layout.recordSize == kRecordSize;
    const std::int64_t headerSize = current ? kLedgerHeaderSize : sizeof(std::uint16_t);
    if (size < headerSize) return {0, 0, true};
    const std::int64_t complete =
        std::min<std::int64_t>((size - headerSize) / layout.recordSize, UINT32_MAX);
    const auto records = static_cast<std::uint32_t>(complete);
    // An old-layout file is nothing but whole records after its count; any
    // other size means the first bytes are no count at all (a damaged header).
    if (!current && ((size - headerSize) % layout.recordSize != 0 || complete > layout.count))
        return {0, 0, true};
    if (complete < layout.count) return {records, records, true}; // cut short: keep what is whole
    return {records, layout.count, false};
}

// Collects records into blocks and hands each full block to a writer.
template <typename Sink> class BlockWriter {
public:
    explicit BlockWriter(Sink sink) : m_sink(sink) { m_buffer.reserve(kRecordsPerBlock); }
    bool add(const InOutRecord& r) {
        m_buffer.push_back(r);
        return m_buffer.size() < kRecordsPerBlock || flush();
    }
    bool flush() {
        if (m_buffer.empty()) return true;
        const bool ok =
            m_sink(m_buffer.data(), static_cast<std::uint32_t>(m_buffer.size() * kRecordSize));
        m_buffer.clear();
        return ok;
    }

private:
    Sink m_sink;
    std::vector<InOutRecord> m_buffer;
};

// Numbers the nodes from `first` on, starting at id, and writes them through sink.
template <typename Sink> bool WriteNodes(LedgerNode* first, std::int32_t id, Sink sink) {
    BlockWriter<Sink> writer(sink);
    for (LedgerNode* n = first; n; n = n->next) {
        n->record.id = id++;
        if (!writer.add(n->record)) return false;
    }
    return writer.flush();
}

} // namespace

bool HasTalyMagic(const void* firstFour) {
    return std::memcmp(firstFour, kTalyMagic, sizeof kTalyMagic) == 0;
}

LedgerFileHeader MakeLedgerHeader(std::uint32_t reservedWord, std::uint32_t count) {
    LedgerFileHeader h{};
    std::memcpy(h.magic, kTalyMagic, sizeof kTalyMagic);
    h.version = kLedgerVersion;
    h.reservedWord = reservedWord;
    h.count = count;
    return h;
}

void DecodeRecord(const std::uint8_t* bytes, std::size_t recordSize, InOutRecord* r) {
    const std::size_t n = std::min(recordSize, kRecordSize);
    std::memcpy(r, bytes, n);
    if (n < kRecordSize) std::memset(reinterpret_cast<std::uint8_t*>(r) + n, 0, kRecordSize - n);
}

// ---------------------------------------------------------------------------

// Fills the document's list from the file's records. Returns false when the
// load must count as failed (nothing usable read).
class CMyTALYDoc::LedgerLoader {
public:
    LedgerLoader(CMyTALYDoc& doc, plat::File& file, std::uint32_t recordSize, std::uint32_t counted)
        : m_doc(doc), m_file(file), m_recordSize(recordSize), m_counted(counted) {}

    // Reads up to `wanted` records; beyond the counted ones only while each
    // carries the next id, as an append writes them. *stoppedEarly tells
    // whether a read or an allocation failed.
    bool load(std::uint32_t wanted, bool* stoppedEarly) {
        std::vector<std::uint8_t> block(static_cast<std::size_t>(m_recordSize) * kRecordsPerBlock);
        std::uint32_t loaded = 0;
        while (loaded < wanted) {
            const std::uint32_t n = std::min(wanted - loaded, kRecordsPerBlock);
            std::uint32_t got = 0;
            if (!m_file.read(block.data(), n * m_recordSize, &got))
                return stop(loaded, stoppedEarly);
            const std::uint32_t complete = got / m_recordSize;
            if (!appendNodes(block.data(), complete, &loaded)) return stop(loaded, stoppedEarly);
            if (m_foreignTail) break;
            if (complete < n) {
                plat::SetLastError(plat::ERROR_HANDLE_EOF);
                return stop(loaded, stoppedEarly);
            }
        }
        *stoppedEarly = false;
        return true;
    }

private:
    // Whether a record beyond the header's count is not the next one appended.
    bool isForeign(const std::uint8_t* bytes, std::uint32_t index) const {
        if (index < m_counted) return false;
        std::int32_t id = 0;
        std::memcpy(&id, bytes, sizeof id);
        return id != static_cast<std::int32_t>(index + 1);
    }

    bool appendNodes(const std::uint8_t* bytes, std::uint32_t n, std::uint32_t* loaded) {
        for (std::uint32_t i = 0; i < n; ++i) {
            const std::uint8_t* stored = bytes + static_cast<std::size_t>(i) * m_recordSize;
            if (isForeign(stored, *loaded)) {
                m_foreignTail = true;
                return true;
            }
            auto* node =
                static_cast<LedgerNode*>(plat::HeapAlloc(m_doc.m_hHeap, sizeof(LedgerNode)));
            if (!node) return false;
            DecodeRecord(stored, m_recordSize, &node->record);
            node->record.id = static_cast<std::int32_t>(++*loaded);
            node->next = nullptr;
            m_doc.m_nBalance -= node->record.amount;
            (m_doc.m_pTail ? m_doc.m_pTail->next : m_doc.m_pHead) = node;
            m_doc.m_pTail = node;
            m_doc.m_nCount = *loaded;
        }
        return true;
    }

    // A failed read or allocation: shown once; what was read so far stays.
    bool stop(std::uint32_t loaded, bool* stoppedEarly) {
        ShowLastError();
        *stoppedEarly = true;
        return loaded > 0;
    }

    CMyTALYDoc& m_doc;
    plat::File& m_file;
    std::uint32_t m_recordSize;
    std::uint32_t m_counted;
    bool m_foreignTail = false;
};

namespace {

void RecordLastDataFolder(const CMyTALYDoc& doc) {
    QString folder;
    if (!doc.GetDataPath(&folder, QString())) return;
    plat::HKEY key = nullptr;
    if (plat::RegCreateKeyEx(plat::HKEY_LOCAL_MACHINE, settings::kKey, &key) != plat::ERROR_SUCCESS)
        return;
    plat::RegSetValueEx(key, settings::kLastDataFolder, plat::REG_SZ, folder.utf16(),
                        static_cast<plat::DWORD>((folder.size() + 1) * 2));
    plat::RegCloseKey(key);
}

} // namespace

// A reload replaces the ledger: the old nodes go with their heap.
bool CMyTALYDoc::RenewHeap() {
    if (!m_pHead) return true;
    plat::Heap* fresh = plat::HeapCreate(0x100000);
    if (!fresh) return false;
    plat::HeapDestroy(m_hHeap);
    m_hHeap = fresh;
    ForgetLedger();
    return true;
}

bool CMyTALYDoc::LoadLedger() {
    if (!m_hHeap || !RenewHeap()) return false;
    ForgetLedger();
    const QString path = DataPath(datafile::kLedger);
    if (path.isEmpty()) return false;

    plat::File file;
    if (!file.open(path, plat::GENERIC_READ, plat::FILE_SHARE_NONE,
                   plat::Disposition::OpenAlways)) {
        ShowLastError();
        m_nFileVersion = 0;
        m_nFileReserved = 1;
        m_bFileUnread = true;
        return false;
    }
    const LedgerLayout layout = ReadLayout(file);
    m_nFileVersion = layout.version;
    m_nFileReserved = layout.reservedWord;
    m_bFileUnread = layout.readFailed;
    if (layout.readFailed) {
        ShowLastError();
        return false;
    }
    const std::int64_t size = file.size();
    if (size < 0) {
        ShowLastError();
        m_bFileUnread = true;
        return false;
    }
    const LoadPlan plan = PlanLoad(layout, size);
    if (plan.records == 0 && !plan.damaged) return true;
    bool stoppedEarly = false;
    LedgerLoader loader(*this, file, layout.recordSize, plan.counted);
    const bool any = plan.records > 0 && loader.load(plan.records, &stoppedEarly);
    file.close();
    const std::int64_t unread = size - RecordOffset(m_nCount);
    const bool damaged =
        !stoppedEarly && (plan.damaged || (layout.recordSize == kRecordSize &&
                                           unread >= static_cast<std::int64_t>(kRecordSize)));
    m_bFileUnread = stoppedEarly || damaged;
    if (damaged) {
        // Kept aside by the next save, never written over as if it had been read.
        plat::ShowError(plat::ERROR_INVALID_DATA);
        if (!any) m_nFileReserved = 1;
    }
    if (!any) {
        // Nothing usable: the next save writes the current layout afresh.
        ForgetLedger();
        m_nFileVersion = 0;
        if (!damaged) m_nFileReserved = 0;
        return false;
    }
    if (!m_bFileUnread) RecordLastDataFolder(*this);
    return true;
}

// ---------------------------------------------------------------------------

bool CMyTALYDoc::SaveWhole(const QString& path) {
    plat::AtomicFile file;
    if (!file.open(path)) {
        ShowLastError();
        return false;
    }
    const LedgerFileHeader header = MakeLedgerHeader(m_nFileReserved, m_nCount);
    const bool ok = file.write(&header, sizeof header) &&
                    WriteNodes(m_pHead, 1,
                               [&file](const void* data, std::uint32_t size) {
                                   return file.write(data, size);
                               }) &&
                    file.commit();
    if (!ok) {
        ShowLastError();
        file.abandon();
    }
    return ok;
}

// Records first, at the offset that follows the saved ones (over any torn tail
// of an earlier cut-off save), then the header: a cut at any byte leaves the
// saved records and a count no higher than the records present.
CMyTALYDoc::AppendResult CMyTALYDoc::SaveAppended(const QString& path) {
    plat::File file;
    if (!file.open(path, plat::GENERIC_READ | plat::GENERIC_WRITE, plat::FILE_SHARE_NONE,
                   plat::Disposition::OpenAlways)) {
        ShowLastError();
        return AppendResult::Failed;
    }
    const std::int32_t firstId = m_pFirstUnsaved->record.id;
    const std::int64_t offset = RecordOffset(static_cast<std::uint32_t>(firstId - 1));
    if (file.size() < offset) return AppendResult::NeedsRewrite; // the saved records are gone
    const LedgerFileHeader header = MakeLedgerHeader(m_nFileReserved, m_nCount);
    const bool ok = file.seek(offset, plat::SeekOrigin::Begin) &&
                    WriteNodes(m_pFirstUnsaved, firstId,
                               [&file](const void* data, std::uint32_t size) {
                                   return file.write(data, size);
                               }) &&
                    file.flush() && file.seek(0, plat::SeekOrigin::Begin) &&
                    file.write(&header, sizeof header) && file.flush();
    if (!ok) ShowLastError();
    return ok ? AppendResult::Done : AppendResult::Failed;
}

bool CMyTALYDoc::SaveLedger() {
    const LedgerSave kind = NextLedgerSave();
    if (kind == LedgerSave::Nothing) return true;
    if (!m_hHeap) return false;
    const QString path = DataPath(datafile::kLedger);
    if (path.isEmpty()) return false;
    if (m_bFileUnread) {
        if (!plat::KeepFileAside(path)) {
            ShowLastError();
            return false;
        }
        m_bFileUnread = false;
    }
    bool appended = false;
    if (kind == LedgerSave::Append) {
        const AppendResult r = SaveAppended(path);
        if (r == AppendResult::Failed) return false;
        appended = r == AppendResult::Done;
    }
    if (!appended && !SaveWhole(path)) return false;
    m_nFileVersion = kLedgerVersion;
    m_bAppendOnly = m_bDirty = false;
    m_pFirstUnsaved = nullptr;
    return true;
}
