// How a file's text is recognised and brought into the ANSI code page.
//
// Most of a spreadsheet's text is ASCII even when the file is UTF-8 or
// UTF-16, and ASCII is the same in every ANSI code page: runs of it are
// found eight bytes at a time and copied as they are. Only the runs between
// them go through the locale, one call per run, so that a file of persons
// converts at the speed of a copy rather than of a character at a time.
#include "TextEncoding.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <iterator>

namespace {

using Byte = unsigned char;

bool StartsWith(const Byte* p, size_t length, std::initializer_list<Byte> mark) {
    return length >= mark.size() && std::equal(mark.begin(), mark.end(), p);
}
bool HasUtf8Mark(const Byte* p, size_t length) { return StartsWith(p, length, {0xEF, 0xBB, 0xBF}); }

uint64_t Load8(const Byte* p) {
    uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// Eight bytes of `pattern` as one word, in the order they lie in memory on
// any machine.
uint64_t Pattern8(Byte even, Byte odd) {
    const Byte bytes[8] = {even, odd, even, odd, even, odd, even, odd};
    return Load8(bytes);
}

// Past the ASCII bytes at `p`.
const Byte* SkipAscii(const Byte* p, const Byte* end) {
    static const uint64_t kHighBits = Pattern8(0x80, 0x80);
    while (end - p >= 8 && (Load8(p) & kHighBits) == 0) p += 8;
    while (p < end && *p < 0x80) ++p;
    return p;
}

// Past the ASCII code units at `p` ([p, end) holds whole units).
const Byte* SkipAsciiUnits(const Byte* p, const Byte* end, bool bigEndian) {
    static const uint64_t kLittle = Pattern8(0x80, 0xFF);
    static const uint64_t kBig = Pattern8(0xFF, 0x80);
    const uint64_t notAscii = bigEndian ? kBig : kLittle;
    while (end - p >= 8 && (Load8(p) & notAscii) == 0) p += 8;
    const int high = bigEndian ? 0 : 1;
    while (p < end && p[high] == 0 && p[1 - high] < 0x80) p += 2;
    return p;
}

// The line breaks in [p, end) as the readers count them, where the byte at
// `end`, if any, is not a line feed.
int32_t CountBreaks(const char* p, const char* end) {
    int32_t breaks = 0;
    for (; p < end; ++p) {
        if (*p == '\n' || (*p == '\r' && (p + 1 == end || p[1] != '\n'))) ++breaks;
    }
    return breaks;
}

int32_t AddCounts(int32_t a, int32_t b) { return a > INT32_MAX - b ? INT32_MAX : a + b; }

}  // namespace

Utf8Sequence ReadUtf8(const Byte* p, const Byte* end) {
    const Byte lead = *p;
    size_t length = 0;
    char32_t value = 0;
    // The range of the second byte: narrower after E0 (overlong), ED
    // (surrogates), F0 (overlong) and F4 (past U+10FFFF).
    Byte low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0Fu;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07u;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return {1, false, 0};
    }
    for (size_t i = 1; i < length; ++i) {
        if (p + i == end || p[i] < low || p[i] > high) return {i, false, 0};
        value = value << 6 | (p[i] & 0x3Fu);
        low = 0x80;
        high = 0xBF;
    }
    return {length, true, value};
}

TextEncoding DetectTextEncoding(const char* bytes, size_t length) {
    const Byte* p = reinterpret_cast<const Byte*>(bytes);
    if (HasUtf8Mark(p, length)) return TextEncoding::kUtf8;
    if (StartsWith(p, length, {0xFF, 0xFE})) return TextEncoding::kUtf16LE;
    if (StartsWith(p, length, {0xFE, 0xFF})) return TextEncoding::kUtf16BE;
    const Byte* end = p + length;
    bool beyondAscii = false;
    while ((p = SkipAscii(p, end)) < end) {
        const Utf8Sequence sequence = ReadUtf8(p, end);
        if (!sequence.valid) return TextEncoding::kAnsi;
        beyondAscii = true;
        p += sequence.length;
    }
    return beyondAscii ? TextEncoding::kUtf8 : TextEncoding::kAnsi;
}

// Builds an AnsiText's converted text and its losses: ASCII copied, the runs
// between gathered as UTF-16 and handed to the locale. Every "?" the locale
// gives for a run is a loss: a run holds no ASCII "?" of the file (what an
// invalid sequence stands for is put in as "?" to be counted the same way),
// and a "?" byte is never part of a double-byte character.
class AnsiConverter {
public:
    AnsiConverter(AnsiText& text, const ExchangeLocale& locale)
        : out_(text.converted_), lines_(text.lines_), locale_(locale) {}

