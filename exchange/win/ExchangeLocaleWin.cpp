// The locale of the Windows program: the user's date and time formats, the
// system's date parser and the thread locale's character classes.
#include <windows.h>
#include <oleauto.h>

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
};

}  // namespace

const ExchangeLocale& PlatformExchangeLocale() {
    static const WindowsLocale locale;
    return locale;
}
