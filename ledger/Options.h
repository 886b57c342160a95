// Option, period and summary-mode bits kept in the settings and the summary modes.
// Plain constants, so that bits of different groups combine without casts.
#pragma once

#include <cstdint>

inline constexpr std::uint32_t OPT_COMMA = 0x1;
inline constexpr std::uint32_t OPT_HIDE_BALANCE = 0x2;
inline constexpr std::uint32_t OPT_SINGLE_SIDE = 0x4;
inline constexpr std::uint32_t OPT_BALANCE_ALL_DATA = 0x8;
inline constexpr std::uint32_t OPT_DATA_IN_MYDOCS = 0x10;
inline constexpr std::uint32_t OPT_DETAIL_YEAR_TO_MONTH = 0x100;
inline constexpr std::uint32_t OPT_NEW_ENTRY_TODAY = 0x1000;

inline constexpr std::uint32_t PERIOD_MONTH = 0x10000000;
inline constexpr std::uint32_t PERIOD_WEEK = 0x20000000;
inline constexpr std::uint32_t PERIOD_DAY = 0x40000000;
inline constexpr std::uint32_t PERIOD_YEAR = 0x80000000;
inline constexpr std::uint32_t PERIOD_MASK = 0xF0000000;

inline constexpr std::uint32_t SUM_DETAIL = 0x8000;
inline constexpr std::uint32_t SUM_DATE = 0x10000;
inline constexpr std::uint32_t SUM_CATEGORY = 0x20000;
inline constexpr std::uint32_t SUM_REMARK = 0x40000;
inline constexpr std::uint32_t SUM_PAYEE = 0x80000;
inline constexpr std::uint32_t SUM_PAYMETHOD = 0x100000;

inline constexpr std::uint32_t FILTER_TEXT = 1;
inline constexpr std::uint32_t FILTER_MIN = 2;
inline constexpr std::uint32_t FILTER_MAX = 4;

inline constexpr std::uint32_t kDefaultFlags = 0x10000011;
