// A date/time value as text: the system's locale-aware date and time formats,
// and the C library's strftime picture language.
#pragma once

#include <windows.h>

#include <string>

#include "DateTime.h"

namespace DateText {

// GetDateFormatA for the given locale and flags; with a picture (such as
// "dddd, MMMM d") the picture is used instead of the locale's format. ""
// when the date is invalid or the system cannot format it, which includes
// dates before 1601 and texts longer than 254 characters.
std::string FormatDate(const DateTime& date, LCID locale, DWORD flags, const char* picture = nullptr);

// GetTimeFormatA, by the same rules.
std::string FormatTime(const DateTime& date, LCID locale, DWORD flags, const char* picture = nullptr);

// strftime with the given picture, up to 4095 characters; "" when the date is
// invalid or the text does not fit.
std::string FormatFree(const DateTime& date, const char* picture);

}  // namespace DateText
