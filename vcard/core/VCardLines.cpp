#include "VCardLines.h"

#include <cstdint>
#include <cstring>

namespace {

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsNameByte(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

bool IsBlank(std::string_view text) {
    for (char c : text) {
        if (c != ' ' && c != '\t') return false;
    }
    return true;
}

// The first `c` in `text` outside double quotes, or npos. A quote never
// closed leaves the rest unquoted, so that one stray quote does not hide
// the colon.
size_t FindUnquoted(std::string_view text, char c) {
    // Most parameters hold no quote: then the first `c` is the one.
    const void* first = std::memchr(text.data(), c, text.size());
    const size_t at = first ? static_cast<size_t>(static_cast<const char*>(first) - text.data()) : text.size();
    if (!std::memchr(text.data(), '"', at)) return first ? at : std::string_view::npos;
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"') {
            quoted = !quoted;
        } else if (text[i] == c && !quoted) {
            return i;
        }
    }
    return quoted ? text.find(c) : std::string_view::npos;
}

// Whether the parameters of a line name quoted-printable; false while the
// line has no colon yet (it cannot be read then anyway).
bool IsQuotedPrintable(std::string_view text) {
    const size_t colon = FindUnquoted(text, ':');
    if (colon == std::string_view::npos) return false;
    const std::string_view head = text.substr(0, colon);
    constexpr std::string_view kName = "QUOTED-PRINTABLE";
    for (size_t i = 0; i + kName.size() <= head.size(); ++i) {
        if (EqualsNoCase(head.substr(i, kName.size()), kName)) return true;
    }
    return false;
}

bool StartsWithNoCase(std::string_view text, std::string_view upper) {
    return text.size() >= upper.size() && EqualsNoCase(text.substr(0, upper.size()), upper);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = AsciiUpper(c);
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

std::string_view Unquoted(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') return value.substr(1, value.size() - 2);
    return value;
}

// A type or bare parameter value.
void ReadType(std::string_view value, Parameters& parameters) {
    struct Type {
        std::string_view name;
        uint32_t bits;
    };
    static constexpr Type kTypes[] = {
        {"HOME", kTypeHome}, {"WORK", kTypeWork}, {"CELL", kTypeCell},   {"MOBILE", kTypeCell},
        {"FAX", kTypeFax},   {"PAGER", kTypePager},
    };
    for (const Type& type : kTypes) {
        if (EqualsNoCase(value, type.name)) {
            parameters.types |= type.bits;
            return;
        }
    }
    if (EqualsNoCase(value, "PREF")) {
        if (parameters.preference > 1) parameters.preference = 1;
    } else if (EqualsNoCase(value, "QUOTED-PRINTABLE")) {
        parameters.encoding = ValueEncoding::kQuotedPrintable;
    } else if (EqualsNoCase(value, "BASE64") || EqualsNoCase(value, "B")) {
        parameters.encoding = ValueEncoding::kBase64;
    }
}

// Calls `each` for every comma-separated part of a parameter value.
template <typename Each>
void ForEachListValue(std::string_view value, Each each) {
    value = Unquoted(value);
    while (true) {
        const size_t comma = value.find(',');
        each(Unquoted(value.substr(0, comma)));
        if (comma == std::string_view::npos) return;
        value.remove_prefix(comma + 1);
    }
}

// Past the bytes at `p` that are neither CR nor LF, eight at a time where
// it can: lines are long beside the work done for each.
const char* SkipToBreak(const char* p, const char* end) {
    constexpr uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;
    const auto holds = [](uint64_t word, uint64_t byte) {
        const uint64_t x = word ^ (byte * kOnes);
        return ((x - kOnes) & ~x & kHighs) != 0;
    };
    for (uint64_t word; end - p >= 8; p += 8) {
        std::memcpy(&word, p, sizeof word);
        if (holds(word, '\r') || holds(word, '\n')) break;
    }
    while (p < end && *p != '\r' && *p != '\n') ++p;
    return p;
}

}  // namespace

ContentLineReader::ContentLineReader(const char* bytes, size_t length) : pos_(bytes), end_(bytes + length) {
    if (length >= 3 && std::memcmp(bytes, "\xEF\xBB\xBF", 3) == 0) pos_ += 3;
}

std::string_view ContentLineReader::TakeLine() {
    const char* start = pos_;
    const char* p = SkipToBreak(pos_, end_);
    const std::string_view line(start, static_cast<size_t>(p - start));
    if (p < end_) p += *p == '\r' && p + 1 < end_ && p[1] == '\n' ? 2 : 1;
    pos_ = p;
    ++line_;
    return line;
}

