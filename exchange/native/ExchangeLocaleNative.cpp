// The locale of builds without Windows: a fixed stand-in for the user
// locale the Windows tests run in (en-US, code page 1252), so that the
// readers and writers can be tested and fuzzed anywhere. Short dates read and
// write as M/D/YYYY, times as "h:mm AM"; parsing accepts those forms (and a
// date followed by a time) strictly, where the system's parser would accept
// many more. Unicode text is brought into code page 1252.
#include <cstddef>
#include <string>

#include "CalendarPlatform.h"
#include "ExchangeLocale.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAsciiSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// A cursor over a text, for the two small parsers.
class Reader {
public:
    explicit Reader(const std::string& text) : text_(text) {}

    void SkipSpace() {
        while (i_ < text_.size() && IsAsciiSpace(text_[i_])) ++i_;
    }
    bool AtEnd() const { return i_ == text_.size(); }
    // One to `most` digits.
    bool Number(int most, int& value, int& digits) {
        value = 0;
        digits = 0;
        while (digits < most && i_ < text_.size() && IsDigit(text_[i_])) {
            value = value * 10 + (text_[i_++] - '0');
            ++digits;
        }
        return digits > 0 && !(i_ < text_.size() && IsDigit(text_[i_]));
    }
    bool Take(char c) {
        if (i_ < text_.size() && text_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }
    bool TakeWord(const char* word) {
        size_t j = i_;
        for (; *word; ++word, ++j) {
            if (j >= text_.size() || AsciiLower(text_[j]) != *word) return false;
        }
        i_ = j;
        return true;
    }

private:
    const std::string& text_;
    size_t i_ = 0;
};

// M/D/Y: a year of one or two digits is taken from 1930 to 2029, as the
// system's parser does; three or four digits are the year itself.
bool ReadDate(Reader& in, int& year, int& month, int& day) {
    int digits = 0;
    if (!in.Number(2, month, digits) || !in.Take('/')) return false;
    if (!in.Number(2, day, digits) || !in.Take('/')) return false;
    if (!in.Number(4, year, digits)) return false;
    if (digits <= 2) year += year < 30 ? 2000 : 1900;
    return true;
}

// H:MM or H:MM:SS, then AM or PM (hours 1 to 12), or a 24-hour time.
bool ReadTime(Reader& in, int& hour, int& minute, int& second) {
    int digits = 0;
    if (!in.Number(2, hour, digits) || !in.Take(':')) return false;
    if (!in.Number(2, minute, digits) || digits != 2 || minute > 59) return false;
    second = 0;
    if (in.Take(':') && (!in.Number(2, second, digits) || digits != 2 || second > 59)) return false;
    in.SkipSpace();
    const bool am = in.TakeWord("am");
    const bool pm = !am && in.TakeWord("pm");
    if (am || pm) {
        if (hour < 1 || hour > 12) return false;
        hour = hour % 12 + (pm ? 12 : 0);
    }
    return hour <= 23;
}

// The characters code page 1252 puts at 0x80-0x9F, 0 where it has none
// (0x81, 0x8D, 0x8F, 0x90, 0x9D); 0xA0-0xFF are Latin-1.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// A character's byte in code page 1252, or "?".
char Cp1252Byte(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (size_t i = 0; i < 32; ++i) {
        if (kCp1252High[i] == c) return static_cast<char>(0x80 + i);
    }
    return '?';
}

bool IsLeadingSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsTrailingSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The calendar fields of a date the system would format.
bool Fields(const DateTime& date, CalendarFields& fields) {
    return date.IsValid() && PlatformOleDateToFields(date.Value(), fields) && fields.year >= 1601;
}

// A number of at least `digits` digits.
void AppendNumber(std::string& text, int value, int digits) {
    char reversed[12];
    int count = 0;
    do {
        reversed[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0 || count < digits);
    while (count > 0) text += reversed[--count];
}

class StandInLocale : public ExchangeLocale {
public:
    StandInLocale() {
        // What code page 1252 classes as white space: TAB, LF, VT, FF, CR,
        // the space and the no-break space. It has no double-byte
        // characters.
        for (int c : {0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x20, 0xA0}) space_[static_cast<size_t>(c)] = true;
    }

    // The system formats no date before 1601; neither does the stand-in.
    std::string FormatShortDate(const DateTime& date) const override {
        CalendarFields fields;
        if (!Fields(date, fields)) return "";
        std::string text;
        AppendNumber(text, fields.month, 1);
        text += '/';
        AppendNumber(text, fields.day, 1);
        text += '/';
        AppendNumber(text, fields.year, 4);
        return text;
    }

    std::string FormatTime(const DateTime& time) const override {
        CalendarFields fields;
        if (!Fields(time, fields)) return "";
        std::string text;
        AppendNumber(text, fields.hour % 12 == 0 ? 12 : fields.hour % 12, 1);
        text += ':';
        AppendNumber(text, fields.minute, 2);
        text += fields.hour < 12 ? " AM" : " PM";
        return text;
    }

    // A date, or a date and a time; the time is left out of the value.
    bool ParseDate(const std::string& text, DateTime& date) const override {
        Reader in(text);
        in.SkipSpace();
        int year = 0, month = 0, day = 0;
        if (!ReadDate(in, year, month, day)) return false;
        in.SkipSpace();
        if (!in.AtEnd()) {
            int hour = 0, minute = 0, second = 0;
            if (!ReadTime(in, hour, minute, second)) return false;
            in.SkipSpace();
            if (!in.AtEnd()) return false;
        }
        date = DateTime::FromFields(year, month, day, 0, 0, 0);
        return date.IsValid();
    }

    // A time, a date and a time, or a date alone (midnight); the value's day
    // is 1899-12-30.
    bool ParseTime(const std::string& text, DateTime& time) const override {
        Reader timeOnly(text);
        Reader dated(text);
        timeOnly.SkipSpace();
        dated.SkipSpace();
        Reader* in = &timeOnly;
        int year = 0, month = 0, day = 0;
        if (ReadDate(dated, year, month, day)) {
            if (!DateTime::FromFields(year, month, day, 0, 0, 0).IsValid()) return false;
            dated.SkipSpace();
            if (dated.AtEnd()) {
                time = DateTime(0.0);
                return true;
            }
            in = &dated;
        }
        int hour = 0, minute = 0, second = 0;
        if (!ReadTime(*in, hour, minute, second)) return false;
        in->SkipSpace();
        if (!in->AtEnd()) return false;
        time = DateTime((hour * 3600 + minute * 60 + second) / 86400.0);
        return true;
    }

    void ToLower(std::string& text) const override {
        for (char& c : text) c = AsciiLower(c);
    }

    // Code page 1252 without best fit, as the Windows program converts.
    void AppendAnsi(const char16_t* text, size_t length, std::string& out) const override {
        for (size_t i = 0; i < length; ++i) {
            // A pair is a character beyond U+FFFF: one "?".
            if (IsLeadingSurrogate(text[i]) && i + 1 < length && IsTrailingSurrogate(text[i + 1])) ++i;
            out += Cp1252Byte(text[i]);
        }
    }
};

}  // namespace

const ExchangeLocale& PlatformExchangeLocale() {
    static const StandInLocale locale;
    return locale;
}
