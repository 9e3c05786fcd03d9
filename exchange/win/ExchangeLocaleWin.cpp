// The locale of the Windows program: the user's date and time formats, the
// system's date parser, the thread locale's character classes and the ANSI
// code page's conversion from Unicode.
#include <windows.h>
#include <oleauto.h>

#include <algorithm>
#include <cstddef>
#include <string>

#include "CalendarPlatform.h"
#include "ExchangeLocale.h"
#include "OleDateArithmetic.h"
#include "SystemTimeFields.h"

namespace {

// The texts the writers ask for are short: 80 characters is room enough for
// any short date or time the user's settings make.
constexpr int kFormatCapacity = 80;

using LocaleFormatter = int(WINAPI*)(LCID, DWORD, const SYSTEMTIME*, LPCSTR, LPSTR, int);

std::string Format(LocaleFormatter format, DWORD flags, const DateTime& date) {
    CalendarFields fields;
    if (!date.IsValid() || !PlatformOleDateToFields(date.Value(), fields)) return "";
    const int64_t days = OleDate::DaysFromCivil(fields.year, fields.month, fields.day);
    const SYSTEMTIME time = SystemTimeFromFields(fields, OleDate::WeekdayFromDays(days));
    char text[kFormatCapacity];
    const int length = format(LOCALE_USER_DEFAULT, flags, &time, nullptr, text, kFormatCapacity);
    return length > 0 ? std::string(text, static_cast<size_t>(length - 1)) : std::string();
}

// VarDateFromStr takes wide text: the ANSI text is converted first.
bool Parse(const std::string& text, ULONG flags, DateTime& result) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) return false;
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    DATE value = 0;
    if (FAILED(VarDateFromStr(&wide[0], LOCALE_USER_DEFAULT, flags, &value))) return false;
    result = DateTime(value);
    return true;
}

static_assert(sizeof(WCHAR) == sizeof(char16_t), "UTF-16 text is handed to Windows as it is");

// Appends `length` units of UTF-16 text (no pair cut in two) in the ANSI
// code page, unmappable characters as "?". A code page of UTF-8 maps every
// character and takes neither the flag nor a default character.
void AppendConverted(const char16_t* text, size_t length, std::string& out) {
    static const bool utf8 = GetACP() == CP_UTF8;
    // Pieces whose every size fits an int; a piece never ends inside a pair.
    constexpr size_t kPiece = 1 << 20;
    while (length > 0) {
        size_t piece = std::min(length, kPiece);
        if (piece < length && text[piece - 1] >= 0xD800 && text[piece - 1] <= 0xDBFF) --piece;
        // Three bytes a unit is room for any code page, UTF-8 included.
        const size_t at = out.size();
        out.resize(at + 3 * piece);
        const int written = WideCharToMultiByte(
            CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, reinterpret_cast<const WCHAR*>(text), static_cast<int>(piece),
            &out[at], static_cast<int>(3 * piece), utf8 ? nullptr : "?", nullptr);
        if (written > 0) {
            out.resize(at + static_cast<size_t>(written));
        } else {
            out.replace(at, std::string::npos, piece, '?');
        }
        text += piece;
        length -= piece;
    }
}

bool IsPairAt(const char16_t* text, size_t i, size_t length) {
    return text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < length && text[i + 1] >= 0xDC00 &&
           text[i + 1] <= 0xDFFF;
}

class WindowsLocale : public ExchangeLocale {
public:
    WindowsLocale() {
        const LCID thread = GetThreadLocale();
        for (int c = 0; c < 256; ++c) {
            const char byte = static_cast<char>(c);
            WORD type = 0;
            if (GetStringTypeExA(thread, CT_CTYPE1, &byte, 1, &type) && (type & C1_SPACE))
                space_[static_cast<size_t>(c)] = true;
            lead_[static_cast<size_t>(c)] = IsDBCSLeadByte(static_cast<BYTE>(c)) != FALSE;
        }
    }

    std::string FormatShortDate(const DateTime& date) const override {
        return Format(GetDateFormatA, DATE_SHORTDATE, date);
    }
    std::string FormatTime(const DateTime& time) const override {
        return Format(GetTimeFormatA, TIME_NOSECONDS, time);
    }
    bool ParseDate(const std::string& text, DateTime& date) const override {
        return Parse(text, VAR_DATEVALUEONLY, date);
    }
    bool ParseTime(const std::string& text, DateTime& time) const override {
        return Parse(text, VAR_TIMEVALUEONLY, time);
    }
    void ToLower(std::string& text) const override {
        if (!text.empty()) CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
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

const ExchangeLocale& PlatformExchangeLocale() {
    static const WindowsLocale locale;
    return locale;
}
