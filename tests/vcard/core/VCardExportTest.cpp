#include <gtest/gtest.h>

#include <random>
#include <string>

#include "PimDocument.h"
#include "VCard.h"
#include "VCardTestCodePages.h"

namespace {

const VCardTestCodePages kCodePages;

constexpr Text Person::*kTexts[] = {
    &Person::FName,   &Person::LName, &Person::Company, &Person::Position, &Person::Addr1, &Person::Addr2,
    &Person::City,    &Person::State, &Person::Zip,     &Person::HmPhone,  &Person::WkPhone, &Person::WkExt,
    &Person::Fax,     &Person::Pager, &Person::CelPhone, &Person::EMail,   &Person::WebPage, &Person::Notes};

std::string Export(const PimDocument& document) {
    std::string text;
    EXPECT_TRUE(ExportVCards(document, kCodePages, [&text](const char* bytes, size_t size) {
        text.append(bytes, size);
        return true;
    }));
    return text;
}

void Add(PimDocument& document, Person person) {
    person.ID = document.persons.IssueID();
    person.RName = person.MakeDisplayName();
    document.persons.Insert(person.ID, person);
}

TEST(ExportVCards, WritesVersion30InUtf8WithEscapesAndFoldedLines) {
    PimDocument document;
    Person p;
    p.FName = "J\xFCrgen";
    p.LName = "M\xFCller";
    p.Company = "Acme, Inc.";
    p.Position = "Boss; Chief";
    p.Addr1 = "1 Main St";
    p.Addr2 = "Suite 5";
    p.City = "Town";
    p.Zip = "12345";
    p.HmPhone = "555-1";
    p.WkPhone = "555-2";
    p.WkExt = "12";
    p.Fax = "555-3";
    p.Pager = "555-4";
    p.CelPhone = "555-5";
    p.EMail = "j@x.org";
    p.WebPage = "http://x.org";
    // 69 letters fill the first line to 74 octets: the two of the "\xE9"
    // go to the next.
    p.Notes = std::string(69, 'a') + "\xE9\r\nx\\y\rz\nw";
    p.WhitePages = p.YellowPages = 1;
    Add(document, p);
    Person company;  // a number that reads as having an extension, but has none
    company.Company = "Solo";
    company.WkPhone = "555 x7";
    company.YellowPages = 1;
    Add(document, company);

    EXPECT_EQ("BEGIN:VCARD\r\nVERSION:3.0\r\n"
              "N:M\xC3\xBCller;J\xC3\xBCrgen;;;\r\nFN:J\xC3\xBCrgen M\xC3\xBCller\r\n"
              "ORG:Acme\\, Inc.\r\nTITLE:Boss\\; Chief\r\nADR;TYPE=WORK:;Suite 5;1 Main St;Town;;12345;\r\n"
              "TEL;TYPE=HOME,VOICE:555-1\r\nTEL;TYPE=WORK,VOICE:555-2 x12\r\nTEL;TYPE=WORK,FAX:555-3\r\n"
              "TEL;TYPE=CELL,VOICE:555-5\r\nTEL;TYPE=PAGER:555-4\r\nEMAIL;TYPE=INTERNET:j@x.org\r\n"
              "URL:http://x.org\r\nNOTE:" + std::string(69, 'a') + "\r\n \xC3\xA9\\nx\\\\y\\nz\\nw\r\n"
              "X-VANTREL-PAGES:WHITE,YELLOW\r\nEND:VCARD\r\n"
              "BEGIN:VCARD\r\nVERSION:3.0\r\nN:;;;;\r\nFN:Solo\r\nORG:Solo\r\n"
              "TEL;TYPE=WORK,VOICE:555 x7\r\nX-VANTREL-WORKEXT:\r\nX-VANTREL-PAGES:YELLOW\r\nEND:VCARD\r\n",
              Export(document));
}

// Any byte 1-255 of the code page in every field, line breaks in notes.
std::string RandomText(std::mt19937& random, size_t most, bool lines) {
    std::string text;
    if (random() % 3 == 0) return text;
    const size_t length = random() % (most + 1);
    while (text.size() < length) {
        const char c = static_cast<char>(1 + random() % 255);
        if (c == '\r' || c == '\n') {
            if (lines) text += "\r\n";
        } else {
            text += c;
        }
    }
    return text;
}

// Line breaks as the import gives them back: CR LF, as the editors write.
std::string EditorBreaks(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

TEST(ExportVCards, PersonsImportedFromTheExportAreThePersonsExported) {
    std::mt19937 random(20261208);
    PimDocument source;
    for (int i = 0; i < 400; ++i) {
        Person p;
        for (Text Person::*text : kTexts) p.*text = RandomText(random, text == &Person::Notes ? 300 : 40, false);
        p.Notes = RandomText(random, 300, true);
        if (i % 4 == 0) {  // numbers that look as if they had an extension, or have one
            p.WkPhone = random() % 2 ? "555 x7" : "555-0100 ";
            p.WkExt = random() % 2 ? "" : "12";
        }
        if (i % 7 == 0) p.Notes = std::string(1 + random() % 3, '\r') + "a\nb\r";  // breaks of other systems
        if (p.FName.empty() && p.LName.empty() && p.Company.empty() && p.EMail.empty()) p.FName = "n";
        const int pages = 1 + static_cast<int>(random() % 3);
        p.WhitePages = pages & 1;
        p.YellowPages = pages >> 1;
        Add(source, p);
    }
    const std::string text = Export(source);
    // No line is longer than 75 octets, and none begins inside a character.
    for (size_t start = 0, end; start < text.size(); start = end + 2) {
        end = text.find("\r\n", start);
        ASSERT_NE(std::string::npos, end);
        ASSERT_LE(end - start, 75u) << text.substr(start, end - start);
        ASSERT_FALSE(end > start + 1 && text[start] == ' ' && (static_cast<unsigned char>(text[start + 1]) & 0xC0) == 0x80)
            << text.substr(start, end - start);
    }

    PimDocument copy;
    const VCardImportResult result = ImportVCards(copy, text.data(), text.size(), kCodePages);
    ASSERT_EQ(400, result.added);
    EXPECT_EQ(0, result.notedCards);
    EXPECT_EQ(0, result.lostCharacters);
    EXPECT_TRUE(result.leftOut.empty());
    for (const auto& entry : source.persons) {
        const Person& s = entry.second;
        const Person& c = copy.persons[entry.first];
        for (Text Person::*t : kTexts)
            ASSERT_EQ(t == &Person::Notes ? EditorBreaks(s.*t) : (s.*t).str(), c.*t) << entry.first;
        EXPECT_EQ(s.RName, c.RName);
        EXPECT_EQ(s.WhitePages, c.WhitePages) << entry.first;
        EXPECT_EQ(s.YellowPages, c.YellowPages) << entry.first;
    }
}

TEST(ExportVCards, HandsOverPiecesUntilTheSinkRefuses) {
    PimDocument document;
    for (int i = 0; i < 8000; ++i) {
        Person p;
        p.FName = "Person " + std::to_string(i);
        p.Notes = std::string(200, 'n');
        Add(document, p);
    }
    int calls = 0;
    std::string whole;
    EXPECT_TRUE(ExportVCards(document, kCodePages, [&](const char* bytes, size_t size) {
        ++calls;
        whole.append(bytes, size);
        return true;
    }));
    EXPECT_GT(calls, 1);
    EXPECT_EQ(whole, Export(document));
    calls = 0;
    EXPECT_FALSE(ExportVCards(document, kCodePages, [&calls](const char*, size_t) {
        ++calls;
        return false;
    }));
    EXPECT_EQ(1, calls);

    PimDocument empty;
    EXPECT_TRUE(ExportVCards(empty, kCodePages, [](const char*, size_t) { return false; }));
}

}  // namespace
