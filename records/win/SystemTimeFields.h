// Calendar fields to and from the system's SYSTEMTIME.
#pragma once

#include <windows.h>

#include "CalendarPlatform.h"

inline SYSTEMTIME SystemTimeFromFields(const CalendarFields& fields, int weekday = 0) {
    SYSTEMTIME time = {};
    time.wYear = static_cast<WORD>(fields.year);
    time.wMonth = static_cast<WORD>(fields.month);
    time.wDayOfWeek = static_cast<WORD>(weekday);
    time.wDay = static_cast<WORD>(fields.day);
    time.wHour = static_cast<WORD>(fields.hour);
    time.wMinute = static_cast<WORD>(fields.minute);
    time.wSecond = static_cast<WORD>(fields.second);
    time.wMilliseconds = static_cast<WORD>(fields.milliseconds);
    return time;
}

inline CalendarFields FieldsFromSystemTime(const SYSTEMTIME& time) {
    CalendarFields fields;
    fields.year = time.wYear;
    fields.month = time.wMonth;
    fields.day = time.wDay;
    fields.hour = time.wHour;
    fields.minute = time.wMinute;
    fields.second = time.wSecond;
    fields.milliseconds = time.wMilliseconds;
    return fields;
}
