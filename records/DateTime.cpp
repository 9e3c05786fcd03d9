#include "DateTime.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "CalendarPlatform.h"
#include "OleDateArithmetic.h"

namespace {

constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kLastUnixTime = INT32_MAX;

// The platform accepts impossible fields and quietly windows or rolls them
// (year 99 becomes 1999, February 30 becomes March 2), so they are checked
// here first.
bool FieldsAreValid(int year, int month, int day, int hour, int minute, int second) {
    return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= OleDate::DaysInMonth(year, month) && hour >= 0 && hour <= 23 &&
           minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
}

// kInvalid unless the fields are possible and convert into the valid range.
double BuildValue(int year, int month, int day, int hour, int minute, int second) {
    if (!FieldsAreValid(year, month, day, hour, minute, second))
        return DateTime::kInvalid;
    CalendarFields fields;
    fields.year = year;
    fields.month = month;
    fields.day = day;
    fields.hour = hour;
    fields.minute = minute;
    fields.second = second;
    double value = 0.0;
    if (!PlatformFieldsToOleDate(fields, value) || !(value >= DateTime::kMin && value <= DateTime::kMax))
        return DateTime::kInvalid;
    return value;
}

DateTime Normalized(double value) {
    const DateTime date(value);
    return date.IsValid() ? date : DateTime();
}

bool ReadFields(const DateTime& date, CalendarFields& fields) {
    return date.IsValid() && PlatformOleDateToFields(date.Value(), fields);
}

// The arithmetic on day counts runs out of line inside a DoublePrecisionScope,
// so that x87 builds round every step once to double, as 64-bit builds do,
// and all builds store the same values.
#if defined(__GNUC__)
#define DATETIME_NOINLINE __attribute__((noinline))
#else
#define DATETIME_NOINLINE
#endif

DATETIME_NOINLINE void StoreSum(double a, double b, double& sum) {
    sum = a + b;
}

DATETIME_NOINLINE void StoreSpan(double days, double hours, double minutes, double seconds, double& span) {
    span = days + hours / 24 + minutes / 1440 + seconds / 86400;
}

double Sum(double a, double b) {
    OleDate::DoublePrecisionScope precision;
    double sum;
    StoreSum(a, b, sum);
    return sum;
}

int64_t FloorDiv(int64_t value, int64_t divisor) {
    const int64_t quotient = value / divisor;
    return quotient * divisor > value ? quotient - 1 : quotient;
}

// The offset of local time from UTC, remembered per UTC day. A day is
// remembered only when the offsets at its first and last second agree: zones
// do not change twice within a day, so such a day holds no change. Loading a
// document converts hundreds of thousands of dates over a few thousand days;
// asking the platform once per day keeps that cheap.
class ZoneOffsetCache {
public:
    ZoneOffsetCache() { Clear(); }

    void Clear() { entries_.fill(Entry{INT32_MIN, 0}); }

    int32_t OffsetAt(int64_t utc) {
        const int64_t day = FloorDiv(utc, kSecondsPerDay);
        Entry& entry = entries_[static_cast<size_t>(day) & (kSize - 1)];
        if (entry.day == day)
            return entry.offset;
        const int32_t atStart = PlatformUtcOffsetSeconds(day * kSecondsPerDay);
        const int32_t atEnd = PlatformUtcOffsetSeconds(day * kSecondsPerDay + kSecondsPerDay - 1);
        if (atStart != atEnd)
            return PlatformUtcOffsetSeconds(utc);
        entry = Entry{static_cast<int32_t>(day), atStart};
        return atStart;
    }

    // The moment a local time (seconds since 1970-01-01 00:00 as if it were
    // UTC) stands for. A time that a change repeats reads as the later of its
    // two moments; a time that a change skips is read with the offset in
    // force before the change. Assumes at most one change within two days.
    int64_t UtcFromLocal(int64_t local) {
        // Offsets can't reach a whole day, so these lie before and after
        // every moment the local time could mean.
        const int32_t before = OffsetAt(local - kSecondsPerDay);
        const int32_t after = OffsetAt(local + kSecondsPerDay);
        const int64_t withBefore = local - before;
        if (before == after)
            return withBefore;
        const int64_t withAfter = local - after;
        const bool beforeFits = OffsetAt(withBefore) == before;
        const bool afterFits = OffsetAt(withAfter) == after;
        if (beforeFits && afterFits)
            return std::max(withBefore, withAfter);
        if (afterFits)
            return withAfter;
        return withBefore;
    }

private:
    struct Entry {
        int32_t day;
        int32_t offset;
    };
    static constexpr size_t kSize = 16384;  // a power of two; 45 years of days
    std::array<Entry, kSize> entries_;
};

ZoneOffsetCache& Zone() {
    static ZoneOffsetCache cache;
    return cache;
}

}  // namespace

