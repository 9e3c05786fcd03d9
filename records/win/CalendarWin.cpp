// The calendar services from Windows itself: OLE Automation's conversions, the
// local clock, and the zone's rules for the year in question.
#include <windows.h>
#include <oleauto.h>

#include <map>
#include <string>

#include "CalendarPlatform.h"
#include "OleDateArithmetic.h"
#include "SystemTimeFields.h"

namespace {

// FILETIME counts 100 ns ticks from 1601-01-01; Unix time seconds from 1970.
constexpr int64_t kUnixEpochInFileTimeSeconds = 11644473600LL;
constexpr int64_t kTicksPerSecond = 10000000LL;

bool FileTimeFromUnix(int64_t unixTime, FILETIME& fileTime) {
    if (unixTime < -kUnixEpochInFileTimeSeconds)
        return false;
    const uint64_t ticks = static_cast<uint64_t>(unixTime + kUnixEpochInFileTimeSeconds) * kTicksPerSecond;
    fileTime.dwLowDateTime = static_cast<DWORD>(ticks);
    fileTime.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return true;
}

int64_t SecondsOf(const FILETIME& fileTime) {
    const uint64_t ticks = (static_cast<uint64_t>(fileTime.dwHighDateTime) << 32) | fileTime.dwLowDateTime;
    return static_cast<int64_t>(ticks / kTicksPerSecond);
}

// The zone's rules for one year (dynamic daylight saving), where its current
// rules alone would apply this year's dates to every year. The system reads
// them from the registry, taking most of a millisecond, so they are
// remembered per year for as long as the zone stays the same.
const TIME_ZONE_INFORMATION* RulesForYear(int year) {
    static std::wstring zoneName;
    static std::map<int, TIME_ZONE_INFORMATION> rulesByYear;
    DYNAMIC_TIME_ZONE_INFORMATION zone;
    if (GetDynamicTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID)
        return nullptr;
    if (zoneName != zone.TimeZoneKeyName) {
        zoneName = zone.TimeZoneKeyName;
        rulesByYear.clear();
    }
    const auto known = rulesByYear.find(year);
    if (known != rulesByYear.end())
        return &known->second;
    TIME_ZONE_INFORMATION rules;
    if (!GetTimeZoneInformationForYear(static_cast<USHORT>(year), &zone, &rules))
        return nullptr;
    return &rulesByYear.emplace(year, rules).first->second;
}

}  // namespace

// Both conversions run with 53-bit x87 precision, the one Windows gives a new
// thread: the MinGW runtime's 64 bits change the system's rounding.
bool PlatformFieldsToOleDate(const CalendarFields& fields, double& oleDate) {
    SYSTEMTIME time = SystemTimeFromFields(fields);
    OleDate::DoublePrecisionScope precision;
    return SystemTimeToVariantTime(&time, &oleDate) != 0;
}

bool PlatformOleDateToFields(double oleDate, CalendarFields& fields) {
    SYSTEMTIME time = {};
    {
        OleDate::DoublePrecisionScope precision;
        if (!VariantTimeToSystemTime(oleDate, &time))
            return false;
    }
    fields = FieldsFromSystemTime(time);
    return true;
}

void PlatformReadLocalClock(CalendarFields& fields) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    fields = FieldsFromSystemTime(now);
}

int32_t PlatformUtcOffsetSeconds(int64_t unixTime) {
    FILETIME utcFileTime;
    SYSTEMTIME utc;
    if (!FileTimeFromUnix(unixTime, utcFileTime) || !FileTimeToSystemTime(&utcFileTime, &utc))
        return 0;
    const TIME_ZONE_INFORMATION* rules = RulesForYear(utc.wYear);
    SYSTEMTIME local;
    FILETIME localFileTime;
    if (rules == nullptr || !SystemTimeToTzSpecificLocalTime(rules, &utc, &local) ||
        !SystemTimeToFileTime(&local, &localFileTime))
        return 0;
    return static_cast<int32_t>(SecondsOf(localFileTime) - SecondsOf(utcFileTime));
}
