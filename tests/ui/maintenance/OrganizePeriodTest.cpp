// The organize dialog's periods: the default from today and the month start
// setting, the end that follows a changed start, and the export file name.
#include <gtest/gtest.h>

#include "ui/maintenance/OrganizePeriod.h"

#include <QString>

using namespace maintenance;

namespace {

plat::TimeValue Day(int y, int m, int d, int h = 0) {
    return plat::TimeFromFields(y, m, d, h);
}

QString DayText(plat::TimeValue t) {
    const plat::SYSTEMTIME s = plat::TimeValueToSystemTime(t);
    return QString::asprintf("%d-%02d-%02d %02d:%02d", s.wYear, s.wMonth, s.wDay, s.wHour,
                             s.wMinute);
}

TEST(OrganizePeriodTest, ChangedStartEndsTheDayBeforeTheSameDayNextMonth) {
    struct Row {
        const char* name;
        plat::TimeValue start;
        const char* end;
    } rows[] = {
        {"31 January, common year", Day(2007, 1, 31), "2007-02-28 00:00"},
        {"29 January, leap year", Day(2008, 1, 29), "2008-02-28 00:00"},
        {"31 January, leap year", Day(2008, 1, 31), "2008-02-29 00:00"},
        {"1 February, leap year", Day(2008, 2, 1), "2008-02-29 00:00"},
        {"1 August keeps its time of day", Day(2008, 8, 1, 9), "2008-08-31 09:00"},
        {"15 December", Day(2008, 12, 15), "2009-01-14 00:00"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(DayText(OrganizeEndFor(row.start)), QString::fromLatin1(row.end));
    }
}

TEST(OrganizePeriodTest, DefaultPeriodIsTheMonthAroundToday) {
    struct Row {
        const char* name;
        plat::TimeValue now;
        int monthStart;
        const char* start;
        const char* end;
    } rows[] = {
        {"August from the 1st", Day(2008, 8, 20, 15), 1, "2008-08-01 00:00", "2008-08-31 00:00"},
        {"start 31 opened on 10 May", Day(2008, 5, 10), 31, "2008-05-01 00:00", "2008-05-31 00:00"},
        {"before the start day: the month before", Day(2008, 3, 10), 25, "2008-02-25 00:00",
         "2008-03-24 00:00"},
        {"January back to December", Day(2009, 1, 5), 10, "2008-12-10 00:00", "2009-01-09 00:00"},
        {"start 31 in December rolls into January", Day(2009, 1, 5), 31, "2008-12-31 00:00",
         "2009-01-30 00:00"},
        {"start 30 in January ends in February", Day(2007, 2, 5), 30, "2007-01-30 00:00",
         "2007-02-28 00:00"},
        {"start 0 is the 1st", Day(2008, 6, 3), 0, "2008-06-01 00:00", "2008-06-30 00:00"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const OrganizePeriod p = DefaultOrganizePeriod(row.now, row.monthStart);
        EXPECT_EQ(DayText(p.start), QString::fromLatin1(row.start));
        EXPECT_EQ(DayText(p.end), QString::fromLatin1(row.end));
    }
}

TEST(OrganizePeriodTest, LastSecondAndFileNameUseTheDaysOnly) {
    EXPECT_EQ(LastSecondOfDay(Day(2008, 8, 31, 7)), plat::TimeFromFields(2008, 8, 31, 23, 59, 59));
    EXPECT_EQ(ExportFileName(Day(2008, 8, 1, 9), Day(2008, 8, 31)),
              QStringLiteral("\\20080801-20080831.CSV"));
}

} // namespace