    void FromUtf8(const Byte* p, const Byte* end) {
        out_.reserve(static_cast<size_t>(end - p));
        while (p < end) {
            const Byte* ascii = p;
            p = SkipAscii(p, end);
            out_.append(reinterpret_cast<const char*>(ascii), static_cast<size_t>(p - ascii));
            while (p < end && *p >= 0x80) {
                const Utf8Sequence sequence = ReadUtf8(p, end);
                p += sequence.length;
                if (!sequence.valid) {
                    units_ += u'?';
                } else if (sequence.value < 0x10000) {
                    units_ += static_cast<char16_t>(sequence.value);
                } else {
                    const char32_t above = sequence.value - 0x10000;
                    units_ += static_cast<char16_t>(0xD800 + (above >> 10));
                    units_ += static_cast<char16_t>(0xDC00 + (above & 0x3FF));
                }
            }
            Flush();
        }
    }

    void FromUtf16(const Byte* p, const Byte* end, bool bigEndian) {
        const Byte* whole = p + ((end - p) & ~ptrdiff_t(1));
        out_.reserve(static_cast<size_t>(end - p) / 2 + 16);
        const int high = bigEndian ? 0 : 1;
        const auto unitAt = [high](const Byte* q) { return static_cast<char16_t>(q[high] << 8 | q[1 - high]); };
        while (p < whole) {
            const Byte* ascii = p;
            p = SkipAsciiUnits(p, whole, bigEndian);
            const size_t at = out_.size();
            out_.resize(at + static_cast<size_t>(p - ascii) / 2);
            char* copy = &out_[0] + at;
            for (const Byte* q = ascii; q < p; q += 2) *copy++ = static_cast<char>(q[1 - high]);
            for (char16_t unit; p < whole && (unit = unitAt(p)) >= 0x80; p += 2) {
                const bool leading = unit >= 0xD800 && unit <= 0xDBFF;
                if (leading && whole - p >= 4 && unitAt(p + 2) >= 0xDC00 && unitAt(p + 2) <= 0xDFFF) {
                    units_ += unit;
                    units_ += unitAt(p + 2);
                    p += 2;
                } else {
                    units_ += unit >= 0xD800 && unit <= 0xDFFF ? u'?' : unit;
                }
            }
            Flush();
        }
        if (whole < end) {
            units_ += u'?';
            Flush();
        }
    }

private:
    void Flush() {
        if (units_.empty()) return;
        const size_t at = out_.size();
        locale_.AppendAnsi(units_.data(), units_.size(), out_);
        units_.clear();
        const auto lost = std::count(out_.begin() + static_cast<ptrdiff_t>(at), out_.end(), '?');
        if (lost > 0) AddLost(at, lost > INT32_MAX ? INT32_MAX : static_cast<int32_t>(lost));
    }

    // Losses at `at` in the output, on the line the text has reached there.
    void AddLost(size_t at, int32_t lost) {
        line_ += CountBreaks(out_.data() + counted_, out_.data() + at);
        counted_ = at;
        if (!lines_.empty() && lines_.back().line == line_) {
            lines_.back().lostThrough = AddCounts(lines_.back().lostThrough, lost);
        } else {
            lines_.push_back({line_, AddCounts(lines_.empty() ? 0 : lines_.back().lostThrough, lost)});
        }
    }

    std::string& out_;
    std::vector<AnsiText::LineLoss>& lines_;
    const ExchangeLocale& locale_;
    std::u16string units_;  // the run being gathered
    size_t counted_ = 0;    // the output before this has its line breaks counted
    int32_t line_ = 1;      // the line at `counted_`
};

AnsiText::AnsiText(const char* bytes, size_t length, const ExchangeLocale& locale)
    : bytes_(bytes), length_(length), encoding_(DetectTextEncoding(bytes, length)) {
    if (encoding_ == TextEncoding::kAnsi) return;
    const Byte* p = reinterpret_cast<const Byte*>(bytes);
    AnsiConverter converter(*this, locale);
    if (encoding_ == TextEncoding::kUtf8)
        converter.FromUtf8(p + (HasUtf8Mark(p, length) ? 3 : 0), p + length);
    else
        converter.FromUtf16(p + 2, p + length, encoding_ == TextEncoding::kUtf16BE);
}

int32_t AnsiText::LostThrough(int32_t line) const {
    const auto after = std::upper_bound(lines_.begin(), lines_.end(), line,
                                        [](int32_t value, const LineLoss& loss) { return value < loss.line; });
    return after == lines_.begin() ? 0 : std::prev(after)->lostThrough;
}

int32_t AnsiText::LostOnLines(int32_t firstLine, int32_t lastLine) const {
    firstLine = std::max(firstLine, 1);
    if (firstLine > lastLine) return 0;
    return LostThrough(lastLine) - LostThrough(firstLine - 1);
}
