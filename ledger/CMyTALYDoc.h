// The single document: every ledger entry, the ten templates and every setting,
// for the life of the process. Dialogs get a pointer to it from their opener,
// walk the list from m_pHead, and change it only through the operations below.
#pragma once

#include "ledger/InOutRecord.h"
#include "ledger/ListHeaderInfo.h"
#include "ledger/Options.h"
#include "ledger/TemplateRecord.h"
#include "platform/Heap.h"

#include <QString>
#include <array>
#include <cstdint>

class QObject;

class CMyTALYDoc {
public:
    // LoadSettings, MigrateOldFileNames, OpenData, handset detection, in that order.
    CMyTALYDoc();
    ~CMyTALYDoc();
    CMyTALYDoc(const CMyTALYDoc&) = delete;
    CMyTALYDoc& operator=(const CMyTALYDoc&) = delete;

    // --- Ledger store -------------------------------------------------------
    // Appends a copy of r with id = the new count. False (ShowError shown, list
    // unchanged) when no node can be allocated or the data is closed.
    bool AddRecord(const InOutRecord& r);
    // AddRecord, then SaveAll when saving on every change: what every task that
    // stores a new entry does. False when the entry could not be added.
    bool AddRecordAndSave(const InOutRecord& r);
    // False when no record has this id; later records move up one id.
    bool DeleteRecord(std::int32_t id);
    // Copies all 184 bytes of r over the record with this id. False when missing.
    bool ReplaceRecord(std::int32_t id, const InOutRecord& r);
    // The first node with this id among the first m_nCount nodes, or null.
    const LedgerNode* FindRecord(std::int32_t id) const;

    // Read access to the list: walk from m_pHead along next.
    const LedgerNode* Head() const { return m_pHead; }
    const LedgerNode* Tail() const { return m_pTail; }
    std::uint32_t Count() const { return m_nCount; }
    std::int64_t Balance() const { return m_nBalance; } // income − expenses
    bool IsOpen() const { return m_hHeap != nullptr; }

    // What the next SaveLedger writes, from the save state: nothing when the
    // ledger is clean; the new records and the header when every change since
    // the last save was an addition to a file that was read whole; else the whole file.
    enum class LedgerSave { Nothing, Append, Rewrite };
    LedgerSave NextLedgerSave() const;
    bool IsDirty() const { return m_bDirty; }
    // The first node added since the last save, or null.
    const LedgerNode* FirstUnsaved() const { return m_pFirstUnsaved; }
    // The last load failed or stopped early: the file may hold records that are
    // not in memory. The next save keeps it aside under a dated name first.
    bool FileUnread() const { return m_bFileUnread; }

    // Creates the heap and the sub-folders, loads the ledger and the templates.
    void OpenData();
    // Saves ledger and templates, then releases them. When a save fails the
    // error has been shown, nothing is released and the result is false.
    bool CloseData();
    // Settings, ledger, templates, in that order. False when any of them failed.
    bool SaveAll();
    // Destroys the heap and empties the list without saving (exit after SaveAll).
    void ReleaseData();

    // --- Bulk operations on a period and CSV files (CsvTransfer.cpp) ----------
    // Deletes every entry whose date and time lie in [first, last] in one pass
    // and renumbers the rest once: the same ids, balance and save state as
    // deleting them one by one. Returns how many were deleted.
    int DeletePeriod(plat::TimeValue first, plat::TimeValue last);
    // Writes the entries of [first, last] to a CSV file, in list order. An
    // earlier file of that name is replaced only when every byte was written;
    // false (last error set, earlier file kept, nothing written) otherwise.
    bool ExportCsv(const QString& path, plat::TimeValue first, plat::TimeValue last, int* count);
    struct CsvImport {
        bool opened = false;
        int added = 0;
        int skipped = 0;     // lines with an invalid date or amount, or no line end
        int stoppedLine = 0; // the line that ended the reading early, 0 when none
    };
    // Appends the entries of a CSV file with new ids and shows the outcome:
    // the file could not be opened, or how many entries were read (and how many
    // lines were not). An entry that cannot be added ends the import.
    CsvImport ImportCsv(const QString& path);

    // --- Ledger file (LedgerFile.cpp) ---------------------------------------
    bool LoadLedger();
    bool SaveLedger();

