// The few calendar services the date/time value needs from the platform.
// The native build implements them with our own arithmetic and the C library
// (records/native); the Windows build with the system's own calls (records/win).
#pragma once

#include <cstdint>

struct CalendarFields {
    int year = 0;
    int month = 0;    // 1-12
    int day = 0;      // 1-31
    int hour = 0;     // 0-23
    int minute = 0;   // 0-59
    int second = 0;   // 0-59
    int milliseconds = 0;
};

// Calendar fields to an OLE Automation date (days since 1899-12-30, negative
// dates counting the fraction forward from the day's start). Mirrors
// SystemTimeToVariantTime: returns false where that call fails. Callers
// validate the fields first; the platform windows two-digit years and rolls
// impossible days forward.
bool PlatformFieldsToOleDate(const CalendarFields& fields, double& oleDate);

// An OLE Automation date back to calendar fields (VariantTimeToSystemTime).
bool PlatformOleDateToFields(double oleDate, CalendarFields& fields);

// The local wall clock (GetLocalTime).
void PlatformReadLocalClock(CalendarFields& fields);

// Local time minus UTC, in seconds, in force at the given moment (seconds
// since 1970-01-01 00:00:00 UTC), by the zone's rules for that moment.
int32_t PlatformUtcOffsetSeconds(int64_t unixTime);
