// An entry's date and time as a time value, cheap enough for one call per
// ledger entry on every rebuild. Plain calendar arithmetic, never a zone-aware
// conversion: time values carry no zone, and the C library's mktime would cost
// a hundred times more.
#pragma once

#include "platform/Time.h"

namespace summary {

// Same result as plat::SystemTimeToTimeValue for every field value. Day, hour,
// minute and second enter the count linearly, so only a month outside 1..12
// needs the general normalisation.
inline plat::TimeValue EntryTimeValue(const plat::SYSTEMTIME& st) {
    if (static_cast<unsigned>(st.wMonth) - 1u >= 12u) return plat::SystemTimeToTimeValue(st);
    const std::int64_t days = plat::DaysFromCivil(st.wYear, st.wMonth, st.wDay);
    return days * plat::kSecondsPerDay + st.wHour * 3600 + st.wMinute * 60 + st.wSecond;
}

} // namespace summary
