// The stand-in for Windows' code pages of the native build: the en-US user
// of the Windows tests, ANSI code page 1252.
#include <gtest/gtest.h>

#include <string>

#include "PimDocument.h"
#include "VCard.h"
#include "VCardCodePages.h"

namespace {

const VCardCodePages& CodePages() { return PlatformVCardCodePages(); }

TEST(NativeVCardCodePages, NamesCharsetsAsWindowsNumbersThem) {
    const struct {
        const char* name;
        uint32_t codePage;
    } cases[] = {{"UTF-8", 65001}, {"iso-8859-1", 28591}, {"\"Windows-1252\"", 1252}, {"Shift_JIS", 932},
                 {"KOI8-R", 20866}, {"utf-88", 0}, {"", 0}};
    for (const auto& c : cases) EXPECT_EQ(c.codePage, CodePageOfCharset(c.name)) << c.name;
}

TEST(NativeVCardCodePages, ReadsCodePage1252BothWaysAndNoOtherThanItKnows) {
    EXPECT_EQ(1252u, CodePages().AnsiCodePage());
    // Every byte 1-255 comes back, the five 1252 leaves undefined included.
    std::string bytes;
    for (int c = 1; c < 256; ++c) bytes += static_cast<char>(c);
    std::u16string wide;
    ASSERT_TRUE(CodePages().AppendUtf16(1252, bytes.data(), bytes.size(), wide));
    EXPECT_EQ(u'\u20AC', wide[0x80 - 1]);
    std::string back;
    CodePages().AppendAnsi(wide.data(), wide.size(), back);
    EXPECT_EQ(bytes, back);

    wide.clear();
    ASSERT_TRUE(CodePages().AppendUtf16(20127, "\xE9", 1, wide));
    ASSERT_TRUE(CodePages().AppendUtf16(28591, "\x80\xE9", 2, wide));
    back.clear();
    CodePages().AppendAnsi(wide.data(), wide.size(), back);
    EXPECT_EQ("??\xE9", back);  // U+FFFD and U+0080 are not in code page 1252
    EXPECT_FALSE(CodePages().AppendUtf16(932, "a", 1, wide));
}

TEST(NativeVCardCodePages, ImportsACardInWindows1252) {
    PimDocument document;
    const std::string card = "BEGIN:VCARD\nN;CHARSET=windows-1252;ENCODING=QUOTED-PRINTABLE:=80uro;\nEND:VCARD\n";
    ASSERT_EQ(1, ImportVCards(document, card.data(), card.size(), CodePages()).added);
    EXPECT_EQ("\x80uro", document.persons[1].LName);
}

}  // namespace
