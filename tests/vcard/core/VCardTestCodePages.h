// Code pages of the tests' own, the same on every machine: the ANSI code
// page is ISO-8859-1, where every byte 1-255 is a character and back, and
// the charsets known are UTF-8 and ISO-8859-1.
#pragma once

#include <string>

#include "VCardCodePages.h"
#include "VCardUnicode.h"

class VCardTestCodePages : public VCardCodePages {
public:
    uint32_t AnsiCodePage() const override { return kCodePageLatin1; }
    bool AppendUtf16(uint32_t codePage, const char* bytes, size_t length, std::u16string& out) const override {
        if (codePage == kCodePageUtf8) {
            ::AppendUtf16(std::string_view(bytes, length), out);
            return true;
        }
        if (codePage != kCodePageLatin1) return false;
        for (size_t i = 0; i < length; ++i) out += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]));
        return true;
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
