// What delimited text needs of the user's locale: dates and times as text
// and back, white space and lower case in the ANSI code page, and Unicode
// text in that code page. Windows answers through its locale services; the
// native build through a fixed en-US-like stand-in, so that the readers can
// be fuzzed and tested without Windows.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "DateTime.h"

class ExchangeLocale {
public:
    virtual ~ExchangeLocale() = default;

    // The user's short date ("3/4/2002") and time without seconds
    // ("10:08 AM").
    virtual std::string FormatShortDate(const DateTime& date) const = 0;
    virtual std::string FormatTime(const DateTime& time) const = 0;
    // Text read as a date only, or as a time of day only (the date part of
    // the result is then 1899-12-30), as VarDateFromStr reads it. False when
    // the text is not one.
    virtual bool ParseDate(const std::string& text, DateTime& date) const = 0;
    virtual bool ParseTime(const std::string& text, DateTime& time) const = 0;
    // Lower case as CharLowerA gives it.
    virtual void ToLower(std::string& text) const = 0;
    // Appends UTF-16 text in the ANSI code page. Each character the code
    // page lacks (a surrogate pair is one character, an unpaired surrogate
    // one too) becomes one "?", never a look-alike such as "A" for U+0100:
    // a name must not turn into another one without a word.
    virtual void AppendAnsi(const char16_t* text, size_t length, std::string& out) const = 0;

    // Byte classes of the ANSI code page, filled once by the implementation:
    // white space (C1_SPACE), and the lead bytes of double-byte characters.
    const std::array<bool, 256>& SpaceBytes() const { return space_; }
    const std::array<bool, 256>& LeadBytes() const { return lead_; }

protected:
    std::array<bool, 256> space_{};
    std::array<bool, 256> lead_{};
};

// The locale of the platform the program runs on: Windows' user locale, or
// the native stand-in.
const ExchangeLocale& PlatformExchangeLocale();
