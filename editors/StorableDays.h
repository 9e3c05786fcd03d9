// The days a date picker offers: those the document file can hold whole in
// the user's time zone. The file keeps every date and time as a Unix time
// from 1970-01-01 00:00:00 UTC up to the largest signed 32-bit value
// (2038-01-19 03:14:07 UTC); a moment outside is saved as today, or lost.
// East of UTC 1970-01-01 begins before the first of those moments, and west
// of it 2038-01-18 ends after the last, so the range depends on the zone.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

#include "CalendarPlatform.h"

// Local time minus UTC, in seconds, in force at a moment (seconds since
// 1970-01-01 00:00:00 UTC), as PlatformUtcOffsetSeconds gives it.
using UtcOffsetRule = std::function<int32_t(int64_t unixTime)>;

// The first and last local days (year, month and day; the times are 0) whose
// every moment, 00:00:00 to 23:59:59, the file can hold in the zone of
// `offsetAt`. The zone's offset on each of the two edge days is taken as the
// one in force at the edge moment: no zone changes its clock in the first
// hours of 1970 or around 2038-01-19.
struct StorableDayRange {
    CalendarFields first;
    CalendarFields last;
};
StorableDayRange StorableDays(const UtcOffsetRule& offsetAt);

// The same in this process's time zone, as a date picker's or month
// calendar's range (DTM_SETRANGE, MCM_SETRANGE with GDTR_MIN | GDTR_MAX):
// the first day at 00:00:00, the last at 23:59:59, so that the last day can
// be picked whatever time of day the control carries.
void StorableDayLimits(SYSTEMTIME (&range)[2]);
