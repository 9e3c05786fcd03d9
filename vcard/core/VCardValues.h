// A property's value as the phone book reads it: quoted-printable decoded,
// the card's charset brought to UTF-8, escapes resolved and, for N, ADR and
// ORG, split into its components.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "VCardLines.h"
#include "VCardUnicode.h"

// A piece of text inside a card's store of decoded values.
struct TextRange {
    size_t at = 0;
    size_t size = 0;
};

class ValueDecoder {
public:
    explicit ValueDecoder(VCardConverter& converter) : converter_(converter) {}

    // Appends the components of `value` to `store` (UTF-8) and puts their
    // places into `parts`, at most `maxParts` of them (the rest are
    // dropped); returns how many there are. A value that is not structured
    // is one component, its ";" kept.
    //
    //   - `\n` (or `\N`) and every line break left by quoted-printable
    //     become CR LF, as the editors write them; `\\` `\,` `\;` `\:` give
    //     the character; any other backslash stays.
    //   - Text in a charset the card names is converted from it; without
    //     one, text that is not UTF-8 is read in the ANSI code page, as
    //     programs that know no other write it. An unknown charset sets
    //     `unknownCharset` and the value is read as if none were named.
    //   - A component ends at its first zero byte, as the document file
    //     keeps texts.
    size_t Decode(std::string_view value, const Parameters& parameters, bool structured, std::string& store,
                  TextRange* parts, size_t maxParts, bool& unknownCharset);

private:
    VCardConverter& converter_;
    std::string decoded_;
    std::string converted_;
};

// A work number and the extension written after it: ";ext=12" (a tel: URI),
// " x12", "x12", "ext. 12" or "ext 12", the extension's digits running to
// the end. The extension is empty when there is none; the number loses the
// white space before the extension.
struct NumberAndExtension {
    std::string_view number;
    std::string_view extension;
};
NumberAndExtension SplitExtension(std::string_view phone);
