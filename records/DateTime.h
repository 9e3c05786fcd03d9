// A local date and time as an OLE Automation date: days since 1899-12-30
// 00:00, the fraction being the time of day. No zone is stored.
#pragma once

#include <cstdint>

struct CalendarFields;

// A signed difference of two dates, in days.
class DateSpan {
public:
    static constexpr double kInvalid = -3615898.0;
    static constexpr double kLimit = 3615897.0;

    constexpr DateSpan() : days_(0.0) {}
    constexpr explicit DateSpan(double days) : days_(days) {}
    static DateSpan FromParts(double days, double hours, double minutes, double seconds);

    double Days() const { return days_; }
    bool IsValid() const { return days_ >= -kLimit && days_ <= kLimit; }

    bool operator==(const DateSpan& other) const { return days_ == other.days_; }
    bool operator!=(const DateSpan& other) const { return days_ != other.days_; }

private:
    double days_;
};

class DateTime {
public:
    static constexpr double kMin = -657434.0;      // 0100-01-01
    static constexpr double kMax = 2958465.0;      // 9999-12-31
    static constexpr double kInvalid = -657435.0;  // no date
    static constexpr int32_t kInvalidField = INT32_MIN;

    // The invalid value.
    constexpr DateTime() : value_(kInvalid) {}
    constexpr explicit DateTime(double oleDate) : value_(oleDate) {}

    static DateTime Now();    // the local clock
    static DateTime Today();  // the local clock truncated to 00:00
    static DateTime FromFields(int year, int month, int day, int hour, int minute, int second);
    // Seconds since 1970-01-01 00:00:00 UTC, shown in local time; negative or
    // beyond the signed 32-bit range gives the invalid value.
    static DateTime FromUnixTime(int64_t unixTime);

    // Rebuilds the value from calendar fields; an impossible field gives the
    // invalid value. Returns whether the result is valid.
    bool SetFields(int year, int month, int day, int hour, int minute, int second);

    // -1 when invalid or when the moment lies outside 1970-01-01 00:00:00 UTC
    // to 2038-01-19 03:14:07 UTC. Local times that a daylight-saving change
    // repeats read as the later moment; skipped ones with the offset in force
    // before the change.
    int64_t ToUnixTime() const;

    // The Unix-time conversions remember the zone's offset per day; after the
    // zone or its rules change, call this so they ask the platform again.
    static void ResetZoneCache();

    double Value() const { return value_; }
    bool IsValid() const { return value_ >= kMin && value_ <= kMax; }

    // kInvalidField when the value is invalid.
    int32_t Year() const;
    int32_t Month() const;
    int32_t Day() const;
    int32_t Hour() const;
    int32_t Minute() const;
    int32_t Second() const;

    // The same day at 00:00:00; invalid stays invalid.
    DateTime DatePart() const;

    // Comparisons and spans work on the linear value: for negative dates the
    // fraction counts forward from the day's start, so -1.25 (1899-12-29
    // 06:00) lies after -1.0.
    double Linear() const;
    static DateTime FromLinear(double linear);

    bool IsBefore(const DateTime& other) const { return Linear() < other.Linear(); }
    bool IsOnOrBefore(const DateTime& other) const { return Linear() <= other.Linear(); }
    bool IsOnOrAfter(const DateTime& other) const { return Linear() >= other.Linear(); }

    DateTime operator+(const DateSpan& span) const;
    DateTime operator-(const DateSpan& span) const;
    DateSpan operator-(const DateTime& other) const;

    // Exact equality of the stored values.
    bool operator==(const DateTime& other) const { return value_ == other.value_; }
    bool operator!=(const DateTime& other) const { return value_ != other.value_; }

private:
    // One calendar field, or kInvalidField.
    int32_t Field(int CalendarFields::*field) const;

    double value_;
};
