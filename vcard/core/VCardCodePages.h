// What vCard exchange needs of the system's code pages: the user's ANSI
// code page, text of a code page a card names brought to UTF-16, and UTF-16
// text brought to the ANSI code page. Windows answers through its
// conversions (vcard/win); the native build through a stand-in for code page
// 1252 (vcard/native), so that the reader and the writer can be tested and
// fuzzed without Windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Windows' numbers of the code pages the core itself knows.
constexpr uint32_t kCodePageUtf8 = 65001;
constexpr uint32_t kCodePageUsAscii = 20127;
constexpr uint32_t kCodePageLatin1 = 28591;
constexpr uint32_t kCodePageWindows1252 = 1252;

class VCardCodePages {
public:
    virtual ~VCardCodePages() = default;

    // The code page of the program's strings.
    virtual uint32_t AnsiCodePage() const = 0;
    // Appends `length` bytes of code page `codePage` as UTF-16; a byte the
    // code page does not define becomes U+FFFD. False, with nothing
    // appended, when the code page cannot be read here.
    virtual bool AppendUtf16(uint32_t codePage, const char* bytes, size_t length, std::u16string& out) const = 0;
    // Appends UTF-16 text in the ANSI code page. Each character the code
    // page lacks (a surrogate pair is one character, an unpaired surrogate
    // one too) becomes one "?", never a look-alike such as "A" for U+0100:
    // a name must not turn into another one without a word.
    virtual void AppendAnsi(const char16_t* text, size_t length, std::string& out) const = 0;
};

// The Windows code page of a charset name as cards give it ("UTF-8",
// "iso-8859-1", "Windows-1252", "Shift_JIS", ...; case does not matter), or
// 0 for a name we do not know.
uint32_t CodePageOfCharset(std::string_view name);

// The code pages of the platform the program runs on.
const VCardCodePages& PlatformVCardCodePages();
