// What iCalendar exchange needs of the system's clock and time zones: the
// user's local time of a moment in UTC and back, daylight saving included on
// the day it falls, and the rules of a zone Windows knows by name. Windows
// answers through its time-zone functions and registry (ical/win); the native
// build through the C library's zone (TZ) and a small table of Windows zones
// (ical/native), so that the reader and writer can be tested and fuzzed
// without Windows.
#pragma once

#include <cstdint>
#include <string_view>

// A wall-clock time without a zone, to the second.
struct CivilTime {
    int year = 1970;
    int month = 1;   // 1-12
    int day = 1;     // 1-31
    int hour = 0;    // 0-23
    int minute = 0;  // 0-59
    int second = 0;  // 0-59
};

// One yearly change of the clocks as Windows states it: in `month`, the
// `week`th `weekday` (week 5: the last one of the month), at `hour`:`minute`
// local time before the change.
struct ZoneChange {
    int month = 0;    // 1-12; 0: the zone has no daylight saving
    int week = 0;     // 1-5
    int weekday = 0;  // 0 Sunday - 6 Saturday
    int hour = 0;
    int minute = 0;
};

// A zone's rules as Windows keeps them (TIME_ZONE_INFORMATION): UTC =
// local + bias, in minutes, with `standardBias` or `daylightBias` added while
// that part of the year lasts.
struct WindowsZoneRules {
    int bias = 0;
    int standardBias = 0;
    int daylightBias = 0;
    ZoneChange standardStart;  // when daylight saving ends
    ZoneChange daylightStart;  // when it begins
};

class CalendarZones {
public:
    virtual ~CalendarZones() = default;

    // The user's wall clock at a moment given in UTC. False when the moment
    // lies outside what the platform can convert (years 1601 to 30827 on
    // Windows).
    virtual bool UtcToLocal(const CivilTime& utc, CivilTime& local) const = 0;
    // The moment in UTC of the user's wall-clock time. A time that a change
    // of the clocks repeats reads as one of its two moments; one that the
    // change skips is read with the offset in force before it.
    virtual bool LocalToUtc(const CivilTime& local, CivilTime& utc) const = 0;
    // The rules of the zone Windows calls `name` ("W. Europe Standard Time"),
    // in any case; false when there is none of that name.
    virtual bool FindWindowsZone(std::string_view name, WindowsZoneRules& rules) const = 0;
    // The current moment in UTC.
    virtual CivilTime NowUtc() const = 0;
};

// The zones of the platform the program runs on.
const CalendarZones& PlatformCalendarZones();

// The Windows zone of an IANA zone name ("Europe/Berlin" gives "W. Europe
// Standard Time"), in any case, for the zones in common use; empty when the
// name is not one of them.
std::string_view WindowsZoneOfIana(std::string_view ianaName);
