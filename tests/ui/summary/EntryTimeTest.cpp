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

// Imported records may hold any field value; the day rows rely on the run-on
// (2008/12/40 is 9 January 2009).
TEST(EntryTime, OutOfRangeFieldsNormaliseAsThePlatformDoes) {
    const plat::SYSTEMTIME dates[] = {Date(2008, 0, 15),
                                      Date(2008, 13, 1),
                                      Date(2008, 65535, 1),
                                      Date(2008, 3, 0),
                                      Date(2008, 12, 40),
                                      Date(2008, 2, 65535),
                                      Date(2007, 2, 30),
                                      Date(2008, 12, 31, 24),
                                      Date(0, 1, 1),
                                      Date(0, 2, 29),
                                      Date(2008, 6, 30, 23, 60, 60),
                                      Date(65535, 65535, 65535, 65535, 65535, 65535)};
    for (const plat::SYSTEMTIME& date : dates)
        EXPECT_EQ(EntryTimeValue(date), plat::SystemTimeToTimeValue(date))
            << date.wYear << '/' << date.wMonth << '/' << date.wDay << ' ' << date.wHour;
}
