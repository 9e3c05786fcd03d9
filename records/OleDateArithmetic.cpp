#include "OleDateArithmetic.h"

#include <cmath>

namespace OleDate {
namespace {

// Julian day number of 0100-01-01, the first day an OLE date can hold.
constexpr int kJulianOfMinDay = 1757585;

// The date and time fields of a SYSTEMTIME, as the 16-bit words they are there.
struct Words {
    uint16_t year;
    uint16_t month;
    uint16_t day;
    uint16_t hour;
    uint16_t minute;
    uint16_t second;
};

// Brings overflowing or underflowing fields back into range the way the system
// does before converting, quirks included: years 0-99 are windowed, and (as
// measured under Wine) November 31 comes out as the first of January, the
// month counter passing through 0. The fields are worked on as signed 16-bit
// values, as there.
bool Roll(Words& words) {
    static const uint8_t kDaysInMonth[] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int16_t year = int16_t(words.year);
    int16_t month = int16_t(words.month);
    int16_t day = int16_t(words.day);
    int16_t hour = int16_t(words.hour);
    int16_t minute = int16_t(words.minute);
    int16_t second = int16_t(words.second);

    if (year > 9999 || year < -9999)
        return false;
    // Fields already in range come out unchanged; most conversions have them.
    if (year >= 100 && month >= 1 && month <= 12 && day >= 1 && day <= 28 && hour >= 0 &&
        hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60)
        return true;
    if (0 <= year && year <= 49)
        year = int16_t(year + 2000);
    else if (50 <= year && year <= 99)
        year = int16_t(year + 1900);

    minute = int16_t(minute + second / 60);
    second = int16_t(second % 60);
    hour = int16_t(hour + minute / 60);
    minute = int16_t(minute % 60);
    day = int16_t(day + hour / 24);
    hour = int16_t(hour % 24);
    year = int16_t(year + month / 12);
    month = int16_t(month % 12);
    if (month <= 0) {
        month = int16_t(month + 12);
        --year;
    }
    while (day > kDaysInMonth[month]) {
        day = int16_t(day - ((month == 2 && IsLeapYear(year)) ? 29 : kDaysInMonth[month]));
        ++month;
        year = int16_t(year + month / 12);
        month = int16_t(month % 12);
    }
    while (day <= 0) {
        --month;
        if (month <= 0) {
            month = int16_t(month + 12);
            --year;
        }
        day = int16_t(day + ((month == 2 && IsLeapYear(year)) ? 29 : kDaysInMonth[month]));
    }
    if (second < 0) {
        second = int16_t(second + 60);
        --minute;
    }
    if (minute < 0) {
        minute = int16_t(minute + 60);
        --hour;
    }
    if (hour < 0) {
        hour = int16_t(hour + 24);
        --day;
    }
    if (year <= 0)
        year = int16_t(year + 2000);

    words = {uint16_t(year), uint16_t(month), uint16_t(day),
             uint16_t(hour), uint16_t(minute), uint16_t(second)};
    return true;
}

// Fliegel and Van Flandern's conversions between a Gregorian date and its
// Julian day number, in the integer arithmetic the system uses.
int JulianFromCivil(uint16_t year, uint16_t month, uint16_t day) {
    const int m12 = (month - 14) / 12;
    return (1461 * (year + 4800 + m12)) / 4 + (367 * (month - 2 - 12 * m12)) / 12 -
           (3 * ((year + 4900 + m12) / 100)) / 4 + day - 32075;
}

void CivilFromJulian(int julian, Words& words) {
    int l = julian + 68569;
    const int n = l * 4 / 146097;
    l -= (n * 146097 + 3) / 4;
    const int i = (4000 * (l + 1)) / 1461001;
    l += 31 - (i * 1461) / 4;
    const int j = (l * 80) / 2447;
    words.day = uint16_t(l - (j * 2447) / 80);
    l = j / 11;
    words.month = uint16_t(j + 2 - 12 * l);
    words.year = uint16_t(100 * (n - 49) + i + l);
}

// The floating-point steps are kept out of line so that they run entirely
// inside the caller's DoublePrecisionScope.
#if defined(__GNUC__)
#define OLEDATE_NOINLINE __attribute__((noinline))
#else
#define OLEDATE_NOINLINE
#endif

// Adds the time of day one field at a time, away from zero for negative dates.
OLEDATE_NOINLINE void Compose(const Words& words, double& oleDate) {
    double date = double(JulianFromCivil(words.year, words.month, words.day) - kJulianOfMinDay + kMinDay);
    const double sign = date < 0.0 ? -1.0 : 1.0;
    date += words.hour / 24.0 * sign;
    date += words.minute / 1440.0 * sign;
    date += words.second / 86400.0 * sign;
    oleDate = date;
}

OLEDATE_NOINLINE void Decompose(double oleDate, Words& words) {
    // The day is the value truncated towards zero; the time of day is the
    // distance from it, nudged up by 1e-11 days against values like 0.2499999...
    const double datePart = oleDate < 0.0 ? std::ceil(oleDate) : std::floor(oleDate);
    double timePart = std::fabs(oleDate - datePart) + 0.00000000001;
    if (timePart >= 1.0)
        timePart -= 0.00000000001;

    CivilFromJulian(int(oleDate) - kMinDay + kJulianOfMinDay, words);

    timePart *= 24.0;
    words.hour = uint16_t(timePart);
    timePart -= words.hour;
    timePart *= 60.0;
    words.minute = uint16_t(timePart);
    timePart -= words.minute;
    timePart *= 60.0;
    words.second = uint16_t(timePart);
    timePart -= words.second;
    if (timePart > 0.5) {
        if (words.second < 59) {
            ++words.second;
        } else {
            words.second = 0;
            if (words.minute < 59) {
                ++words.minute;
            } else {
                words.minute = 0;
                if (words.hour < 23) {
                    ++words.hour;
                } else {
                    words.hour = 0;
                    if (++words.day > 28)
                        Roll(words);
                }
            }
        }
    }
}

}  // namespace

bool FromFields(const CalendarFields& fields, double& oleDate) {
    Words words = {uint16_t(fields.year), uint16_t(fields.month), uint16_t(fields.day),
                   uint16_t(fields.hour), uint16_t(fields.minute), uint16_t(fields.second)};
    if (words.month > 12 || words.day > 31 || int16_t(words.year) < 0)
        return false;
    if (!Roll(words))
        return false;
    DoublePrecisionScope precision;
    Compose(words, oleDate);
    return true;
}

bool ToFields(double oleDate, CalendarFields& fields) {
    if (std::isnan(oleDate) || oleDate <= kMinDay - 1.0 || oleDate >= kMaxDay + 1.0)
        return false;
    Words words;
    {
        DoublePrecisionScope precision;
        Decompose(oleDate, words);
    }
    fields.year = words.year;
    fields.month = words.month;
    fields.day = words.day;
    fields.hour = words.hour;
    fields.minute = words.minute;
    fields.second = words.second;
    fields.milliseconds = 0;
    return true;
}

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Howard Hinnant's algorithms: eras of 400 years, each year starting on
// March 1 so that the leap day comes last.
int64_t DaysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t days, int& year, int& month, int& day) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    day = int(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    month = int(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    year = int(yearOfEra + era * 400 + (month <= 2));
}

int WeekdayFromDays(int64_t days) {
    // 1970-01-01 was a Thursday.
    return int(((days % 7) + 11) % 7);
}

}  // namespace OleDate
