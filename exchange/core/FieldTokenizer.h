// Splits one line of delimited text into fields: white space trimmed, plain
// fields up to the separator, enclosed fields with doubled enclosers and
// backslash escapes.
#pragma once

#include <string>

#include "ExchangeLocale.h"
#include "ExchangeSettings.h"

class FieldTokenizer {
public:
    // The separator is the first character of settings.Separator; the
    // encloser the first of settings.Encloser, or none when it is empty.
    FieldTokenizer(const ExchangeSettings& settings, const ExchangeLocale& locale);

    // Removes the next field from the front of `line` into `field` (which
    // must be empty); false when nothing is left.
    bool NextField(std::string& line, std::string& field) const;

private:
    char separator_ = '\0';
    char encloser_ = '\0';
    const ExchangeLocale& locale_;
};

// Trims white space (the locale's space bytes) from both ends, stepping by
// characters of the ANSI code page.
std::string TrimSpace(const std::string& text, const ExchangeLocale& locale);
