// Byte classes and small readers shared by SimpleXMLParser (which checks the
// input) and XmlAttributeList (which re-reads attributes from checked bytes).
// Internal to the XML parser; nothing else should include it.
//
// The grammar reads through a reader that passes over one carriage return
// before each byte it returns, so "CR LF" reads as LF and "a CR b" inside a
// name reads as "ab". The scanners below follow that rule wherever a CR could
// change the meaning: inside names, entity references and fixed words. In
// white space and in slices (text, values, comments) a CR is just another
// byte, so plain byte loops are exact there.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#define XMLCHARS_WINDOWS 1
#else
#define XMLCHARS_WINDOWS 0
#endif

namespace xmlchars {

enum ByteClass : uint8_t {
    kNameStart = 1 << 0,   // A-Z a-z _ :
    kNameChar = 1 << 1,    // name start, digits, - and .
    kSpace = 1 << 2,       // TAB LF CR SPACE
    kDoubleStop = 1 << 3,  // ends a plain run in a "..." value: " & < and 0
    kSingleStop = 1 << 4,  // ends a plain run in a '...' value: ' & < and 0
    kTextStop = 1 << 5,    // ends a plain run of element content: < & ] and 0
    kCdataByte = 1 << 6,   // allowed inside CDATA: TAB LF CR 0x20-0x7F
    kNotName = 1 << 7,     // not a name byte (the complement of kNameChar)
};

constexpr std::array<uint8_t, 256> MakeClassTable()
{
    std::array<uint8_t, 256> t{};
    for (int c = 0; c < 256; ++c) {
        uint8_t bits = 0;
        bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        bool digit = c >= '0' && c <= '9';
        if (letter || c == '_' || c == ':') bits |= kNameStart | kNameChar;
        if (digit || c == '-' || c == '.') bits |= kNameChar;
        if (!(bits & kNameChar)) bits |= kNotName;
        if (c == '\t' || c == '\n' || c == '\r' || c == ' ') bits |= kSpace;
        if (c == '"' || c == '&' || c == '<' || c == 0) bits |= kDoubleStop;
        if (c == '\'' || c == '&' || c == '<' || c == 0) bits |= kSingleStop;
        if (c == '<' || c == '&' || c == ']' || c == 0) bits |= kTextStop;
        if (c == '\t' || c == '\n' || c == '\r' || (c >= 0x20 && c <= 0x7F)) bits |= kCdataByte;
        t[static_cast<size_t>(c)] = bits;
    }
    return t;
}

inline constexpr std::array<uint8_t, 256> kClass = MakeClassTable();

inline bool Is(char c, uint8_t bits) { return (kClass[static_cast<uint8_t>(c)] & bits) != 0; }

// Passes over bytes whose class has none of the `stop` bits; stops at such a
// byte or at the end. Names, values and the text between tags are short and
// many, so the loop is unrolled to test the end once every four bytes.
inline const char* SkipUntil(const char* p, const char* end, uint8_t stop)
{
    while (end - p >= 4) {
        if (Is(p[0], stop)) return p;
        if (Is(p[1], stop)) return p + 1;
        if (Is(p[2], stop)) return p + 2;
        if (Is(p[3], stop)) return p + 3;
        p += 4;
    }
    while (p != end && !Is(*p, stop)) ++p;
    return p;
}

// The same over bytes known to hold a stopping byte before their end (bytes
// the parser has checked), so the end need not be tested.
inline const char* SkipUntilKnown(const char* p, uint8_t stop)
{
    for (;; p += 4) {
        if (Is(p[0], stop)) return p;
        if (Is(p[1], stop)) return p + 1;
        if (Is(p[2], stop)) return p + 2;
        if (Is(p[3], stop)) return p + 3;
    }
}

// One step of the reader without consuming: passes over a single CR and
// returns the byte there, or 0 at the end. `at` receives that position, so
// the byte is consumed by continuing at at + 1. A zero byte in the input
// reads as the end mark as well.
inline char Look(const char* p, const char* end, const char*& at)
{
    if (p != end && *p == '\r') ++p;
    at = p;
    return p != end ? *p : '\0';
}

// The same over a value in double quotes: stops at '"', '&', '<' or a zero
// byte. Notes run long, so where SSE2 is at hand 16 bytes go at a time.
inline const char* SkipValueBytes(const char* p, const char* end)
{
#if XMLCHARS_WINDOWS
    while (end - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i stop = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('"')),
                                                       _mm_cmpeq_epi8(v, _mm_set1_epi8('&'))),
                                          _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('<')),
                                                       _mm_cmpeq_epi8(v, _mm_setzero_si128())));
        const int bits = _mm_movemask_epi8(stop);
        if (bits) return p + __builtin_ctz(static_cast<unsigned>(bits));
        p += 16;
    }
#endif
    return SkipUntil(p, end, kDoubleStop);
}

// Skips white space. Every CR is white space or passed over, so a byte loop
// gives the same position as the reader.
inline const char* SkipSpace(const char* p, const char* end)
{
    while (p != end && Is(*p, kSpace)) ++p;
    return p;
}

// Scans a name whose first byte at p has been checked. A CR inside the name is
// passed over by the reader when a name byte follows it; `hasCr` reports that
// the slice then holds CR bytes that are not part of the name.
inline const char* ScanName(const char* p, const char* end, bool& hasCr)
{
    for (;;) {
        // p is on a name byte: the first one, or the one after a CR.
        p = SkipUntil(p + 1, end, kNotName);
        if (p == end || *p != '\r' || p + 1 == end || !Is(p[1], kNameChar)) return p;
        hasCr = true;
        ++p;
    }
}

