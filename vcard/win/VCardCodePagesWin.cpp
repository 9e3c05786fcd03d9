// The code pages of the Windows program: the system's conversions, without
// best fit, as the delimited-text import converts.
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstddef>

#include "VCardCodePages.h"

namespace {

static_assert(sizeof(WCHAR) == sizeof(char16_t), "UTF-16 text is handed to Windows as it is");

// Values of cards are short; a larger one than an int can count is refused
// rather than cut.
bool FitsAnInt(size_t length) { return length <= static_cast<size_t>(INT_MAX) / 4; }

// Appends `length` units (no pair cut in two) in the ANSI code page,
// unmappable characters as "?". A code page of UTF-8 maps every character
// and takes neither the flag nor a default character.
void AppendConverted(const char16_t* text, size_t length, std::string& out) {
    static const bool utf8 = GetACP() == CP_UTF8;
    if (length == 0) return;
    if (!FitsAnInt(length)) {
        out.append(length, '?');
        return;
    }
    // Three bytes a unit is room for any code page, UTF-8 included.
    const size_t at = out.size();
    out.resize(at + 3 * length);
    const int written = WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS,
                                            reinterpret_cast<const WCHAR*>(text), static_cast<int>(length),
                                            &out[at], static_cast<int>(3 * length), utf8 ? nullptr : "?", nullptr);
    if (written > 0) {
        out.resize(at + static_cast<size_t>(written));
    } else {
        out.replace(at, std::string::npos, length, '?');
    }
}

bool IsPairAt(const char16_t* text, size_t i, size_t length) {
    return text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < length && text[i + 1] >= 0xDC00 &&
           text[i + 1] <= 0xDFFF;
}

class WindowsCodePages : public VCardCodePages {
public:
    uint32_t AnsiCodePage() const override { return GetACP(); }

    bool AppendUtf16(uint32_t codePage, const char* bytes, size_t length, std::u16string& out) const override {
        if (!IsValidCodePage(codePage) || !FitsAnInt(length)) return false;
        if (length == 0) return true;
        const int units = MultiByteToWideChar(codePage, 0, bytes, static_cast<int>(length), nullptr, 0);
        if (units <= 0) return false;
        const size_t at = out.size();
        out.resize(at + static_cast<size_t>(units));
        const int written = MultiByteToWideChar(codePage, 0, bytes, static_cast<int>(length),
                                                reinterpret_cast<WCHAR*>(&out[at]), units);
        out.resize(at + static_cast<size_t>(std::max(written, 0)));
        return written > 0;
    }

    // A character beyond U+FFFF that the code page lacks is one "?", where
    // the system may give one for each half of its pair.
    void AppendAnsi(const char16_t* text, size_t length, std::string& out) const override {
        size_t start = 0;
        for (size_t i = 0; i < length; ++i) {
            if (!IsPairAt(text, i, length)) continue;
            AppendConverted(text + start, i - start, out);
            const size_t at = out.size();
            AppendConverted(text + i, 2, out);
            if (out.compare(at, std::string::npos, "??") == 0) out.resize(at + 1);
            start = ++i + 1;
        }
        AppendConverted(text + start, length - start, out);
    }
};

}  // namespace

const VCardCodePages& PlatformVCardCodePages() {
    static const WindowsCodePages codePages;
    return codePages;
}
