// The per-entry date conversion is the platform's general one made cheap: the
// same value for every day the ledger can hold and for out-of-range fields.
#include "ui/summary/EntryTime.h"
#include "support/LedgerBuilder.h"

#include <gtest/gtest.h>

using summary::EntryTimeValue;

TEST(EntryTime, EveryDayFrom1970To2105MatchesThePlatform) {
    const int times[][3] = {{0, 0, 0}, {0, 0, 1}, {12, 34, 56}, {23, 59, 59}};
    int days = 0;
    for (int year = 1970; year <= 2105; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= plat::DaysInMonth(year, month); ++day, ++days) {
                for (const auto& hms : times) {
                    const plat::SYSTEMTIME st = Date(year, month, day, hms[0], hms[1], hms[2]);
                    ASSERT_EQ(EntryTimeValue(st), plat::SystemTimeToTimeValue(st))
                        << year << '/' << month << '/' << day;
                }
            }
        }
    }
    EXPECT_EQ(days, 136 * 365 + 33); // 2100 is no leap year
}

TEST(EntryTime, OutOfRangeFieldsNormaliseAsThePlatformDoes) {
    struct Row {
        const char* name;
        plat::SYSTEMTIME date;
    };
    const Row rows[] = {
        {"month 0", Date(2008, 0, 15)},
        {"month 13", Date(2008, 13, 1)},
        {"month 65535", Date(2008, 65535, 1)},
        {"day 0", Date(2008, 3, 0)},
        {"day 40 of December", Date(2008, 12, 40)},
        {"day 65535", Date(2008, 2, 65535)},
        {"30 February", Date(2007, 2, 30)},
        {"hour 24", Date(2008, 12, 31, 24)},
        {"every field at its maximum", Date(65535, 65535, 65535, 65535, 65535, 65535)},
        {"year 0 January", Date(0, 1, 1)},
        {"year 0 February", Date(0, 2, 29)},
        {"minute 60 second 60", Date(2008, 6, 30, 23, 60, 60)},
    };
    for (const Row& row : rows)
        EXPECT_EQ(EntryTimeValue(row.date), plat::SystemTimeToTimeValue(row.date)) << row.name;
    // The run-on is what the day rows rely on: 2008/12/40 is 9 January 2009.
    EXPECT_EQ(EntryTimeValue(Date(2008, 12, 40)), EntryTimeValue(Date(2009, 1, 9)));
    EXPECT_EQ(EntryTimeValue(Date(2008, 3, 0)), EntryTimeValue(Date(2008, 2, 29)));
}