// The class bits that end a plain run in a value quoted with `quote`: the
// quote, '&', '<' and a zero byte.
inline uint8_t ValueStop(char quote) { return quote == '"' ? kDoubleStop : kSingleStop; }

inline int DigitValue(char c, bool hex)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (!hex) return -1;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads an entity reference whose '&' was just consumed (p is the byte after
// it). On success stores the character and returns the position after the
// ';'. On failure returns nullptr and sets `errorAt` to the offending byte
// (for an unknown entity name, to the start of the name).
inline const char* ReadEntity(const char* p, const char* end, char& out, const char*& errorAt)
{
    const char* at;
    char c = Look(p, end, at);
    if (c == '#') {
        c = Look(at + 1, end, at);
        bool hex = c == 'x';  // an upper-case X is not accepted
        if (hex) c = Look(at + 1, end, at);
        unsigned value = 0;
        int digits = 0;
        for (int d; (d = DigitValue(c, hex)) >= 0; c = Look(at + 1, end, at)) {
            // Only the low 8 bits are kept, which also keeps huge numbers harmless.
            value = (value * (hex ? 16u : 10u) + static_cast<unsigned>(d)) & 0xFFu;
            ++digits;
        }
        if (digits == 0 || c != ';') {
            errorAt = at;
            return nullptr;
        }
        out = static_cast<char>(value);
        return at + 1;
    }
    if (!Is(c, kNameStart)) {
        errorAt = at;
        return nullptr;
    }
    const char* nameAt = at;
    char name[5] = {};  // long enough for the known names plus one byte to reject longer ones
    size_t length = 0;
    for (; Is(c, kNameChar); c = Look(at + 1, end, at)) {
        if (length < sizeof name) name[length] = c;
        ++length;
    }
    static const struct {
        const char* name;
        char value;
    } kEntities[] = {{"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"apos", '\''}, {"quot", '"'}};
    for (const auto& entity : kEntities) {
        size_t i = 0;
        while (i < length && i < sizeof name && entity.name[i] == name[i]) ++i;
        if (i == length && entity.name[i] == '\0') {
            if (c != ';') {
                errorAt = at;
                return nullptr;
            }
            out = entity.value;
            return at + 1;
        }
    }
    errorAt = nameAt;
    return nullptr;
}

// Bit masks over 64 input bytes ("windows"): bit i stands for byte i. The
// grammar checks attributes in plain form several at a time from them, and
// the attribute walk finds the quotes of such attributes. The masks are only
// built where SSE2 is at hand; elsewhere the byte loops do all the work.
inline uint64_t From(unsigned i) { return i < 64 ? ~uint64_t(0) << i : 0; }  // bits i..63
inline uint64_t Below(unsigned i) { return i < 64 ? (uint64_t(1) << i) - 1 : ~uint64_t(0); }  // bits 0..i-1
inline uint64_t Span(unsigned from, unsigned to) { return From(from) & Below(to); }     // bits from..to-1
inline unsigned First(uint64_t bits) { return bits ? static_cast<unsigned>(__builtin_ctzll(bits)) : 64; }

#if XMLCHARS_WINDOWS

inline uint64_t MaskOf(__m128i bytes, unsigned chunk)
{
    return static_cast<uint64_t>(static_cast<uint32_t>(_mm_movemask_epi8(bytes))) << (16 * chunk);
}

inline __m128i Equal(__m128i v, char c) { return _mm_cmpeq_epi8(v, _mm_set1_epi8(c)); }

// Bytes in [lo, lo + span] (unsigned).
inline __m128i InRange(__m128i v, char lo, uint8_t span)
{
    const __m128i d = _mm_sub_epi8(v, _mm_set1_epi8(lo));
    return _mm_cmpeq_epi8(_mm_min_epu8(d, _mm_set1_epi8(static_cast<char>(span))), d);
}

// What the grammar needs to take plain attributes.
struct CheckWindow {
    uint64_t quotes;  // "
    uint64_t names;   // name bytes
    uint64_t stops;   // & < and 0, which end a plain value as well as '"'
};

inline CheckWindow ClassifyForCheck(const char* p)
{
    CheckWindow w{};
    for (unsigned chunk = 0; chunk < 4; ++chunk) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * chunk));
        const __m128i letter = InRange(_mm_or_si128(v, _mm_set1_epi8(0x20)), 'a', 'z' - 'a');
        const __m128i dashToColon = _mm_andnot_si128(Equal(v, '/'), InRange(v, '-', ':' - '-'));  // - . 0-9 :
        const __m128i name = _mm_or_si128(_mm_or_si128(letter, Equal(v, '_')), dashToColon);
        const __m128i stop = _mm_or_si128(Equal(v, '&'), _mm_or_si128(Equal(v, '<'), Equal(v, '\0')));
        w.quotes |= MaskOf(Equal(v, '"'), chunk);
        w.names |= MaskOf(name, chunk);
        w.stops |= MaskOf(stop, chunk);
    }
    return w;
}

// The '"' bytes, for the walk over attributes in plain form.
inline uint64_t QuoteBits(const char* p)
{
    uint64_t bits = 0;
    for (unsigned chunk = 0; chunk < 4; ++chunk) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * chunk));
        bits |= MaskOf(Equal(v, '"'), chunk);
    }
    return bits;
}

#endif  // XMLCHARS_WINDOWS

}  // namespace xmlchars
