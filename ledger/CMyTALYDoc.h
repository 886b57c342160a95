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
    // False when no record has this id; later records move up one id.
    bool DeleteRecord(std::int32_t id);
    // Copies all 184 bytes of r over the record with this id. False when missing.
    bool ReplaceRecord(std::int32_t id, const InOutRecord& r);
    // The first node with this id among the first m_nCount nodes, or null.
    LedgerNode* FindRecord(std::int32_t id) const;

    // Creates the heap and the sub-folders, loads the ledger and the templates.
    void OpenData();
    // Saves ledger and templates, then releases them. When a save fails the
    // error has been shown, nothing is released and the result is false.
    bool CloseData();
    // Settings, ledger, templates, in that order. False when any of them failed.
    bool SaveAll();
    // Destroys the heap and empties the list without saving (exit after SaveAll).
    void ReleaseData();

    // --- Ledger file (LedgerFile.cpp) ---------------------------------------
    bool LoadLedger();
    bool SaveLedger();

    // --- Settings (Settings.cpp) ---------------------------------------------
    void LoadSettings();
    void SaveSettings();
    // The data folder followed by suffix ("\\収支.DAT", or empty for the folder).
    // False (ShowError shown) when the program's own folder cannot be found.
    bool GetDataPath(QString* path, const QString& suffix) const;
    QString DataPath(const QString& suffix) const; // empty on failure
    // Handset input-mode hints; do nothing unless m_bSharpDevice.
    void SetImeMode(QObject* window, int mode) const;
    void SetPhoneInputStatus(int panelState, int mode) const;
    // Whether the handset maker's key HKCU "Software\\Sharp\\STMail" exists.
    static bool DetectSharpDevice();

    // --- Templates (Templates.cpp) -------------------------------------------
    void LoadTemplates();
    // Writes "\\TEIBAN.DAT" when m_bTemplatesDirty. False (message shown, still
    // dirty, old file kept) when it cannot be written.
    bool SaveTemplates();
    // Renames data files with the old English names (GROUP, PAYWAY, INOUT).
    void MigrateOldFileNames();

    // --- State, in the order the members are read by the rest of the program --
    plat::Heap* m_hHeap = nullptr;
    bool m_bAppendOnly = false;
    LedgerNode* m_pFirstUnsaved = nullptr;
    bool m_bDirty = false;

    std::array<TemplateRecord, kTemplateSlots> m_Templates{};
    bool m_bTemplatesDirty = false;

    bool m_bSharpDevice = false;
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

    std::uint32_t m_nFileVersion = 0;
    std::uint32_t m_nFileReserved = 0;
    // The last load failed or stopped early: the file may hold records that are
    // not in memory. The next save keeps it aside under a dated name first and
    // rewrites it whole.
    bool m_bFileUnread = false;
    std::uint32_t m_nCount = 0;
    std::int64_t m_nBalance = 0; // income − expenses; 64-bit so that no sum overflows
    LedgerNode* m_pHead = nullptr;
    LedgerNode* m_pTail = nullptr;

    bool m_bSaveOnChange = true;

    // ListHeaderInfo for a list of 2..5 columns; null for any other count.
    ListHeaderInfo* HeaderInfoFor(int columns);
};
