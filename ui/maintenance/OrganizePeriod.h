// The organize dialog's own period: a start day and an end day whose last
// second still belongs to it. Not the summary's periods, which are half-open
// and follow every start setting.
#pragma once

#include "platform/Time.h"

#include <QString>

namespace maintenance {

struct OrganizePeriod {
    plat::TimeValue start = 0; // 00:00:00 of the first day
    plat::TimeValue end = 0;   // 00:00:00 of the last day
};

// The end for a start: the day before the same day of the next month, at the
// start's time of day; a start late in January ends on the last day of
// February (at 00:00:00).
plat::TimeValue OrganizeEndFor(plat::TimeValue start);
// The month that began on monthStartDay (0 = the 1st) on or before today;
// a start day the month does not have moves to the 1st of the next month.
OrganizePeriod DefaultOrganizePeriod(plat::TimeValue now, int monthStartDay);
// 23:59:59 of the day of t: the last second an entry of the period may have.
plat::TimeValue LastSecondOfDay(plat::TimeValue t);
// "\\YYYYMMDD-YYYYMMDD.CSV" for the days of start and end.
QString ExportFileName(plat::TimeValue start, plat::TimeValue end);

} // namespace maintenance
