#include "VCardUnicode.h"

#include <algorithm>
#include <cstring>

namespace {

using Byte = unsigned char;

uint64_t Load8(const char* p) {
    uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// Past the ASCII bytes at `p`, eight at a time where it can.
const char* SkipAscii(const char* p, const char* end) {
    constexpr uint64_t kHighBits = 0x8080808080808080ull;
    while (end - p >= 8 && (Load8(p) & kHighBits) == 0) p += 8;
    while (p < end && static_cast<Byte>(*p) < 0x80) ++p;
    return p;
}

// The sequence that starts at a byte of 0x80 or more: its length and
// character when it is valid UTF-8, else a length of 0.
struct Sequence {
    size_t length;
    char32_t value;
};

Sequence ReadUtf8(const char* at, const char* end) {
    const Byte* p = reinterpret_cast<const Byte*>(at);
    const Byte lead = *p;
    size_t length = 0;
    char32_t value = 0;
    // The range of the second byte is narrower after E0 (overlong), ED
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
        return {0, 0};
    }
    if (static_cast<size_t>(end - at) < length) return {0, 0};
    for (size_t i = 1; i < length; ++i) {
        if (p[i] < low || p[i] > high) return {0, 0};
        value = value << 6 | (p[i] & 0x3Fu);
        low = 0x80;
        high = 0xBF;
    }
    return {length, value};
}

void AppendUnits(char32_t c, std::u16string& out) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
        out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
}

}  // namespace

bool IsAscii(std::string_view bytes) {
    const char* end = bytes.data() + bytes.size();
    return SkipAscii(bytes.data(), end) == end;
}

bool IsUtf8(std::string_view bytes) {
    const char* p = bytes.data();
    const char* end = p + bytes.size();
    while ((p = SkipAscii(p, end)) < end) {
        const Sequence sequence = ReadUtf8(p, end);
        if (sequence.length == 0) return false;
        p += sequence.length;
    }
    return true;
}

void AppendUtf8(const char16_t* text, size_t length, std::string& out) {
    for (size_t i = 0; i < length; ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < length && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | c >> 18);
            out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
}

void AppendUtf16(std::string_view utf8, std::u16string& out) {
    const char* p = utf8.data();
    const char* end = p + utf8.size();
    while (p < end) {
        if (static_cast<Byte>(*p) < 0x80) {
            out += static_cast<char16_t>(*p++);
            continue;
        }
        const Sequence sequence = ReadUtf8(p, end);
        AppendUnits(sequence.length ? sequence.value : U'\uFFFD', out);
        p += sequence.length ? sequence.length : 1;
    }
}

// Every "?" the code pages give for a run is a loss: a run holds no ASCII,
// so no "?" of the card's own.
int32_t VCardConverter::Utf8ToAnsi(std::string_view utf8, std::string& out) {
    if (codePages_.AnsiCodePage() == kCodePageUtf8) {
        out.append(utf8.data(), utf8.size());
        return 0;
    }
    const char* p = utf8.data();
    const char* end = p + utf8.size();
    int32_t lost = 0;
    while (p < end) {
        const char* ascii = p;
        p = SkipAscii(p, end);
        out.append(ascii, static_cast<size_t>(p - ascii));
        if (p == end) break;
        units_.clear();
        while (p < end && static_cast<Byte>(*p) >= 0x80) {
            const Sequence sequence = ReadUtf8(p, end);
            // Callers hand over valid UTF-8; a stray byte is one character.
            AppendUnits(sequence.length ? sequence.value : U'\uFFFD', units_);
            p += sequence.length ? sequence.length : 1;
        }
        const size_t at = out.size();
        codePages_.AppendAnsi(units_.data(), units_.size(), out);
        lost += static_cast<int32_t>(std::count(out.begin() + static_cast<std::ptrdiff_t>(at), out.end(), '?'));
    }
    return lost;
}

void VCardConverter::AnsiToUtf8(std::string_view ansi, std::string& out) {
    const char* p = ansi.data();
    const char* end = p + ansi.size();
    const char* firstHigh = SkipAscii(p, end);
    if (firstHigh == end || (codePages_.AnsiCodePage() == kCodePageUtf8 && IsUtf8(ansi))) {
        out.append(p, ansi.size());
        return;
    }
    // A double-byte character's second byte may be ASCII: the rest of the
    // text is converted whole.
    out.append(p, static_cast<size_t>(firstHigh - p));
    units_.clear();
    codePages_.AppendUtf16(codePages_.AnsiCodePage(), firstHigh, static_cast<size_t>(end - firstHigh), units_);
    AppendUtf8(units_.data(), units_.size(), out);
}

bool VCardConverter::CodePageToUtf8(uint32_t codePage, std::string_view bytes, std::string& out) {
    if (codePage == kCodePageUtf8 && IsUtf8(bytes)) {
        out.append(bytes.data(), bytes.size());
        return true;
    }
    units_.clear();
    if (!codePages_.AppendUtf16(codePage, bytes.data(), bytes.size(), units_)) return false;
    AppendUtf8(units_.data(), units_.size(), out);
    return true;
}
