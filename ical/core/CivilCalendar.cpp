#include "CivilCalendar.h"

// The day-number conversions count in eras of 400 years, each of which holds
// the same 146097 days.
int64_t DayNumber(int year, int month, int day) {
    const int64_t y = static_cast<int64_t>(year) - (month <= 2 ? 1 : 0);
    const int64_t era = FloorDiv(y, 400);
    const int64_t yearOfEra = y - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void DateOfDay(int64_t dayNumber, int& year, int& month, int& day) {
    const int64_t z = dayNumber + 719468;
    const int64_t era = FloorDiv(z, 146097);
    const int64_t dayOfEra = z - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

int WeekdayOfDay(int64_t dayNumber) {
    // 1970-01-01 was a Thursday.
    return static_cast<int>(((dayNumber + 3) % 7 + 7) % 7);
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[(month - 1 + 12) % 12];
}

bool IsRealTime(const CivilTime& t, int firstYear, int lastYear) {
    return t.year >= firstYear && t.year <= lastYear && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
           t.day <= DaysInMonth(t.year, t.month) && t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59 &&
           t.second >= 0 && t.second <= 59;
}

int64_t WallSeconds(const CivilTime& time) {
    return DayNumber(time.year, time.month, time.day) * kSecondsPerDay + time.hour * 3600 + time.minute * 60 +
           time.second;
}

CivilTime CivilOfWall(int64_t wallSeconds) {
    CivilTime time;
    const int64_t day = FloorDiv(wallSeconds, kSecondsPerDay);
    const int64_t second = wallSeconds - day * kSecondsPerDay;
    DateOfDay(day, time.year, time.month, time.day);
    time.hour = static_cast<int>(second / 3600);
    time.minute = static_cast<int>(second / 60 % 60);
    time.second = static_cast<int>(second % 60);
    return time;
}
