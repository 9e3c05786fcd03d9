// Reading the fields of delimited text: the one set of rules behind the
// tokenizer's NextField (one line held in a string) and the readers (records
// read straight from a file's text, where an enclosed field may run over
// line breaks). Not part of the interface the wizard uses.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "ExchangeLocale.h"
#include "ExchangeSettings.h"

class FieldScanner {
public:
    // `hasEncloser` false: no field is ever enclosed. A line-break character
    // is never a separator or an encloser: line breaks end records.
    // ForSettings: the separator is the first character of Separator (the
    // zero byte when it is empty); the encloser the first of Encloser, none
    // when it is empty or begins with the zero byte (as the tokenizer, which
    // keeps the encloser as one character, sees it).
    static FieldScanner ForSettings(const ExchangeSettings& settings, const ExchangeLocale& locale);
    FieldScanner(char separator, bool hasSeparator, char encloser, bool hasEncloser,
                 const ExchangeLocale& locale);

    enum class Result {
        kField,      // a field was read; `at` is past it and its separator, more may follow
        kLastField,  // a field was read; the record ends at `at` (a line break or `stop`)
        kNoField,    // nothing left: the record ends at `at`
        kTooLong,    // `stop` came before the record's end and is not the text's end, or an
                     // enclosed field ran over a line break and reached `stop` unclosed
    };

    // How a field was written.
    struct Shape {
        bool enclosed = false;  // it began with the encloser
        bool unclosed = false;  // enclosed, but it ended without its closing encloser
    };

    // Reads the field that begins at `at` (leading white space is skipped)
    // into `out`, or skips it when `out` is null, and tells its shape when
    // `shape` is given. Nothing at or after `stop` is looked at. When
    // `stopIsTextEnd` the record may end at `stop`; otherwise `stop` is the
    // reader's limit and reaching it means the record is too long.
    //
    // A plain field runs to the separator; one that runs to the end of its
    // line loses its trailing white space. An enclosed field runs to an
    // encloser followed by the separator, or by nothing but white space up to
    // a line break or the end; in between two enclosers give one, another
    // encloser is dropped, and a backslash starts an escape. Line breaks are
    // kept as they are, so that notes come back whole, unless `oneLine`: then
    // a line break ends the field (and the record) as the end of the text
    // does. Without `oneLine`, an enclosed field that ran over a line break
    // must find its closing encloser before `stop`.
    Result Read(const char*& at, const char* stop, bool stopIsTextEnd, std::string* out,
                bool oneLine = false, Shape* shape = nullptr) const;

    // The bytes of the character at `p` (2 for a lead byte followed by a
    // byte of the range that is not a zero byte or a line break, else 1).
    size_t CharLength(const char* p, const char* stop) const {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (!lead_[c] || p + 1 >= stop) return 1;
        const char next = p[1];
        return next == '\0' || next == '\r' || next == '\n' ? 1 : 2;
    }
    bool IsSpace(char c) const { return space_[static_cast<unsigned char>(c)]; }

    // Past the white space that is not a line break, from `p` up to `stop`.
    const char* SkipBlanks(const char* p, const char* stop) const {
        while (p < stop && blank_[static_cast<unsigned char>(*p)]) ++p;
        return p;
    }

    // Past the white space at the front, and before the white space at the
    // back, of [begin, end), stepping by characters.
    const char* SkipSpace(const char* begin, const char* end) const;
    const char* TrimmedEnd(const char* begin, const char* end) const;
    // Trims `text` in place.
    void Trim(std::string& text) const;

private:
    Result ReadPlain(const char*& at, const unsigned char* p, const char* stop,
                     bool stopIsTextEnd, std::string* out) const;
    Result ReadEnclosed(const char*& at, const unsigned char* p, const char* stop,
                        bool stopIsTextEnd, std::string* out, bool oneLine, bool& unclosed) const;

    char separator_;
    bool hasSeparator_;
    char encloser_;
    bool hasEncloser_;
    bool anyLead_ = false;
    std::array<bool, 256> space_{};         // white space (never a lead byte)
    std::array<bool, 256> blank_{};         // white space that is not a line break
    std::array<bool, 256> lead_{};
    std::array<bool, 256> plainStop_{};     // bytes a plain field's run stops at
    std::array<bool, 256> enclosedStop_{};  // bytes an enclosed field's run stops at
};
