// The values of iCalendar properties: dates, date-times, durations, UTC
// offsets, parameters and escaped text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "VCardLines.h"

// A DATE ("20261208") or DATE-TIME ("20261208T093000", with "Z" for UTC).
struct TimeText {
    int64_t wall = 0;  // seconds from 1970-01-01 00:00 of its own clock
    bool dateOnly = false;
    bool utc = false;
};

// False for anything else, or an impossible date or time. Seconds of 60 (a
// leap second) read as 59.
bool ParseDateTimeText(std::string_view text, TimeText& time);

// A DURATION ("PT15M", "-P1DT2H", "P2W") in seconds; a day counts 24 hours.
bool ParseDurationText(std::string_view text, int64_t& seconds);

// A UTC-OFFSET ("-0500", "+1030", "+0000"), in seconds east of UTC.
bool ParseUtcOffsetText(std::string_view text, int32_t& seconds);

// The value of parameter `name` (upper case) in a line's parameters, quotes
// removed; empty when it is not there.
std::string_view FindParameter(std::string_view params, std::string_view name);

// Appends TEXT with its escapes resolved: "\n" (or "\N") becomes CR LF, as
// the editors write line breaks; "\\", "\,", "\;" and "\:" give the
// character; any other backslash stays. Text ends at a zero byte, as the
// document file keeps texts.
void AppendUnescapedText(std::string_view value, std::string& out);
