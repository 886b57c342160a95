// The document: the linked list of ledger nodes in a private heap, its save
// states, and opening and closing the data of a folder.
#include "ledger/CMyTALYDoc.h"

#include "ledger/DataFiles.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"

namespace {

constexpr std::size_t kInitialHeapSize = 0x100000;

} // namespace

CMyTALYDoc::CMyTALYDoc() {
    LoadSettings();
    MigrateOldFileNames();
    OpenData();
    m_bHarunoDevice = DetectHarunoDevice();
}

CMyTALYDoc::~CMyTALYDoc() {
    plat::HeapDestroy(m_hHeap);
}

bool CMyTALYDoc::AddRecord(const InOutRecord& r) {
    auto* node =
        m_hHeap ? static_cast<LedgerNode*>(plat::HeapAlloc(m_hHeap, sizeof(LedgerNode))) : nullptr;
    if (!node) {
        plat::ShowError(m_hHeap ? plat::GetLastError() : plat::ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    node->record = r;
    node->next = nullptr;
    (m_pTail ? m_pTail->next : m_pHead) = node;
    m_pTail = node;
    node->record.id = static_cast<std::int32_t>(++m_nCount);
    // Additions after a deletion or replacement still need a full rewrite.
    m_bAppendOnly = !m_bDirty || m_bAppendOnly;
    m_bDirty = true;
    m_nBalance -= r.amount;
    if (!m_pFirstUnsaved) m_pFirstUnsaved = node;
    return true;
}

bool CMyTALYDoc::AddRecordAndSave(const InOutRecord& r) {
    if (!AddRecord(r)) return false;
    if (m_bSaveOnChange) SaveAll();
    return true;
}

const LedgerNode* CMyTALYDoc::FindRecord(std::int32_t id) const {
    return FindNode(id);
}

LedgerNode* CMyTALYDoc::FindNode(std::int32_t id) const {
    LedgerNode* n = m_pHead;
    for (std::uint32_t i = 0; n && i < m_nCount; ++i, n = n->next)
        if (n->record.id == id) return n;
    return nullptr;
}

bool CMyTALYDoc::DeleteRecord(std::int32_t id) {
    LedgerNode* prev = nullptr;
    LedgerNode* n = m_pHead;
    for (std::uint32_t i = 0; n && i < m_nCount && n->record.id != id; ++i) {
        prev = n;
        n = n->next;
    }
    if (!n || n->record.id != id) return false;
    (prev ? prev->next : m_pHead) = n->next;
    if (m_pTail == n) m_pTail = prev;
    if (m_pFirstUnsaved == n) m_pFirstUnsaved = nullptr; // never leave it dangling
    m_nBalance += n->record.amount;
    for (LedgerNode* later = n->next; later; later = later->next)
        --later->record.id;
    plat::HeapFree(m_hHeap, n, sizeof(LedgerNode));
    --m_nCount;
    m_bDirty = true;
    m_bAppendOnly = false;
    return true;
}

bool CMyTALYDoc::ReplaceRecord(std::int32_t id, const InOutRecord& r) {
    LedgerNode* n = FindNode(id);
    if (!n) return false;
    m_nBalance += static_cast<std::int64_t>(n->record.amount) - r.amount;
    n->record = r;
    n->record.id = id; // the id is the node's position, whatever the caller passed
    m_bDirty = true;
    m_bAppendOnly = false;
    return true;
}

void CMyTALYDoc::OpenData() {
    m_hHeap = plat::HeapCreate(kInitialHeapSize);
    if (!m_hHeap) {
        plat::MessageBox(
            QStringLiteral(u"メモリを確保できませんでした。他のアプリケーションを終了して、"
                           u"起動しなおしてください。"),
            QStringLiteral(u"メモリ不足"), plat::MB_OK);
        return;
    }
    // The data folder itself first: on a first start nothing has made it yet.
    for (const QString& folder : {QString(), datafile::kRemarkFolder, datafile::kPayeeFolder}) {
        const QString path = DataPath(folder);
        if (path.isEmpty()) continue;
        plat::CreateDirectory(path); // an existing folder is fine
        // A rewrite cut by a crash left its new file, as large as the old one.
        plat::RemoveUnfinishedReplacements(path);
    }
    LoadLedger();
    LoadTemplates();
}

bool CMyTALYDoc::CloseData() {
    const bool ledgerSaved = SaveLedger();
    const bool templatesSaved = SaveTemplates();
    if (!ledgerSaved || !templatesSaved) return false; // keep everything for a later try
    ReleaseData();
    return true;
}

void CMyTALYDoc::ReleaseData() {
    plat::HeapDestroy(m_hHeap);
    m_hHeap = nullptr;
    ForgetLedger();
}

void CMyTALYDoc::ForgetLedger() {
    m_pHead = m_pTail = m_pFirstUnsaved = nullptr;
    m_nCount = 0;
    m_nBalance = 0;
    m_bDirty = m_bAppendOnly = false;
}

CMyTALYDoc::LedgerSave CMyTALYDoc::NextLedgerSave() const {
    if (!m_bDirty) return LedgerSave::Nothing;
    // Never append behind records that were not read, nor to a file of the old layout.
    const bool append = m_bAppendOnly && m_pFirstUnsaved && !m_bFileUnread && m_nFileVersion != 0;
    return append ? LedgerSave::Append : LedgerSave::Rewrite;
}

void CMyTALYDoc::UseMonthForDetailList() {
    if ((m_dwFlags & OPT_DETAIL_YEAR_TO_MONTH) && (m_dwFlags & PERIOD_MASK) == PERIOD_YEAR)
        m_dwFlags = (m_dwFlags & ~PERIOD_MASK) | PERIOD_MONTH;
}

bool CMyTALYDoc::SaveAll() {
    const bool settingsSaved = SaveSettings();
    const bool ledgerSaved = SaveLedger();
    const bool templatesSaved = SaveTemplates();
    return settingsSaved && ledgerSaved && templatesSaved;
}

ListHeaderInfo* CMyTALYDoc::HeaderInfoFor(int columns) {
    switch (columns) {
    case 2:
        return &m_ListHeaderInfo2;
    case 3:
        return &m_ListHeaderInfo3;
    case 4:
        return &m_ListHeaderInfo4;
    case 5:
        return &m_ListHeaderInfo5;
    default:
        return nullptr;
    }
}
