// The zones of the Windows program: the user's zone through Windows' own
// conversions, with the rules of the year in question (dynamic daylight
// saving), and any zone by name from the registry.
#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "CalendarZones.h"
#include "CivilCalendar.h"

namespace {

constexpr int64_t kTicksPerSecond = 10000000LL;

// False for a time outside the years Windows converts, or one that is none:
// Wine's SystemTimeToFileTime takes February 29th of a common year for
// March 1st.
bool SystemTimeOf(const CivilTime& civil, SYSTEMTIME& time) {
    if (!IsRealTime(civil, 1601, 30827)) return false;
    time = {};
    time.wYear = static_cast<WORD>(civil.year);
    time.wMonth = static_cast<WORD>(civil.month);
    time.wDay = static_cast<WORD>(civil.day);
    time.wHour = static_cast<WORD>(civil.hour);
    time.wMinute = static_cast<WORD>(civil.minute);
    time.wSecond = static_cast<WORD>(civil.second);
    return true;
}

CivilTime CivilOf(const SYSTEMTIME& time) {
    CivilTime civil;
    civil.year = time.wYear;
    civil.month = time.wMonth;
    civil.day = time.wDay;
    civil.hour = time.wHour;
    civil.minute = time.wMinute;
    civil.second = time.wSecond;
    return civil;
}

// Seconds since 1601-01-01 of the same clock.
bool SecondsOf(const SYSTEMTIME& time, int64_t& seconds) {
    FILETIME fileTime;
    if (!SystemTimeToFileTime(&time, &fileTime)) return false;
    const uint64_t ticks = (static_cast<uint64_t>(fileTime.dwHighDateTime) << 32) | fileTime.dwLowDateTime;
    seconds = static_cast<int64_t>(ticks / kTicksPerSecond);
    return true;
}

bool SystemTimeAt(int64_t seconds, SYSTEMTIME& time) {
    if (seconds < 0) return false;
    const uint64_t ticks = static_cast<uint64_t>(seconds) * kTicksPerSecond;
    FILETIME fileTime;
    fileTime.dwLowDateTime = static_cast<DWORD>(ticks);
    fileTime.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return FileTimeToSystemTime(&fileTime, &time) != 0;
}

bool SameWallClock(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
           a.wMinute == b.wMinute && a.wSecond == b.wSecond;
}

// The user's zone with the rules of one year. Without the year's own rules
// Windows would apply this year's dates to every year (the United States
// changed theirs in 2007). The system reads them from the registry, taking
// most of a millisecond, and an import converts thousands of times, so they
// are kept per year for as long as the user's zone stays the same.
class YearRules {
public:
    // False when the current zone's present rules are to be used: the user
    // turned daylight saving off, or the system has no rules by year.
    bool Find(int year, TIME_ZONE_INFORMATION& rules) {
        DYNAMIC_TIME_ZONE_INFORMATION zone;
        if (GetDynamicTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID || zone.DynamicDaylightTimeDisabled ||
            zone.TimeZoneKeyName[0] == L'\0' || year < 1601 || year > 30827)
            return false;
        AcquireSRWLockExclusive(&lock_);
        if (zoneName_ != zone.TimeZoneKeyName) {
            zoneName_ = zone.TimeZoneKeyName;
            byYear_.clear();
        }
        const auto known = byYear_.find(year);
        bool found = known != byYear_.end();
        if (found) {
            rules = known->second;
        } else if (GetTimeZoneInformationForYear(static_cast<USHORT>(year), &zone, &rules)) {
            byYear_.emplace(year, rules);
            found = true;
        }
        ReleaseSRWLockExclusive(&lock_);
        return found;
    }

private:
    SRWLOCK lock_ = SRWLOCK_INIT;
    std::wstring zoneName_;
    std::map<int, TIME_ZONE_INFORMATION> byYear_;
};

YearRules& UserZone() {
    static YearRules rules;
    return rules;
}

bool ToLocal(const SYSTEMTIME& utc, SYSTEMTIME& local) {
    TIME_ZONE_INFORMATION rules;
    const bool ofYear = UserZone().Find(utc.wYear, rules);
    return SystemTimeToTzSpecificLocalTime(ofYear ? &rules : nullptr, &utc, &local) != 0;
}

// The zone's offset from UTC at a moment, in seconds.
bool OffsetAt(int64_t utcSeconds, int64_t& offset) {
    SYSTEMTIME utc;
    SYSTEMTIME local;
    int64_t localSeconds = 0;
    if (!SystemTimeAt(utcSeconds, utc) || !ToLocal(utc, local) || !SecondsOf(local, localSeconds)) return false;
    offset = localSeconds - utcSeconds;
    return true;
}

// The TZI value of a zone's registry key (REG_TZI_FORMAT).
struct RegistryZoneRules {
    LONG bias;
    LONG standardBias;
    LONG daylightBias;
    SYSTEMTIME standardDate;
    SYSTEMTIME daylightDate;
};

// A yearly change as the registry states it: wDay is the week of the month.
bool ZoneChangeOf(const SYSTEMTIME& date, ZoneChange& change) {
    if (date.wMonth > 12 || date.wDay < 1 || date.wDay > 5 || date.wDayOfWeek > 6 || date.wHour > 23 ||
        date.wMinute > 59)
        return false;
    change.month = date.wMonth;
    change.week = date.wDay;
    change.weekday = date.wDayOfWeek;
    change.hour = date.wHour;
    change.minute = date.wMinute;
    return true;
}

class WindowsCalendarZones : public CalendarZones {
public:
    bool UtcToLocal(const CivilTime& utc, CivilTime& local) const override {
        SYSTEMTIME time;
        int64_t seconds = 0;
        SYSTEMTIME converted;
        if (!SystemTimeOf(utc, time) || !SecondsOf(time, seconds) || !ToLocal(time, converted)) return false;
        local = CivilOf(converted);
        return true;
    }

