// The per-entry date conversion is the platform's general one made cheap: the
// same value for every day the ledger can hold and for out-of-range fields
// (imported records; the day rows rely on 2008/12/40 being 9 January 2009).
#include "ui/summary/EntryTime.h"
#include "support/LedgerBuilder.h"

#include <gtest/gtest.h>

TEST(EntryTime, MatchesThePlatformOnEveryDayFrom1970To2105AndOutOfRange) {
    std::vector<plat::SYSTEMTIME> dates;
    const int outOfRange[][6] = {{2008, 0, 15},
                                 {2008, 13, 1},
                                 {2008, 65535, 1},
                                 {2008, 3, 0},
                                 {2008, 12, 40},
                                 {2008, 2, 65535},
                                 {2007, 2, 30},
                                 {2008, 12, 31, 24},
                                 {0, 1, 1},
                                 {0, 2, 29},
                                 {2008, 6, 30, 23, 60, 60},
                                 {65535, 65535, 65535, 65535, 65535, 65535}};
    for (const auto& f : outOfRange)
        dates.push_back(Date(f[0], f[1], f[2], f[3], f[4], f[5]));
    int days = 0;
    for (int year = 1970; year <= 2105; ++year)
        for (int month = 1; month <= 12; ++month)
            for (int day = 1; day <= plat::DaysInMonth(year, month); ++day, ++days)
                for (const auto& [h, m, s] :
                     {std::array{0, 0, 0}, {0, 0, 1}, {12, 34, 56}, {23, 59, 59}})
                    dates.push_back(Date(year, month, day, h, m, s));
    EXPECT_EQ(days, 136 * 365 + 33); // 2100 is no leap year
    for (const plat::SYSTEMTIME& d : dates)
        ASSERT_EQ(summary::EntryTimeValue(d), plat::SystemTimeToTimeValue(d))
            << d.wYear << '/' << d.wMonth << '/' << d.wDay << ' ' << d.wHour;
}
