#include "ui/maintenance/OptionValues.h"

#include "ledger/CMyTALYDoc.h"

namespace {

void StoreBit(std::uint32_t& flags, std::uint32_t bit, bool on) {
    flags = on ? flags | bit : flags & ~bit;
}

} // namespace

OptionValues ReadOptionValues(const CMyTALYDoc& doc) {
    OptionValues v;
    v.saveTiming = doc.m_bSaveOnChange ? 0 : 1;
    v.useBaseDate = !(doc.m_dwFlags & OPT_NEW_ENTRY_TODAY);
    v.folderMode = doc.m_nDataFolderType;
    v.folderPath = doc.m_strDataFolderPath;
    v.yearStart = doc.m_nYearStartMonth - 1;
    v.monthStart = doc.m_nMonthStartDay - 1;
    v.weekStart = doc.m_nWeekStartDay;
    v.comma = doc.m_dwFlags & OPT_COMMA;
    v.yearToMonth = doc.m_dwFlags & OPT_DETAIL_YEAR_TO_MONTH;
    v.hideBalance = doc.m_dwFlags & OPT_HIDE_BALANCE;
    v.singleKind = doc.m_dwFlags & OPT_SINGLE_SIDE;
    v.balanceFromAll = doc.m_dwFlags & OPT_BALANCE_ALL_DATA;
    return v;
}

void ApplyOptionValues(CMyTALYDoc& doc, const OptionValues& v) {
    // Values in memory; the registry rewrites only the values that changed.
    doc.m_bSaveOnChange = v.saveTiming == 0;
    doc.m_nMonthStartDay = v.monthStart + 1;
    doc.m_nWeekStartDay = v.weekStart;
    doc.m_nYearStartMonth = v.yearStart + 1;
    StoreBit(doc.m_dwFlags, OPT_COMMA, v.comma);
    StoreBit(doc.m_dwFlags, OPT_DETAIL_YEAR_TO_MONTH, v.yearToMonth);
    StoreBit(doc.m_dwFlags, OPT_NEW_ENTRY_TODAY, !v.useBaseDate);
    StoreBit(doc.m_dwFlags, OPT_HIDE_BALANCE, v.hideBalance);
    StoreBit(doc.m_dwFlags, OPT_SINGLE_SIDE, v.singleKind);
    StoreBit(doc.m_dwFlags, OPT_BALANCE_ALL_DATA, v.balanceFromAll);
}