    // Windows reads a time that the change to daylight saving skips as
    // daylight time, an hour earlier than the contract wants. Such a time
    // does not come back from UTC as it went in, and is then read with the
    // offset a day earlier, before the change.
    bool LocalToUtc(const CivilTime& local, CivilTime& utc) const override {
        SYSTEMTIME time;
        int64_t wall = 0;
        if (!SystemTimeOf(local, time) || !SecondsOf(time, wall)) return false;
        TIME_ZONE_INFORMATION rules;
        const bool ofYear = UserZone().Find(time.wYear, rules);
        SYSTEMTIME converted;
        SYSTEMTIME back;
        if (!TzSpecificLocalTimeToSystemTime(ofYear ? &rules : nullptr, &time, &converted)) return false;
        if (ToLocal(converted, back) && SameWallClock(back, time)) {
            utc = CivilOf(converted);
            return true;
        }
        int64_t before = 0;
        if (!OffsetAt(wall - kSecondsPerDay, before) || !SystemTimeAt(wall - before, converted)) return false;
        utc = CivilOf(converted);
        return true;
    }

    // Key names in the registry are compared without case already. A
    // backslash would reach another key, and the names are ASCII.
    bool FindWindowsZone(std::string_view name, WindowsZoneRules& rules) const override {
        if (name.empty() || name.size() > 255) return false;
        std::wstring path = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\";
        for (const char c : name) {
            if (c < ' ' || c > '~' || c == '\\') return false;
            path += static_cast<wchar_t>(c);
        }
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key) !=
            ERROR_SUCCESS)
            return false;
        RegistryZoneRules stored = {};
        DWORD type = 0;
        DWORD size = sizeof(stored);
        const LONG status =
            RegQueryValueExW(key, L"TZI", nullptr, &type, reinterpret_cast<BYTE*>(&stored), &size);
        RegCloseKey(key);
        if (status != ERROR_SUCCESS || type != REG_BINARY || size != sizeof(stored)) return false;

        WindowsZoneRules found;
        found.bias = stored.bias;
        found.standardBias = stored.standardBias;
        found.daylightBias = stored.daylightBias;
        // A zone without daylight saving leaves both dates empty.
        if (stored.standardDate.wMonth != 0 && stored.daylightDate.wMonth != 0 &&
            (!ZoneChangeOf(stored.standardDate, found.standardStart) ||
             !ZoneChangeOf(stored.daylightDate, found.daylightStart)))
            return false;
        rules = found;
        return true;
    }

    CivilTime NowUtc() const override {
        SYSTEMTIME now;
        GetSystemTime(&now);
        return CivilOf(now);
    }
};

}  // namespace

const CalendarZones& PlatformCalendarZones() {
    static const WindowsCalendarZones zones;
    return zones;
}