    // --- Settings (Settings.cpp) ---------------------------------------------
    // Defaults, then the legacy file, then the registry. An existing registry
    // file that cannot be read is shown (ShowError) and left alone.
    void LoadSettings();
    // Writes every setting to the registry. False (ShowError with the first
    // failure's code) when any write failed. Skipped, true, when the registry
    // file could not be read at start: it is never written over.
    bool SaveSettings();
    // The data folder followed by suffix ("\\収支.DAT", or empty for the folder).
    // False (ShowError shown) when the program's own folder cannot be found.
    bool GetDataPath(QString* path, const QString& suffix) const;
    QString DataPath(const QString& suffix) const; // empty on failure
    // Handset input-mode hints; do nothing unless m_bHarunoDevice. Callers use
    // the pairs in InputMode.h.
    void SetImeMode(QObject* window, int mode) const;
    void SetPhoneInputStatus(int panelState, int mode) const;
    // Whether the handset maker's key HKCU "Software\\Haruno\\KeyMail" exists.
    static bool DetectHarunoDevice();

    // --- Templates (Templates.cpp) -------------------------------------------
    // The ten slots; the used ones come first. Each change below marks the
    // templates changed, so that the next SaveTemplates writes them.
    const TemplateSlots& Templates() const { return m_Templates; }
    bool TemplatesChanged() const { return m_bTemplatesDirty; }
    // Stores into the first free slot: its number, or -1 (nothing changed) when all are used.
    int AddTemplate(const QString& name, const InOutRecord& record);
    // Puts name and record into the slot, marked used. False (nothing changed) outside the table.
    bool StoreTemplate(int slot, const QString& name, const InOutRecord& record);
    // Removes a used slot; later slots move up. False (nothing changed) for a free slot.
    bool DeleteTemplate(int slot);
    // Swaps a used slot with its used neighbour above (-1) or below (+1). False otherwise.
    bool MoveTemplate(int slot, int direction);
    void LoadTemplates();
    // Writes "\\TEIBAN.DAT" when m_bTemplatesDirty. False (message shown, still
    // dirty, old file kept) when it cannot be written.
    bool SaveTemplates();
    // Renames data files with the old English names (GROUP, PAYWAY, INOUT).
    void MigrateOldFileNames();

    // The detail list opens on a month when the option asks for it and the period is a year.
    void UseMonthForDetailList();
    // ListHeaderInfo for a list of 2..5 columns; null for any other count.
    ListHeaderInfo* HeaderInfoFor(int columns);

    // --- Settings, read and changed by the options and the summary screens ---
    bool m_bHarunoDevice = false;
    int m_nDataFolderType = 0;
    QString m_strDataFolderPath;
    ListHeaderInfo m_ListHeaderInfo2{2};
    ListHeaderInfo m_ListHeaderInfo3{3};
    ListHeaderInfo m_ListHeaderInfo4{4};
    ListHeaderInfo m_ListHeaderInfo5{5};

    int m_nYearStartMonth = 1;
    int m_nMonthStartDay = 1;
    int m_nWeekStartDay = 0;
    std::uint32_t m_dwFlags = kDefaultFlags;
    std::int32_t m_nOptionsReserved = 100;
    std::array<std::uint8_t, 128> m_OptionsReservedBytes{};
    bool m_bSaveOnChange = true;

    std::uint32_t m_nFileVersion = 0;
    std::uint32_t m_nFileReserved = 0;

private:
    class LedgerLoader;
    enum class AppendResult { Done, Failed, NeedsRewrite };

    void ForgetLedger();  // the list empty and clean; the nodes stay with their heap
    bool RenewHeap();     // a fresh heap for a reload of a non-empty ledger
    bool SaveWhole(const QString& path);
    AppendResult SaveAppended(const QString& path);
    LedgerNode* FindNode(std::int32_t id) const;

    plat::Heap* m_hHeap = nullptr;
    bool m_bAppendOnly = false;
    LedgerNode* m_pFirstUnsaved = nullptr;
    bool m_bDirty = false;
    bool m_bFileUnread = false;

    TemplateSlots m_Templates{};
    bool m_bTemplatesDirty = false;

    std::uint32_t m_nCount = 0;
    std::int64_t m_nBalance = 0; // 64-bit so that no sum overflows
    LedgerNode* m_pHead = nullptr;
    LedgerNode* m_pTail = nullptr;
};
