// The code pages of builds without Windows: a stand-in for the en-US user
// the Windows tests run as (ANSI code page 1252), which reads UTF-8,
// US-ASCII, ISO-8859-1 and Windows-1252 and knows no other code page.
#include <cstddef>

#include "VCardCodePages.h"
#include "VCardUnicode.h"

namespace {

// The characters code page 1252 puts at 0x80-0x9F. Where it defines none
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) Windows maps the byte to the control
// character of the same number, both ways, and so does the stand-in.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t FromCp1252(unsigned char byte) { return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte; }

// A character's byte in code page 1252, or "?".
char ToCp1252(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (size_t i = 0; i < 32; ++i) {
        if (kCp1252High[i] == c) return static_cast<char>(0x80 + i);
    }
    return '?';
}

class StandInCodePages : public VCardCodePages {
public:
    uint32_t AnsiCodePage() const override { return kCodePageWindows1252; }

    bool AppendUtf16(uint32_t codePage, const char* bytes, size_t length, std::u16string& out) const override {
        const auto* p = reinterpret_cast<const unsigned char*>(bytes);
        switch (codePage) {
            case kCodePageUtf8:
                ::AppendUtf16(std::string_view(bytes, length), out);
                return true;
            case kCodePageUsAscii:
                for (size_t i = 0; i < length; ++i) out += p[i] < 0x80 ? char16_t(p[i]) : u'\uFFFD';
                return true;
            case kCodePageLatin1:
                for (size_t i = 0; i < length; ++i) out += char16_t(p[i]);
                return true;
            case kCodePageWindows1252:
                for (size_t i = 0; i < length; ++i) out += FromCp1252(p[i]);
                return true;
            default:
                return false;
        }
    }

    void AppendAnsi(const char16_t* text, size_t length, std::string& out) const override {
        for (size_t i = 0; i < length; ++i) {
            // A pair is a character beyond U+FFFF: one "?".
            if (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < length && text[i + 1] >= 0xDC00 &&
                text[i + 1] <= 0xDFFF)
                ++i;
            out += ToCp1252(text[i]);
        }
    }
};

}  // namespace

const VCardCodePages& PlatformVCardCodePages() {
    static const StandInCodePages codePages;
    return codePages;
}
