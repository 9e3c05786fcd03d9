// Files from spreadsheets in UTF-8 and UTF-16 brought into the ANSI code
// page. The platform's locale is code page 1252 wherever the tests run: the
// native stand-in, and Windows under the en-US locale.
#include <gtest/gtest.h>

#include <string>

#include "ExchangeLocale.h"
#include "TextEncoding.h"

namespace {

const char kUtf8Mark[] = "\xEF\xBB\xBF";

std::string Utf16(const std::u16string& text, bool bigEndian, bool oddByte = false) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return oddByte ? bytes + 'x' : bytes;
}

struct EncodingCase {
    std::string file;
    TextEncoding encoding;
    std::string ansi;  // the text in code page 1252
    int32_t lost;
};

TEST(TextEncoding, DetectsAndConvertsToTheAnsiCodePage) {
    // U+1F600 lies beyond U+FFFF, U+0100 is not in code page 1252, U+20AC
    // is its 0x80.
    const std::u16string unicode = u"A\U0001F600\u0100\r\n\u20AC \u00E9";
    const EncodingCase cases[] = {
        {std::string(kUtf8Mark) + "Jos\xC3\xA9,\xE2\x82\xAC\n", TextEncoding::kUtf8, "Jos\xE9,\x80\n", 0},
        {kUtf8Mark, TextEncoding::kUtf8, "", 0},
        {Utf16(unicode, false), TextEncoding::kUtf16LE, "A??\r\n\x80 \xE9", 2},
        {Utf16(unicode, true), TextEncoding::kUtf16BE, "A??\r\n\x80 \xE9", 2},
        // Without a mark: valid UTF-8 beyond ASCII is UTF-8.
        {"Ren\xC3\xA9" "e,\xF0\x9F\x98\x80", TextEncoding::kUtf8, "Ren\xE9" "e,?", 1},
        // Everything else is read as the code page, unchanged.
        {"Ren\xE9" "e,Caf\xE9\r\n", TextEncoding::kAnsi, "Ren\xE9" "e,Caf\xE9\r\n", 0},
        {"plain ASCII, \"?\"\n", TextEncoding::kAnsi, "plain ASCII, \"?\"\n", 0},
        {"overlong \xC0\xAF \xC3\xA9", TextEncoding::kAnsi, "overlong \xC0\xAF \xC3\xA9", 0},
        {"\xE0\x80\xAF \xC3\xA9", TextEncoding::kAnsi, "\xE0\x80\xAF \xC3\xA9", 0},
        {"surrogate \xED\xA0\x80 \xC3\xA9", TextEncoding::kAnsi, "surrogate \xED\xA0\x80 \xC3\xA9", 0},
        {"\xF4\x90\x80\x80 \xC3\xA9", TextEncoding::kAnsi, "\xF4\x90\x80\x80 \xC3\xA9", 0},
        {"\xC3\xA9 cut \xE2\x82", TextEncoding::kAnsi, "\xC3\xA9 cut \xE2\x82", 0},
        // What cannot be read is one "?" a character and counts as lost.
        {std::string(kUtf8Mark) + "a\xC3(\xE0\x80\xE2\x82", TextEncoding::kUtf8, "a?(???", 4},
        {Utf16(u"\xD800x\xDC00\xDBFF", false, true), TextEncoding::kUtf16LE, "?x???", 4},
        {Utf16(u"\xDE00\xD83D", true), TextEncoding::kUtf16BE, "??", 2},
    };
    for (const EncodingCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.file));
        EXPECT_EQ(c.encoding, DetectTextEncoding(c.file.data(), c.file.size()));
        const AnsiText text(c.file.data(), c.file.size(), PlatformExchangeLocale());
        EXPECT_EQ(c.encoding, text.encoding());
        EXPECT_EQ(c.ansi, std::string(text.data(), text.size()));
        EXPECT_EQ(c.lost, text.Lost());
        if (c.encoding == TextEncoding::kAnsi) {
            EXPECT_EQ(c.file.data(), text.data());  // read in place
        }
    }
}

// The import names lines by the file's lines: a loss must land on the line
// the readers count, whatever ends the lines before it.
TEST(TextEncoding, CountsLostCharactersOnTheirLines) {
    const std::string file = std::string(kUtf8Mark) +
                             "ok\r\n"                            // 1
                             "\xC4\x80 and a ? of the file\r"    // 2: U+0100, then a lone CR
                             "\r\n"                              // 3
                             "\xF0\x9F\x98\x80\xC4\x81\n"        // 4: two lost
                             "last \xE2\x82\xAC \xC2\xA9";       // 5
    const AnsiText text(file.data(), file.size(), PlatformExchangeLocale());
    ASSERT_EQ("ok\r\n? and a ? of the file\r\r\n??\nlast \x80 \xA9", std::string(text.data(), text.size()));
    const struct {
        int32_t first, last, lost;
    } ranges[] = {{1, 1, 0}, {2, 2, 1}, {3, 3, 0}, {4, 4, 2}, {5, 5, 0}, {1, 3, 1},
                  {3, 4, 2}, {2, 4, 3}, {1, 9, 3}, {0, 2, 1}, {4, 2, 0}};
    for (const auto& range : ranges)
        EXPECT_EQ(range.lost, text.LostOnLines(range.first, range.last)) << range.first << "-" << range.last;
    EXPECT_EQ(3, text.Lost());
}

}  // namespace
