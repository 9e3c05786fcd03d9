#include "DateText.h"

#include <ctime>

#include "CalendarPlatform.h"
#include "OleDateArithmetic.h"
#include "SystemTimeFields.h"

namespace DateText {
namespace {

constexpr int kLocaleTextCapacity = 255;
constexpr size_t kFreeTextCapacity = 4096;

struct Moment {
    CalendarFields fields;
    int weekday;    // 0 = Sunday
    int dayOfYear;  // 0-365
};

// The conversions go through the platform layer so that texts show exactly
// the fields every other reader of the value sees.
bool ReadMoment(const DateTime& date, Moment& moment) {
    if (!date.IsValid() || !PlatformOleDateToFields(date.Value(), moment.fields))
        return false;
    const CalendarFields& f = moment.fields;
    const int64_t days = OleDate::DaysFromCivil(f.year, f.month, f.day);
    moment.weekday = OleDate::WeekdayFromDays(days);
    moment.dayOfYear = static_cast<int>(days - OleDate::DaysFromCivil(f.year, 1, 1));
    return true;
}

// GetDateFormatA and GetTimeFormatA take the same arguments.
using LocaleFormatter = int(WINAPI*)(LCID, DWORD, const SYSTEMTIME*, LPCSTR, LPSTR, int);

std::string FormatWithLocale(LocaleFormatter format, const DateTime& date, LCID locale,
                             DWORD flags, const char* picture) {
    Moment moment;
    if (!ReadMoment(date, moment))
        return "";
    const SYSTEMTIME time = SystemTimeFromFields(moment.fields, moment.weekday);
    char text[kLocaleTextCapacity];
    const int length = format(locale, flags, &time, picture, text, kLocaleTextCapacity);
    return length > 0 ? std::string(text, length - 1) : std::string();
}

}  // namespace

std::string FormatDate(const DateTime& date, LCID locale, DWORD flags, const char* picture) {
    return FormatWithLocale(GetDateFormatA, date, locale, flags, picture);
}

std::string FormatTime(const DateTime& date, LCID locale, DWORD flags, const char* picture) {
    return FormatWithLocale(GetTimeFormatA, date, locale, flags, picture);
}

std::string FormatFree(const DateTime& date, const char* picture) {
    Moment moment;
    if (!ReadMoment(date, moment))
        return "";
    std::tm calendar = {};
    calendar.tm_year = moment.fields.year - 1900;
    calendar.tm_mon = moment.fields.month - 1;
    calendar.tm_mday = moment.fields.day;
    calendar.tm_hour = moment.fields.hour;
    calendar.tm_min = moment.fields.minute;
    calendar.tm_sec = moment.fields.second;
    calendar.tm_wday = moment.weekday;
    calendar.tm_yday = moment.dayOfYear;
    calendar.tm_isdst = 0;  // the value is a plain local time, no zone is stored
    char text[kFreeTextCapacity];
    const size_t length = std::strftime(text, sizeof text, picture, &calendar);
    return std::string(text, length);
}

}  // namespace DateText
