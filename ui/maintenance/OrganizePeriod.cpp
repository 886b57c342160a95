#include "ui/maintenance/OrganizePeriod.h"

namespace maintenance {
namespace {

plat::TimeValue DayStart(std::int64_t year, int month, int day) {
    return plat::TimeFromFields(year, month, day);
}

} // namespace

plat::TimeValue OrganizeEndFor(plat::TimeValue start) {
    const plat::SYSTEMTIME s = plat::TimeValueToSystemTime(start);
    int days = 30;
    switch (s.wMonth) {
    case 2:
        days = plat::DaysInMonth(s.wYear, 2) - 1;
        break;
    case 4:
    case 6:
    case 9:
    case 11:
        days = 29;
        break;
    default:
        break;
    }
    const plat::TimeValue end = start + days * plat::kSecondsPerDay;
    if (s.wMonth == 1 && plat::TimeValueToSystemTime(end).wMonth == 3)
        return DayStart(s.wYear, 2, plat::DaysInMonth(s.wYear, 2));
    return end;
}

OrganizePeriod DefaultOrganizePeriod(plat::TimeValue now, int monthStartDay) {
    const plat::SYSTEMTIME today = plat::TimeValueToSystemTime(now);
    std::int64_t year = today.wYear;
    int month = today.wMonth;
    if (today.wDay < monthStartDay && --month == 0) {
        month = 12;
        --year;
    }
    plat::TimeValue start = 0;
    if (monthStartDay <= 0)
        start = DayStart(year, month, 1);
    else if (monthStartDay > plat::DaysInMonth(year, month))
        start = DayStart(year, month + 1, 1); // month 13 is January of the next year
    else
        start = DayStart(year, month, monthStartDay);
    return {start, OrganizeEndFor(start)};
}

plat::TimeValue LastSecondOfDay(plat::TimeValue t) {
    const plat::SYSTEMTIME d = plat::TimeValueToSystemTime(t);
    return plat::TimeFromFields(d.wYear, d.wMonth, d.wDay, 23, 59, 59);
}

QString ExportFileName(plat::TimeValue start, plat::TimeValue end) {
    const plat::SYSTEMTIME s = plat::TimeValueToSystemTime(start);
    const plat::SYSTEMTIME e = plat::TimeValueToSystemTime(end);
    return QString::asprintf("\\%04d%02d%02d-%04d%02d%02d.CSV", s.wYear, s.wMonth, s.wDay,
                             e.wYear, e.wMonth, e.wDay);
}

} // namespace maintenance
