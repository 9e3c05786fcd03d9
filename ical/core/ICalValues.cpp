#include "ICalValues.h"

#include "CivilCalendar.h"

namespace {

bool Digits(std::string_view text, size_t at, size_t count, int& value) {
    if (at + count > text.size()) return false;
    value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

}  // namespace

bool ParseDateTimeText(std::string_view text, TimeText& time) {
    int year, month, day;
    if (!Digits(text, 0, 4, year) || !Digits(text, 4, 2, month) || !Digits(text, 6, 2, day)) return false;
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return false;
    time = TimeText();
    CivilTime civil;
    civil.year = year;
    civil.month = month;
    civil.day = day;
    if (text.size() == 8) {
        time.dateOnly = true;
    } else {
        if (text.size() < 15 || (text[8] != 'T' && text[8] != 't')) return false;
        if (!Digits(text, 9, 2, civil.hour) || !Digits(text, 11, 2, civil.minute) || !Digits(text, 13, 2, civil.second))
            return false;
        if (civil.hour > 23 || civil.minute > 59 || civil.second > 60) return false;
        if (civil.second == 60) civil.second = 59;
        if (text.size() == 16 && (text[15] == 'Z' || text[15] == 'z')) time.utc = true;
        else if (text.size() != 15) return false;
    }
    time.wall = WallSeconds(civil);
    return true;
}

bool ParseDurationText(std::string_view text, int64_t& seconds) {
    size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    if (at >= text.size() || (text[at] != 'P' && text[at] != 'p')) return false;
    ++at;
    bool inTime = false, any = false;
    int64_t total = 0;
    while (at < text.size()) {
        const char c = text[at];
        if (c == 'T' || c == 't') {
            if (inTime) return false;
            inTime = true;
            ++at;
            continue;
        }
        int64_t number = 0;
        size_t digits = 0;
        for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at, ++digits) {
            if (digits >= 9) return false;
            number = number * 10 + (text[at] - '0');
        }
        if (digits == 0 || at >= text.size()) return false;
        const char unit = static_cast<char>(text[at] & ~0x20);
        ++at;
        if (!inTime && unit == 'W') total += number * 7 * kSecondsPerDay;
        else if (!inTime && unit == 'D') total += number * kSecondsPerDay;
        else if (inTime && unit == 'H') total += number * 3600;
        else if (inTime && unit == 'M') total += number * 60;
        else if (inTime && unit == 'S') total += number;
        else return false;
        any = true;
    }
    if (!any) return false;
    seconds = negative ? -total : total;
    return true;
}

bool ParseUtcOffsetText(std::string_view text, int32_t& seconds) {
    if (text.size() != 5 && text.size() != 7) return false;
    if (text[0] != '+' && text[0] != '-') return false;
    int hours, minutes, secs = 0;
    if (!Digits(text, 1, 2, hours) || !Digits(text, 3, 2, minutes)) return false;
    if (text.size() == 7 && !Digits(text, 5, 2, secs)) return false;
    if (hours > 23 || minutes > 59 || secs > 59) return false;
    seconds = (hours * 3600 + minutes * 60 + secs) * (text[0] == '-' ? -1 : 1);
    return true;
}

std::string_view FindParameter(std::string_view params, std::string_view name) {
    while (!params.empty()) {
        // One parameter: up to the next ";" outside quotes.
        size_t end = 0;
        bool quoted = false;
        for (; end < params.size(); ++end) {
            if (params[end] == '"') quoted = !quoted;
            else if (params[end] == ';' && !quoted) break;
        }
        const std::string_view param = params.substr(0, end);
        params = end < params.size() ? params.substr(end + 1) : std::string_view();
        const size_t equals = param.find('=');
        if (equals == std::string_view::npos || !EqualsNoCase(param.substr(0, equals), name)) continue;
        std::string_view value = param.substr(equals + 1);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
        return value;
    }
    return {};
}

void AppendUnescapedText(std::string_view value, std::string& out) {
    for (size_t at = 0; at < value.size(); ++at) {
        const char c = value[at];
        if (c == '\0') return;
        if (c != '\\' || at + 1 == value.size()) {
            out += c;
            continue;
        }
        const char next = value[at + 1];
        if (next == 'n' || next == 'N') {
            out += "\r\n";
            ++at;
        } else if (next == '\\' || next == ',' || next == ';' || next == ':') {
            out += next;
            ++at;
        } else {
            out += c;
        }
    }
}
