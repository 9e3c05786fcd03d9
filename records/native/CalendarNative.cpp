// The calendar services for builds without Windows: our own OLE date
// arithmetic (which reproduces the system's results) and the C library's
// local time, whose zone comes from TZ.
#include <time.h>

#include "CalendarPlatform.h"
#include "OleDateArithmetic.h"

bool PlatformFieldsToOleDate(const CalendarFields& fields, double& oleDate) {
    return OleDate::FromFields(fields, oleDate);
}

bool PlatformOleDateToFields(double oleDate, CalendarFields& fields) {
    return OleDate::ToFields(oleDate, fields);
}

void PlatformReadLocalClock(CalendarFields& fields) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    fields.year = local.tm_year + 1900;
    fields.month = local.tm_mon + 1;
    fields.day = local.tm_mday;
    fields.hour = local.tm_hour;
    fields.minute = local.tm_min;
    // A leap second (60) is not a time of day the date value can hold.
    fields.second = local.tm_sec > 59 ? 59 : local.tm_sec;
    fields.milliseconds = static_cast<int>(now.tv_nsec / 1000000);
}

int32_t PlatformUtcOffsetSeconds(int64_t unixTime) {
    const time_t moment = static_cast<time_t>(unixTime);
    tm local{};
    if (localtime_r(&moment, &local) == nullptr)
        return 0;
    return static_cast<int32_t>(local.tm_gmtoff);
}