DateSpan DateSpan::FromParts(double days, double hours, double minutes, double seconds) {
    OleDate::DoublePrecisionScope precision;
    double span;
    StoreSpan(days, hours, minutes, seconds, span);
    return DateSpan(span);
}

DateTime DateTime::Now() {
    CalendarFields clock;
    PlatformReadLocalClock(clock);
    return FromFields(clock.year, clock.month, clock.day, clock.hour, clock.minute, clock.second);
}

DateTime DateTime::Today() {
    CalendarFields clock;
    PlatformReadLocalClock(clock);
    return FromFields(clock.year, clock.month, clock.day, 0, 0, 0);
}

DateTime DateTime::FromFields(int year, int month, int day, int hour, int minute, int second) {
    return DateTime(BuildValue(year, month, day, hour, minute, second));
}

bool DateTime::SetFields(int year, int month, int day, int hour, int minute, int second) {
    value_ = BuildValue(year, month, day, hour, minute, second);
    return IsValid();
}

DateTime DateTime::FromUnixTime(int64_t unixTime) {
    if (unixTime < 0 || unixTime > kLastUnixTime)
        return DateTime();
    const int64_t local = unixTime + Zone().OffsetAt(unixTime);
    const int64_t days = FloorDiv(local, kSecondsPerDay);
    const int secondOfDay = static_cast<int>(local - days * kSecondsPerDay);
    // A record's dates mostly share a day (an appointment's four always do):
    // the last day's calendar fields are kept.
    static struct {
        int64_t days = INT64_MIN;
        int year = 0, month = 0, day = 0;
    } last;
    if (days != last.days) {
        OleDate::CivilFromDays(days, last.year, last.month, last.day);
        last.days = days;
    }
    return FromFields(last.year, last.month, last.day, secondOfDay / 3600, secondOfDay / 60 % 60,
                      secondOfDay % 60);
}

int64_t DateTime::ToUnixTime() const {
    CalendarFields fields;
    if (!ReadFields(*this, fields))
        return -1;
    const int64_t local = OleDate::DaysFromCivil(fields.year, fields.month, fields.day) * kSecondsPerDay +
                          fields.hour * 3600 + fields.minute * 60 + fields.second;
    // No zone moves a time by two days: far dates need no zone rules.
    if (local < -2 * kSecondsPerDay || local > kLastUnixTime + 2 * kSecondsPerDay)
        return -1;
    const int64_t utc = Zone().UtcFromLocal(local);
    return utc < 0 || utc > kLastUnixTime ? -1 : utc;
}

void DateTime::ResetZoneCache() {
    Zone().Clear();
}

int32_t DateTime::Field(int CalendarFields::*field) const {
    CalendarFields fields;
    return ReadFields(*this, fields) ? fields.*field : kInvalidField;
}

int32_t DateTime::Year() const { return Field(&CalendarFields::year); }
int32_t DateTime::Month() const { return Field(&CalendarFields::month); }
int32_t DateTime::Day() const { return Field(&CalendarFields::day); }
int32_t DateTime::Hour() const { return Field(&CalendarFields::hour); }
int32_t DateTime::Minute() const { return Field(&CalendarFields::minute); }
int32_t DateTime::Second() const { return Field(&CalendarFields::second); }

DateTime DateTime::DatePart() const {
    CalendarFields fields;
    if (!ReadFields(*this, fields))
        return DateTime();
    return FromFields(fields.year, fields.month, fields.day, 0, 0, 0);
}

double DateTime::Linear() const {
    return value_ >= 0.0 ? value_ : 2.0 * std::ceil(value_) - value_;
}

DateTime DateTime::FromLinear(double linear) {
    return Normalized(linear >= 0.0 ? linear : 2.0 * std::floor(linear) - linear);
}

DateTime DateTime::operator+(const DateSpan& span) const {
    if (!IsValid() || !span.IsValid())
        return DateTime();
    return FromLinear(Sum(Linear(), span.Days()));
}

DateTime DateTime::operator-(const DateSpan& span) const {
    if (!IsValid() || !span.IsValid())
        return DateTime();
    return FromLinear(Sum(Linear(), -span.Days()));
}

DateSpan DateTime::operator-(const DateTime& other) const {
    if (!IsValid() || !other.IsValid())
        return DateSpan(DateSpan::kInvalid);
    return DateSpan(Sum(Linear(), -other.Linear()));
}
