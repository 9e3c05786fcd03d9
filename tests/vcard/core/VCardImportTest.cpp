#include <gtest/gtest.h>

#include <map>
#include <string>

#include "PimDocument.h"
#include "VCard.h"
#include "VCardTestCodePages.h"

namespace {

const VCardTestCodePages kCodePages;

VCardImportResult Import(PimDocument& document, const std::string& text) {
    return ImportVCards(document, text.data(), text.size(), kCodePages);
}

// Every field of a person, "|" between them, then the White and Yellow
// Pages flags: a field that lands in the wrong place shows.
std::string Fields(const Person& p) {
    std::string all;
    for (const Text* text : {&p.FName, &p.LName, &p.Company, &p.Position, &p.Addr1, &p.Addr2, &p.City, &p.State,
                             &p.Zip, &p.HmPhone, &p.WkPhone, &p.WkExt, &p.Fax, &p.Pager, &p.CelPhone, &p.EMail,
                             &p.WebPage, &p.Notes})
        all += text->str() + "|";
    return all + std::to_string(p.WhitePages) + std::to_string(p.YellowPages);
}

std::map<std::string, int32_t> LeftOut(const VCardImportResult& result) {
    return std::map<std::string, int32_t>(result.leftOut.begin(), result.leftOut.end());
}

struct CardCase {
    const char* shape;
    std::string card;
    std::string fields;
    std::map<std::string, int32_t> leftOut;
};

TEST(ImportVCards, ReadsCardsInTheShapesPhonesWebMailAndDesktopProgramsWrite) {
    const CardCase cases[] = {
        {"2.1 from a phone: quoted-printable UTF-8 over soft line breaks, bare types, CR LF in a note",
         "BEGIN:VCARD\r\nVERSION:2.1\r\n"
         "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:M=C3=BCller;J=C3=\r\n=BCrgen;;;\r\n"
         "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:J=C3=BCrgen M=C3=BCller\r\n"
         "TEL;CELL;PREF:+49 170 1234567\r\nTEL;WORK;VOICE:030 1234-56 x78\r\nTEL;HOME:030 555\r\n"
         "TEL;HOME:030 556\r\nEMAIL;INTERNET:j@example.de\r\n"
         "NOTE;ENCODING=QUOTED-PRINTABLE:Line one=0D=0ALine=\r\n two\r\n"
         "PHOTO;ENCODING=BASE64;TYPE=JPEG:/9j/4AAQSkZJRgABAQ\r\n"
         "AAAQABAAD/2wBDAAMCAgICAgMCAgIDAwMDBAYEBAQE\r\n\r\nEND:VCARD\r\n",
         "J\xFCrgen|M\xFCller||||||||030 555|030 1234-56|78|||+49 170 1234567|j@example.de||Line one\r\nLine two|10",
         {{"second home phone", 1}, {"photo", 1}}},
        {"3.0 from web mail: groups, TYPE twice, escaped commas, a company",
         "BEGIN:VCARD\nVERSION:3.0\nN:Doe;Jane;Q.;Dr.;\nFN:Jane Doe\nORG:Acme\\, Inc.;Sales\n"
         "TITLE:Head of Sales\nitem1.ADR;TYPE=HOME:;;1 Elm St;Springfield;IL;62701;USA\n"
         "item2.ADR;type=WORK:;Floor 3;200 Main St\\nBuilding B;Chicago;IL;60601;USA\n"
         "item1.X-ABLabel:_$!<Home>!$_\nitem3.TEL;type=WORK;type=pref:(312) 555-0100 ext. 42\n"
         "TEL;TYPE=WORK,FAX:312 555 0199\nTEL:555-0000\nitem4.EMAIL;type=INTERNET:jane@home.example\n"
         "EMAIL;TYPE=INTERNET,pref:jane@acme.example\nURL:http://acme.example/\n"
         "NOTE:Met at the fair\\, 2019\\nback\\\\slash\nBDAY:1970-01-01\nX-FOO:bar\nEND:VCARD\n",
         "Jane Q.|Doe|Acme, Inc.|Head of Sales|200 Main St|Floor 3|Chicago|IL|60601||(312) 555-0100|42|"
         "312 555 0199|||jane@acme.example|http://acme.example/|Met at the fair, 2019\r\nback\\slash|01",
         {{"department", 1}, {"birthday", 1}, {"X-FOO", 1}, {"name prefix", 1}, {"second e-mail", 1},
          {"second address", 1}, {"address line", 1}, {"country", 1}, {"second work phone", 1}}},
        {"4.0 from a desktop program: PREF ranks, tel: URIs with extensions, a company's card",
         "BEGIN:VCARD\rVERSION:4.0\rKIND:org\rFN:Acme Corporation\rORG:Acme Corporation\r"
         "TEL;VALUE=uri;TYPE=\"voice,work\";PREF=2:tel:+1-555-555-0101;ext=7\r"
         "TEL;VALUE=uri;TYPE=work;PREF=1:tel:+1-555-555-0100;ext=5\r"
         "TEL;TYPE=cell:tel:+1-555-555-0102\rEMAIL;PREF=1:info@acme.example\r"
         "ADR;TYPE=home:;;9 Side St;Town;CA;95000;\rADR;TYPE=work:;;1 Loop\r\n\t Road;Cupertino;CA;95014;\r"
         "END:VCARD\r",
         "||Acme Corporation||1 Loop Road||Cupertino|CA|95014||+1-555-555-0100|5|||+1-555-555-0102|"
         "info@acme.example|||01",
         {{"second work phone", 1}, {"second address", 1}}},
        {"no N: FN split at its last space; a home address without a company",
         "BEGIN:VCARD\nVERSION:3.0\nFN: Mary Ann  Smith \nADR;TYPE=WORK:;;1 Work St;;;;\n"
         "ADR;TYPE=HOME:PO Box 7;;2 Home St;;;;\nTEL:555 1212 x9\nEND:VCARD\n",
         "Mary Ann|Smith|||2 Home St|||||555 1212 x9|||||||||10", {{"second address", 1}, {"post office box", 1}}},
        {"ISO-8859-1 named, an N of neither name, one word of FN",
         "BEGIN:VCARD\nVERSION:2.1\nN:;;;Mr.;\nFN;CHARSET=ISO-8859-1:G\xF6" "del\nEND:VCARD\n",
         "G\xF6" "del||||||||||||||||||10", {}},
        {"no charset and not UTF-8: bytes of the ANSI code page; a backslash before anything else stays",
         "BEGIN:VCARD\nVERSION:2.1\nN:Caf\xE9;Ren\xE9\nNOTE:C:\\temp\nEND:VCARD\n",
         "Ren\xE9|Caf\xE9||||||||||||||||C:\\temp|10", {}},
        {"our own export: the pages it says, the extension it says",
         "BEGIN:VCARD\nVERSION:3.0\nN:Lee;Ann;;;\nORG:Lee Co\nTEL;TYPE=WORK,VOICE:555 x7\n"
         "X-VANTREL-WORKEXT:\nX-VANTREL-PAGES:WHITE,YELLOW\nEND:VCARD\n",
         "Ann|Lee|Lee Co||||||||555 x7||||||||11", {}},
    };
    for (const CardCase& c : cases) {
        PimDocument document;
        const VCardImportResult result = Import(document, c.card);
        ASSERT_EQ(1, result.added) << c.shape;
        EXPECT_EQ(c.fields, Fields(document.persons[1])) << c.shape;
        EXPECT_EQ(c.leftOut, LeftOut(result)) << c.shape;
        EXPECT_EQ(0, result.notedCards) << c.shape;
    }
}

TEST(ImportVCards, SkipsBrokenAndNamelessCardsAndReadsOn) {
    const std::string text =
        "garbage before the first card\n"
        "BEGIN:VCARD\nVERSION:3.0\nFN:One\nEND:VCARD\n"                          // 1, lines 2-5
        "BEGIN:VCARD\nVERSION:3.0\nFN:Two\nthis line has no colon\nEND:VCARD\n"  // 2, lines 6-10
        "BEGIN:VCARD\nVERSION:3.0\nTEL:555\nNOTE:no name\nEND:VCARD\n"           // 3, lines 11-15
        "BEGIN:VCARD\nVERSION:2.1\nN:Four;\n"                                      // 4, lines 16-18, no END
        "BEGIN:VCARD\nVERSION:2.1\nFN:Five\nAGENT:\nBEGIN:VCARD\nFN:Agent\nEND:VCARD\nEND:VCARD\n"  // 5, 19-26
        "BEGIN:VCARD\nVERSION:3.0\nEMAIL:six@example.org\nEND:VCARD\n"           // 6, lines 27-30
        "BEGIN:VCARD\nVERSION:3.0\nFN:Seven\n";                                   // 7, lines 31-33, no END
    PimDocument document;
    const VCardImportResult result = Import(document, text);
    EXPECT_EQ(7, result.cards);
    EXPECT_EQ(3, result.added);
    EXPECT_EQ("One", document.persons[1].FName);
    EXPECT_EQ("Five", document.persons[2].FName);
    EXPECT_EQ("six@example.org", document.persons[3].EMail);
    std::string notes;
    for (const VCardNote& note : result.notes)
        notes += std::to_string(note.card) + " " + std::to_string(note.line) + " " + note.firstLine + ": " +
                 note.reason + "\n";
    EXPECT_EQ("2 6 FN:Two: line 9 cannot be read\n"
              "3 11 TEL:555: no name, company or e-mail address\n"
              "4 16 N:Four;: no END:VCARD\n"
              "7 31 FN:Seven: no END:VCARD\n",
              notes);
    EXPECT_EQ(4, result.notedCards);
    EXPECT_EQ((std::map<std::string, int32_t>{{"agent", 1}}), LeftOut(result));
}

class CountingView : public PimDocumentView {
public:
    void OnDocumentChanged() override { ++refreshes; }
    int refreshes = 0;
};

TEST(ImportVCards, AddsNoCardEqualToAPersonInThePhoneBook) {
    const std::string text =
        "BEGIN:VCARD\nVERSION:3.0\nN:Lee;Ann;;;\nTEL;TYPE=HOME:1\nEND:VCARD\n"
        "BEGIN:VCARD\nVERSION:3.0\nN:Lee;Ann;;;\nTEL;TYPE=HOME:2\nEND:VCARD\n"
        "BEGIN:VCARD\nVERSION:3.0\nFN:Ann Lee\nTEL;TYPE=HOME:1\nBDAY:2000-01-01\nEND:VCARD\n";  // equal to the first
    PimDocument document;
    CountingView view;
    document.AttachView(&view);
    const VCardImportResult first = Import(document, text);
    EXPECT_EQ(2, first.added);
    EXPECT_EQ(1, view.refreshes);
    EXPECT_TRUE(document.IsModified());
    // A duplicate's other data is not counted: it was not imported.
    EXPECT_EQ((std::map<std::string, int32_t>{{"card already in the phone book", 1}}), LeftOut(first));

    document.SetModified(false, false);
    const VCardImportResult again = Import(document, text);
    EXPECT_EQ(0, again.added);
    EXPECT_EQ(1, view.refreshes);
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ((std::map<std::string, int32_t>{{"card already in the phone book", 3}}), LeftOut(again));
    EXPECT_EQ(2u, document.persons.size());
    document.DetachView(&view);
}

TEST(ImportVCards, CountsCharactersTheCodePageLacksInWhatItImports) {
    PimDocument document;
    const VCardImportResult result = Import(
        document,
        "BEGIN:VCARD\nVERSION:4.0\nN:\xC5\x81\xC3\xB3" "d\xC5\xBA;Zo\xC3\xAB\xF0\x9F\x98\x80;;;\n"
        "EMAIL:a@example.org\nEMAIL:\xC5\x81@example.org\nNOTE;CHARSET=KOI8-R:x\nEND:VCARD\n");
    ASSERT_EQ(1, result.added);
    EXPECT_EQ("?\xF3" "d?", document.persons[1].LName);
    EXPECT_EQ("Zo\xEB?", document.persons[1].FName);
    EXPECT_EQ(3, result.lostCharacters);  // not the second e-mail's
    ASSERT_EQ(1u, result.notes.size());
    EXPECT_EQ("unknown character set KOI8-R; 3 characters not in the code page", result.notes[0].reason);
}

TEST(ImportVCards, StopsAtTheCardThatFindsNoPersonIDLeft) {
    PimDocument document;
    document.persons.SetLastID(INT32_MAX - 1);
    const VCardImportResult result = Import(document,
                                            "BEGIN:VCARD\nFN:A\nEND:VCARD\nBEGIN:VCARD\nFN:B\nEND:VCARD\n"
                                            "BEGIN:VCARD\nFN:C\nEND:VCARD\n");
    EXPECT_EQ(1, result.added);
    EXPECT_EQ(2, result.stoppedAtCard);
    EXPECT_EQ("A", document.persons[INT32_MAX].FName);
}

}  // namespace
