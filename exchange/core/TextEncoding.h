// The encoding of a delimited text file and its text in the ANSI code page.
//
// Spreadsheets save "CSV UTF-8" and "Unicode text" files, while every string
// of the program is in the user's ANSI code page. A file's whole text is
// therefore read through AnsiText before the readers see it: UTF-8 and
// UTF-16 files are converted, and a file in the ANSI code page, still the
// usual case, is read as it always was, without a copy.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ExchangeLocale.h"

enum class TextEncoding { kAnsi, kUtf8, kUtf16LE, kUtf16BE };

// The UTF-8 sequence that starts at a byte of 0x80 or more at `p`: its
// character when it is valid (no overlong form, no surrogate, nothing past
// U+10FFFF), else the length of its longest start that could still have
// become valid (at least 1), which stands for one lost character.
struct Utf8Sequence {
    size_t length;
    bool valid;
    char32_t value;
};
Utf8Sequence ReadUtf8(const unsigned char* p, const unsigned char* end);

// The encoding of a file's whole text. A byte-order mark decides: EF BB BF is
// UTF-8, FF FE UTF-16 little-endian, FE FF UTF-16 big-endian. Without one, a
// text that is valid UTF-8 (no overlong forms, no surrogates, nothing past
// U+10FFFF, no sequence cut short) and holds at least one character beyond
// ASCII is UTF-8; anything else, ASCII alone included, is ANSI.
TextEncoding DetectTextEncoding(const char* bytes, size_t length);

// A file's whole text in the ANSI code page of `locale`, without its
// byte-order mark, and what the conversion lost.
//
// Each character the code page lacks becomes one "?", and so do the bytes of
// an invalid UTF-8 sequence in a file marked as UTF-8 (one "?" for each
// longest start of a sequence), an unpaired UTF-16 surrogate and the odd
// last byte of a UTF-16 file; all of these count as lost. Line breaks stay
// as they were, so a line of the text is the same line of the file.
//
// For an ANSI file data() is the caller's `bytes` itself: they must outlive
// the AnsiText. A converted text is held by the AnsiText, copies included.
class AnsiText {
public:
    AnsiText(const char* bytes, size_t length, const ExchangeLocale& locale);

    const char* data() const { return encoding_ == TextEncoding::kAnsi ? bytes_ : converted_.data(); }
    size_t size() const { return encoding_ == TextEncoding::kAnsi ? length_ : converted_.size(); }
    TextEncoding encoding() const { return encoding_; }

    // The characters lost in the whole text, and on the physical lines
    // firstLine to lastLine (1-based, inclusive), lines ending at LF, CR LF
    // or a lone CR as the readers count them.
    int32_t Lost() const { return lines_.empty() ? 0 : lines_.back().lostThrough; }
    int32_t LostOnLines(int32_t firstLine, int32_t lastLine) const;

private:
    // A line with losses and the losses of every line up to it and itself.
    struct LineLoss {
        int32_t line;
        int32_t lostThrough;
    };
    friend class AnsiConverter;

    // The losses of lines 1 to `line`.
    int32_t LostThrough(int32_t line) const;

    const char* bytes_ = nullptr;
    size_t length_ = 0;
    TextEncoding encoding_ = TextEncoding::kAnsi;
    std::string converted_;
    std::vector<LineLoss> lines_;  // by line, lines without losses left out
};
