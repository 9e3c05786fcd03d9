// The content lines of a vCard file and their parameters, as every version
// writes them.
//
//   - Lines end at CR LF, LF or a lone CR. A line that begins with a space or
//     a tab continues the one before it, without that first character.
//   - A value in quoted-printable that ends with "=" continues on the next
//     line as it stands (the soft line break of version 2.1), unless that
//     line ends the card.
//   - A line is "group.NAME;param;param:value"; the group is dropped. A
//     parameter is NAME=value[,value] or, in version 2.1, a bare value
//     (WORK, CELL, QUOTED-PRINTABLE); quoted values may hold ":" ";" ",".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// One logical line. Its views stay valid until the next line is read.
struct ContentLine {
    int32_t line = 0;          // the physical line it begins on, from 1
    std::string_view text;     // the whole line, unfolded
    std::string_view name;     // the property's name, without its group
    std::string_view params;   // after the name's ";" up to the ":"; empty when none
    std::string_view value;    // after the ":"
    bool blank = false;        // nothing but white space
    bool readable = false;     // a name of letters, digits, "-" and "_", and a ":"
};

class ContentLineReader {
public:
    // `bytes` must outlive the reader; a UTF-8 byte-order mark is skipped.
    ContentLineReader(const char* bytes, size_t length);
    // The next logical line; false at the end of the text.
    bool Next(ContentLine& line);

private:
    // The physical line at pos_, which then moves past its line break.
    std::string_view TakeLine();

    const char* pos_;
    const char* end_;
    int32_t line_ = 1;
    std::string unfolded_;
};

// Whether `text` is `upper` (upper-case ASCII) in any case.
inline bool EqualsNoCase(std::string_view text, std::string_view upper) {
    if (text.size() != upper.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c) != upper[i]) return false;
    }
    return true;
}

// The types of a TEL, EMAIL or ADR that the phone book tells apart.
enum TypeBits : uint32_t {
    kTypeHome = 1u << 0,
    kTypeWork = 1u << 1,
    kTypeCell = 1u << 2,
    kTypeFax = 1u << 3,
    kTypePager = 1u << 4,
};

enum class ValueEncoding { kPlain, kQuotedPrintable, kBase64 };

// No PREF: ranks after every preferred value.
constexpr int32_t kNotPreferred = INT32_MAX;

struct Parameters {
    uint32_t types = 0;
    // 1 to 100, the lower the more preferred (PREF=n of version 4.0); the
    // type "pref" of the older versions counts as 1.
    int32_t preference = kNotPreferred;
    ValueEncoding encoding = ValueEncoding::kPlain;
    std::string_view charset;  // as written, quotes removed; empty when none
    bool uri = false;          // VALUE=uri
};

Parameters ReadParameters(std::string_view params);

// Decodes quoted-printable text into `out` (replacing it); "=" not followed
// by two hexadecimal digits stays as it is.
void DecodeQuotedPrintable(std::string_view text, std::string& out);
