// The code pages of the Windows program: the system's conversions, without
// best fit, as the delimited-text import converts.
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstddef>

#include "ExchangeLocale.h"
#include "VCardCodePages.h"

namespace {

static_assert(sizeof(WCHAR) == sizeof(char16_t), "UTF-16 text is handed to Windows as it is");

// Values of cards are short; a larger one than an int can count is refused
// rather than cut.
bool FitsAnInt(size_t length) { return length <= static_cast<size_t>(INT_MAX) / 4; }

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

    // As the delimited-text import converts: unmappable characters, and a
    // pair beyond U+FFFF, each as one "?".
    void AppendAnsi(const char16_t* text, size_t length, std::string& out) const override {
        PlatformExchangeLocale().AppendAnsi(text, length, out);
    }
};

}  // namespace

const VCardCodePages& PlatformVCardCodePages() {
    static const WindowsCodePages codePages;
    return codePages;
}
