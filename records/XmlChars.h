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

namespace xmlchars {

enum ByteClass : uint8_t {
    kNameStart = 1 << 0,   // A-Z a-z _ :
    kNameChar = 1 << 1,    // name start, digits, - and .
    kSpace = 1 << 2,       // TAB LF CR SPACE
    kDoubleStop = 1 << 3,  // ends a plain run in a "..." value: " & < and 0
    kSingleStop = 1 << 4,  // ends a plain run in a '...' value: ' & < and 0
    kTextStop = 1 << 5,    // ends a plain run of element content: < & ] and 0
    kCdataByte = 1 << 6,   // allowed inside CDATA: TAB LF CR 0x20-0x7F
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
    ++p;
    for (;;) {
        if (p == end) return p;
        if (Is(*p, kNameChar)) {
            ++p;
        } else if (*p == '\r' && p + 1 != end && Is(p[1], kNameChar)) {
            hasCr = true;
            p += 2;
        } else {
            return p;
        }
    }
}

// Skips the plain bytes of an attribute value: stops at the quote, '&', '<',
// a zero byte or the end. (Values are short; a plain table loop measured
// faster here than word-at-a-time scanning.)
inline const char* SkipValueBytes(const char* p, const char* end, char quote)
{
    const uint8_t stop = quote == '"' ? kDoubleStop : kSingleStop;
    while (p != end && !(kClass[static_cast<uint8_t>(*p)] & stop)) ++p;
    return p;
}

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

}  // namespace xmlchars
