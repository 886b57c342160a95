// Option, period and summary-mode bits kept in the settings and the summary modes.
#pragma once

#include <cstdint>

enum OptionBits : std::uint32_t {
    OPT_COMMA = 0x1,
    OPT_HIDE_BALANCE = 0x2,
    OPT_SINGLE_SIDE = 0x4,
    OPT_BALANCE_ALL_DATA = 0x8,
    OPT_DATA_IN_MYDOCS = 0x10,
    OPT_DETAIL_YEAR_TO_MONTH = 0x100,
    OPT_NEW_ENTRY_TODAY = 0x1000,
};

enum PeriodBits : std::uint32_t {
    PERIOD_MONTH = 0x10000000,
    PERIOD_WEEK = 0x20000000,
    PERIOD_DAY = 0x40000000,
    PERIOD_YEAR = 0x80000000,
    PERIOD_MASK = 0xF0000000,
};

enum SummaryModeBits : std::uint32_t {
    SUM_DETAIL = 0x8000,
    SUM_DATE = 0x10000,
    SUM_CATEGORY = 0x20000,
    SUM_REMARK = 0x40000,
    SUM_PAYEE = 0x80000,
    SUM_PAYMETHOD = 0x100000,
};

enum FilterBits : std::uint32_t {
    FILTER_TEXT = 1,
    FILTER_MIN = 2,
    FILTER_MAX = 4,
};

inline constexpr std::uint32_t kDefaultFlags = 0x10000011;