bool ContentLineReader::Next(ContentLine& out) {
    if (pos_ >= end_) return false;
    out = ContentLine();
    out.line = line_;
    std::string_view text = TakeLine();
    // Only a continued line is copied; the others are read where they lie.
    bool copied = false;
    const auto copy = [&]() {
        if (!copied) unfolded_.assign(text.data(), text.size());
        copied = true;
    };
    // Asked once a line: appending never moves its first colon.
    enum { kUnknown, kYes, kNo } quotedPrintable = kUnknown;
    const auto isQuotedPrintable = [&quotedPrintable](std::string_view current) {
        if (quotedPrintable == kUnknown && current.find(':') != std::string_view::npos)
            quotedPrintable = IsQuotedPrintable(current) ? kYes : kNo;
        return quotedPrintable == kYes;
    };
    while (pos_ < end_) {
        // A soft line break first: after one, a space is the value's own.
        const std::string_view current = copied ? std::string_view(unfolded_) : text;
        if (!current.empty() && current.back() == '=' && isQuotedPrintable(current) &&
            !StartsWithNoCase(std::string_view(pos_, static_cast<size_t>(end_ - pos_)), "END:VCARD")) {
            const std::string_view more = TakeLine();
            copy();
            unfolded_.pop_back();
            unfolded_.append(more.data(), more.size());
        } else if (*pos_ == ' ' || *pos_ == '\t') {
            const std::string_view more = TakeLine().substr(1);
            copy();
            unfolded_.append(more.data(), more.size());
        } else {
            break;
        }
    }
    if (copied) text = unfolded_;
    out.text = text;
    out.blank = IsBlank(text);
    if (out.blank) return true;

    size_t nameEnd = 0;
    while (nameEnd < text.size() && text[nameEnd] != ';' && text[nameEnd] != ':') ++nameEnd;
    if (nameEnd == text.size()) return true;
    std::string_view name = text.substr(0, nameEnd);
    const size_t dot = name.rfind('.');
    if (dot != std::string_view::npos) name.remove_prefix(dot + 1);
    if (name.empty()) return true;
    for (char c : name) {
        if (!IsNameByte(c)) return true;
    }
    size_t colon = nameEnd;
    if (text[nameEnd] == ';') {
        colon = FindUnquoted(text.substr(nameEnd), ':');
        if (colon == std::string_view::npos) return true;
        colon += nameEnd;
        out.params = text.substr(nameEnd + 1, colon - nameEnd - 1);
    }
    out.name = name;
    out.value = text.substr(colon + 1);
    out.readable = true;
    return true;
}

Parameters ReadParameters(std::string_view params) {
    Parameters parameters;
    while (!params.empty()) {
        size_t end = FindUnquoted(params, ';');
        const std::string_view param = params.substr(0, end);
        params = end == std::string_view::npos ? std::string_view() : params.substr(end + 1);
        const size_t equals = param.find('=');
        if (equals == std::string_view::npos) {
            ReadType(param, parameters);
            continue;
        }
        const std::string_view name = param.substr(0, equals);
        const std::string_view value = param.substr(equals + 1);
        if (EqualsNoCase(name, "TYPE")) {
            ForEachListValue(value, [&parameters](std::string_view type) { ReadType(type, parameters); });
        } else if (EqualsNoCase(name, "PREF")) {
            int32_t rank = 0;
            for (char c : Unquoted(value)) {
                if (c < '0' || c > '9' || rank > 1000) break;
                rank = rank * 10 + (c - '0');
            }
            if (rank > 0 && rank < parameters.preference) parameters.preference = rank;
        } else if (EqualsNoCase(name, "ENCODING")) {
            ReadType(Unquoted(value), parameters);
        } else if (EqualsNoCase(name, "CHARSET")) {
            parameters.charset = Unquoted(value);
        } else if (EqualsNoCase(name, "VALUE")) {
            parameters.uri = EqualsNoCase(Unquoted(value), "URI");
        }
    }
    return parameters;
}

void DecodeQuotedPrintable(std::string_view text, std::string& out) {
    out.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        int high = 0, low = 0;
        if (text[i] == '=' && i + 2 < text.size() && (high = HexDigit(text[i + 1])) >= 0 &&
            (low = HexDigit(text[i + 2])) >= 0) {
            out += static_cast<char>(high << 4 | low);
            i += 2;
        } else {
            out += text[i];
        }
    }
}
