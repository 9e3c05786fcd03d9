#include "StorableDays.h"

#include "OleDateArithmetic.h"
#include "SystemTimeFields.h"

namespace {

constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kFirstMoment = 0;
constexpr int64_t kLastMoment = INT32_MAX;

int64_t FloorDiv(int64_t value, int64_t divisor) {
    const int64_t quotient = value / divisor;
    return quotient * divisor > value ? quotient - 1 : quotient;
}

CalendarFields DayFields(int64_t daysSince1970) {
    CalendarFields fields;
    OleDate::CivilFromDays(daysSince1970, fields.year, fields.month, fields.day);
    return fields;
}

}  // namespace

StorableDayRange StorableDays(const UtcOffsetRule& offsetAt) {
    // The local day of the first moment is whole only when that moment is
    // its midnight; otherwise the next day is the first.
    const int64_t firstLocal = kFirstMoment + offsetAt(kFirstMoment);
    const int64_t firstDay = FloorDiv(firstLocal + kSecondsPerDay - 1, kSecondsPerDay);
    // The local day of the last moment is whole only when that moment is
    // its 23:59:59; otherwise the day before is the last.
    const int64_t lastLocal = kLastMoment + offsetAt(kLastMoment);
    const int64_t lastDay = FloorDiv(lastLocal + 1, kSecondsPerDay) - 1;
    return StorableDayRange{DayFields(firstDay), DayFields(lastDay)};
}

void StorableDayLimits(SYSTEMTIME (&range)[2]) {
    const StorableDayRange days = StorableDays(PlatformUtcOffsetSeconds);
    CalendarFields last = days.last;
    last.hour = 23;
    last.minute = 59;
    last.second = 59;
    range[0] = SystemTimeFromFields(days.first);
    range[1] = SystemTimeFromFields(last);
}
