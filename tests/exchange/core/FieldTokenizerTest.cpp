#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "DelimitedText.h"
#include "ExchangeTestLocale.h"
#include "FieldScanner.h"
#include "FieldTokenizer.h"

namespace {

const ExchangeTestLocale kLocale;
const ExchangeTestLocale kDoubleByte(true);

std::vector<std::string> Split(std::string line, const std::string& separator,
                               const std::string& encloser, const ExchangeLocale& locale = kLocale) {
    ExchangeSettings settings;
    settings.Separator = separator;
    settings.Encloser = encloser;
    const FieldTokenizer tokenizer(settings, locale);
    std::vector<std::string> fields;
    std::string field;
    while (tokenizer.NextField(line, field)) {
        fields.push_back(field);
        field.clear();
    }
    EXPECT_TRUE(line.empty());
    return fields;
}

struct SplitCase {
    const char* separator;
    const char* encloser;
    std::string line;
    std::vector<std::string> fields;
};

TEST(FieldTokenizer, SplitsLinesByTheEnclosedAndPlainFieldRules) {
    const SplitCase cases[] = {
        {",", "\"", "\"a\"\"b\",c", {"a\"b", "c"}},
        {",", "\"", "\"x\\ty\"", {"x\ty"}},
        {",", "\"", "\"\\a\\b\\f\\n\\r\\t\\v\"", {"\a\b\f\n\r\t\v"}},
        // One to three octal digits; 8 is no octal digit; \777 keeps its low byte.
        {",", "\"", "\"\\101\\0612\\8\\7777\"", {"A12" "8" "\xFF" "7"}},
        {",", "\"", "\"a\\\"b\\,c\\\\\",d", {"a\"b,c\\", "d"}},
        // An encloser before anything but the separator is dropped; the
        // separator then is text.
        {",", "\"", "\"ab\"cd,e", {"abcd,e"}},
        {",", "\"", "\"ab\" ,c", {"ab ,c"}},
        {",", "\"", "\"\",x,\"\"", {"", "x", ""}},
        {",", "\"", "\"\"\"\"", {"\""}},
        {",", "\"", "\"abc", {"abc"}},
        {",", "\"", "\"abc\\", {"abc"}},
        {",", "\"", "\"a\r\nb\nc\",d", {"a\r\nb\nc", "d"}},
        {",", "'", "'it''s','x'", {"it's", "x"}},
        // Plain fields: no escapes, white space trimmed at the line's ends only.
        {",", "\"", "  a\\tb , c  ", {"a\\tb ", "c"}},
        {",", "\"", ",a,,b,", {"", "a", "", "b"}},
        {",", "", "\"a,b\"", {"\"a", "b\""}},
        {";", "\"", "\"a;\";b", {"a;", "b"}},
        // Space and tab separators: runs collapse.
        {" ", "\"", "a   b \"c d\"", {"a", "b", "c d"}},
        {"\t", "\"", "a\t\t\tb", {"a", "b"}},
        {",", "\"", "   ", {}},
        {"", "\"", std::string("a\0b", 3), {"a", "b"}},
    };
    for (const SplitCase& c : cases)
        EXPECT_EQ(c.fields, Split(c.line, c.separator, c.encloser)) << c.line;
}

TEST(FieldTokenizer, StepsOverDoubleByteCharacters) {
    const SplitCase cases[] = {
        // A second byte that looks like the separator, a backslash or white
        // space belongs to its character.
        {"|", "\"", "\x81|x|y", {"\x81|x", "y"}},
        {",", "\"", "\"\x95\\n\",z", {"\x95\\n", "z"}},
        {",", "\"", "a\x81 ", {"a\x81 "}},
        {",", "\"", "\x81\"\"x\",y", {"\x81\"\"x\"", "y"}},
        // A lead byte before a line break or at the end stands alone.
        {",", "\"", "\"a\x81\nb\",c\x81", {"a\x81\nb", "c\x81"}},
    };
    for (const SplitCase& c : cases)
        EXPECT_EQ(c.fields, Split(c.line, c.separator, c.encloser, kDoubleByte)) << c.line;
    EXPECT_EQ("\x81 ", TrimSpace(" \t\x81 ", kDoubleByte));
    EXPECT_EQ("\x81", TrimSpace(" \t\x81 ", kLocale));
}

TEST(FirstLineOf, TakesTheFirstLineTrimmedUpTo1023Characters) {
    const std::string longLine(1500, 'x');
    const std::pair<std::string, std::string> cases[] = {
        {"  a,b  \r\nc", "a,b"},
        {"a,b\rc", "a,b"},
        {"a,b", "a,b"},
        {std::string("a\0b\nc", 5), "a"},
        {"", ""},
        {longLine + "\n", std::string(1023, 'x')},
    };
    for (const auto& c : cases) EXPECT_EQ(c.second, FirstLineOf(c.first.data(), c.first.size(), kLocale));
}

// The readers read records straight from the text; the tokenizer reads a
// line held in a string. Over any text, each record the readers take must
// split as the tokenizer splits that record's text.
TEST(FieldScanner, ReadsEveryRecordAsTheTokenizerReadsItsText) {
    std::mt19937 random(20240611);
    const char alphabet[] = {'a', 'b', ',', '"', '"', ' ', '\t', '\\', 'n', '0', '\r', '\n', '\x81'};
    const char* const separators[] = {",", " ", "\t"};
    for (int round = 0; round < 3000; ++round) {
        const ExchangeLocale& locale = round / 3 % 2 ? kDoubleByte : kLocale;
        std::string text;
        for (int i = static_cast<int>(random() % 40); i > 0; --i) text += alphabet[random() % sizeof alphabet];
        ExchangeSettings settings;
        settings.Separator = separators[round % 3];
        settings.Encloser = "\"";
        const FieldScanner scanner = FieldScanner::ForSettings(settings, locale);
        const char* end = scanner.TrimmedEnd(text.data(), text.data() + text.size());
        const char* at = text.data();
        while (at < end) {
            // A record whose enclosed field runs over a line break and is
            // never closed is read again as one line.
            const char* start = at;
            std::vector<std::string> fields;
            for (bool oneLine : {false, true}) {
                at = start;
                fields.clear();
                std::string field;
                FieldScanner::Result result;
                while ((result = scanner.Read(at, end, true, &field, oneLine)) != FieldScanner::Result::kNoField &&
                       result != FieldScanner::Result::kTooLong) {
                    fields.push_back(field);
                    if (result == FieldScanner::Result::kLastField) break;
                }
                if (result != FieldScanner::Result::kTooLong) break;
            }
            ASSERT_EQ(Split(std::string(start, at), settings.Separator, "\"", locale), fields) << text;
            // Past the line break that ended the record.
            if (at < end) at += (*at == '\r' && at + 1 < end && at[1] == '\n') ? 2 : 1;
        }
    }
}

}  // namespace
