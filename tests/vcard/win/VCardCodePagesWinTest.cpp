// Windows' code pages as vCards meet them; the tests run as an en-US user
// (ANSI code page 1252).
#include <gtest/gtest.h>

#include <string>

#include "PimDocument.h"
#include "VCard.h"
#include "VCardCodePages.h"

namespace {

const VCardCodePages& CodePages() { return PlatformVCardCodePages(); }

// The native build's stand-in copies this: every byte comes back, the five
// that code page 1252 leaves undefined as well.
TEST(WindowsVCardCodePages, ReadsAndWritesEveryByteOfCodePage1252) {
    ASSERT_EQ(1252u, CodePages().AnsiCodePage());
    std::string bytes;
    for (int c = 1; c < 256; ++c) bytes += static_cast<char>(c);
    std::u16string wide;
    ASSERT_TRUE(CodePages().AppendUtf16(1252, bytes.data(), bytes.size(), wide));
    ASSERT_EQ(255u, wide.size());
    EXPECT_EQ(u'\u20AC', wide[0x80 - 1]);
    std::string back;
    CodePages().AppendAnsi(wide.data(), wide.size(), back);
    EXPECT_EQ(bytes, back);
}

TEST(WindowsVCardCodePages, WritesWhatTheCodePageLacksAsOneQuestionMarkEach) {
    const std::u16string text = u"\u0100 \U0001F600 \u00E9";
    std::string out;
    CodePages().AppendAnsi(text.data(), text.size(), out);
    EXPECT_EQ("? ? \xE9", out);  // no "A" for U+0100, one "?" for the pair
}

TEST(WindowsVCardCodePages, ReadsTheCharsetsCardsName) {
    PimDocument document;
    const std::string cards =
        "BEGIN:VCARD\nN;CHARSET=Shift_JIS;ENCODING=QUOTED-PRINTABLE:=82=A0;\nEND:VCARD\n"
        "BEGIN:VCARD\nN;CHARSET=ISO-8859-2:\xA3\xF3" "d\xBC;\nEND:VCARD\n";
    const VCardImportResult result = ImportVCards(document, cards.data(), cards.size(), CodePages());
    ASSERT_EQ(2, result.added);
    EXPECT_EQ("?", document.persons[1].LName);  // a hiragana letter, read, but not in code page 1252
    EXPECT_EQ("?\xF3" "d?", document.persons[2].LName);
    EXPECT_EQ(3, result.lostCharacters);
    EXPECT_EQ(2, result.notedCards);  // each for what it lost; neither for its charset
    std::u16string wide;
    EXPECT_FALSE(CodePages().AppendUtf16(12345, "a", 1, wide));
}

}  // namespace
