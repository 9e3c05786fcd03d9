// UTF-8, UTF-16 and the ANSI code page, as vCard text moves between them.
//
// Cards are UTF-8 unless they say otherwise, and the program's strings are in
// the ANSI code page. Nearly all of a card is ASCII, the same in every one of
// these: runs of it are copied as they are, and only the runs between go
// through the code pages, one call per run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "VCardCodePages.h"

// Whether the bytes are UTF-8: no overlong forms, no surrogates, nothing
// past U+10FFFF, no sequence cut short.
bool IsUtf8(std::string_view bytes);

// Whether every byte is below 0x80.
bool IsAscii(std::string_view bytes);

// Appends UTF-16 text as UTF-8; an unpaired surrogate becomes U+FFFD.
void AppendUtf8(const char16_t* text, size_t length, std::string& out);
// Appends UTF-8 text as UTF-16; each byte that starts no valid sequence
// becomes U+FFFD.
void AppendUtf16(std::string_view utf8, std::u16string& out);

// Conversions of one import or export, with room kept between calls.
class VCardConverter {
public:
    explicit VCardConverter(const VCardCodePages& codePages) : codePages_(codePages) {}

    // Appends UTF-8 text (valid) in the ANSI code page; the characters it
    // lacks become "?" and are counted in the result.
    int32_t Utf8ToAnsi(std::string_view utf8, std::string& out);
    // Appends text in the ANSI code page as UTF-8.
    void AnsiToUtf8(std::string_view ansi, std::string& out);
    // Appends bytes of `codePage` as UTF-8; false, with nothing appended,
    // when the code page cannot be read.
    bool CodePageToUtf8(uint32_t codePage, std::string_view bytes, std::string& out);

    const VCardCodePages& CodePages() const { return codePages_; }

private:
    const VCardCodePages& codePages_;
    std::u16string units_;
};
