#include "VCardUnicode.h"

#include <algorithm>
#include <cstring>

#include "TextEncoding.h"

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

// The UTF-8 sequence at `p`, a byte of 0x80 or more.
Utf8Sequence SequenceAt(const char* p, const char* end) {
    return ReadUtf8(reinterpret_cast<const Byte*>(p), reinterpret_cast<const Byte*>(end));
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
        const Utf8Sequence sequence = SequenceAt(p, end);
        if (!sequence.valid) return false;
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
        const Utf8Sequence sequence = SequenceAt(p, end);
        AppendUnits(sequence.valid ? sequence.value : U'\uFFFD', out);
        p += sequence.valid ? sequence.length : 1;
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
            const Utf8Sequence sequence = SequenceAt(p, end);
            // Callers hand over valid UTF-8; a stray byte is one character.
            AppendUnits(sequence.valid ? sequence.value : U'\uFFFD', units_);
            p += sequence.valid ? sequence.length : 1;
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
