// The locale the exchange fuzzers read with: the platform's (on the native
// build, the en-US stand-in), optionally with the lead bytes 0x81-0x9F of a
// double-byte code page, so that the stepping over double-byte characters
// is fuzzed as well.
#pragma once

#include <cstddef>
#include <string>

#include "ExchangeLocale.h"

class ExchangeFuzzLocale : public ExchangeLocale {
public:
    explicit ExchangeFuzzLocale(bool doubleByte) : base_(PlatformExchangeLocale()) {
        space_ = base_.SpaceBytes();
        lead_ = base_.LeadBytes();
        for (int c = 0x81; doubleByte && c <= 0x9F; ++c) lead_[static_cast<size_t>(c)] = true;
    }
    std::string FormatShortDate(const DateTime& date) const override { return base_.FormatShortDate(date); }
    std::string FormatTime(const DateTime& time) const override { return base_.FormatTime(time); }
    bool ParseDate(const std::string& text, DateTime& date) const override { return base_.ParseDate(text, date); }
    bool ParseTime(const std::string& text, DateTime& time) const override { return base_.ParseTime(text, time); }
    void ToLower(std::string& text) const override { base_.ToLower(text); }
    void AppendAnsi(const char16_t* text, size_t length, std::string& out) const override {
        base_.AppendAnsi(text, length, out);
    }

private:
    const ExchangeLocale& base_;
};
