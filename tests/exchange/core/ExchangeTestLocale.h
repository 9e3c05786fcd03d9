// A locale of the tests' own, the same on every machine: dates as
// YYYY-MM-DD, times as HH:MM, ASCII white space and lower case, Latin-1 as
// its code page, and on request the lead bytes 0x81-0x9F of a double-byte
// code page.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "ExchangeLocale.h"

class ExchangeTestLocale : public ExchangeLocale {
public:
    explicit ExchangeTestLocale(bool doubleByte = false) {
        for (int c : {9, 10, 11, 12, 13, 32}) space_[static_cast<size_t>(c)] = true;
        for (int c = 0x81; doubleByte && c <= 0x9F; ++c) lead_[static_cast<size_t>(c)] = true;
    }

    std::string FormatShortDate(const DateTime& date) const override {
        if (!date.IsValid()) return "";
        char text[16];
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.Year(), date.Month(), date.Day());
        return text;
    }
    std::string FormatTime(const DateTime& time) const override {
        if (!time.IsValid()) return "";
        char text[16];
        std::snprintf(text, sizeof text, "%02d:%02d", time.Hour(), time.Minute());
        return text;
    }
    bool ParseDate(const std::string& text, DateTime& date) const override {
        int year = 0, month = 0, day = 0, used = 0;
        if (std::sscanf(text.c_str(), "%4d-%2d-%2d%n", &year, &month, &day, &used) != 3 ||
            static_cast<size_t>(used) != text.size())
            return false;
        date = DateTime::FromFields(year, month, day, 0, 0, 0);
        return date.IsValid();
    }
    bool ParseTime(const std::string& text, DateTime& time) const override {
        int hour = 0, minute = 0, used = 0;
        if (std::sscanf(text.c_str(), "%2d:%2d%n", &hour, &minute, &used) != 2 ||
            static_cast<size_t>(used) != text.size() || hour > 23 || minute > 59)
            return false;
        time = DateTime((hour * 60 + minute) / 1440.0);
        return true;
    }
    void ToLower(std::string& text) const override {
        for (char& c : text)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    void AppendAnsi(const char16_t* text, size_t length, std::string& out) const override {
        for (size_t i = 0; i < length; ++i) {
            if (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < length && text[i + 1] >= 0xDC00 &&
                text[i + 1] <= 0xDFFF)
                ++i;  // the pair is one character
            out += text[i] <= 0xFF ? static_cast<char>(text[i]) : '?';
        }
    }
};
