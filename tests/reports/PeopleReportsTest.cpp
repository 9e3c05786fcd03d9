// The address book and the envelopes laid out without a device: their texts,
// the order of awkward names, and where entries and blocks stand on a page
// with bad input (empty persons, 4,000-character lines, 10,000 persons).
// Widths come from a stand-in measure (ten pixels a character), metrics from
// a made-up frame; names are ordered in the user's locale (en-US here).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "PeopleReports.h"

namespace {

const int kLine = 50;  // line height of the made-up frame
const int kChar = 20;  // its average character width

int TenPixelsACharacter(ReportFace, const std::string& text) { return 10 * static_cast<int>(text.size()); }

PageFrame FrameWithBottom(int bottom) {
    PageFrame frame;
    frame.printable = {100, 100, 1900, bottom};
    frame.lineHeight = kLine;
    frame.charWidth = kChar;
    frame.inch = 300;
    return frame;
}

Person At(const char* first, const char* last, const char* addr2 = "", const char* city = "",
          const char* state = "", const char* zip = "") {
    Person person;
    person.FName = first;
    person.LName = last;
    person.Addr2 = addr2;
    person.City = city;
    person.State = state;
    person.Zip = zip;
    return person;
}

TEST(AddressBookEntries, KeepEveryLabelAndMoveTheCityUpWithoutASecondAddressLine) {
    struct Case {
        Person person;
        std::vector<std::string> leftLines4And5;
        const char* name;
    };
    const Case cases[] = {
        {At(" Ann ", "Lee", "Suite 5", "Springfield", "IL", "62701"), {"Suite 5", "Springfield, IL 62701"}, "Ann Lee"},
        {At("Ann", "Lee", "", "Springfield", "IL", "62701"), {"Springfield, IL 62701", ""}, "Ann Lee"},
        {At("  ", "Lee", "", " ", "IL", "62701"), {"IL 62701", ""}, "Lee"},         // no city
        {At("", "Lee", "", "Springfield", "", "62701"), {"Springfield, 62701", ""}, "Lee"},  // no state
        {Person(), {"", ""}, ""},
    };
    for (const Case& c : cases) {
        const AddressBookEntry entry = AddressBookEntryOf(c.person);
        EXPECT_EQ(c.name, entry.left[0]);
        EXPECT_EQ(c.leftLines4And5, (std::vector<std::string>{entry.left[4], entry.left[5]})) << c.name;
    }
    // Labels stand even without a value; the extension only with one.
    const AddressBookEntry empty = AddressBookEntryOf(Person());
    EXPECT_EQ((std::vector<std::string>{"", "Company: ", "Position: ", "", "", "", "", "", "Home Phone: ",
                                        "Work Phone: ", "Fax: ", "E-Mail: ", "Pager: ", "CelPhone: ",
                                        "Web Page: ", ""}),
              [&] {
                  std::vector<std::string> lines(empty.left, empty.left + 8);
                  lines.insert(lines.end(), empty.right, empty.right + 8);
                  return lines;
              }());
    Person phoned;
    phoned.WkPhone = "555";
    phoned.WkExt = "12";
    EXPECT_EQ("Work Phone: 555 Ext. 12", AddressBookEntryOf(phoned).right[1]);
}

// Each group probes a way byte order and the locale disagree: case (the
// lower-case name first), letters above 127 (among their base letter, not
// after Z), apostrophes and hyphens (passed over), empty names (first).
TEST(AddressBookOrder, SortsDisplayNamesAsTheUsersLocaleDoesCaseCounting) {
    std::vector<Person> persons = {
        At("Zoe", "\xC5ngstr\xF6m"), At("Ed", "Ochoa"),     At("Pat", "O'Brien"),   At("Al", "Oakley"),
        At("Anna", "Van Dyke"),      At("Anna", "van Dyke"), At("", "\xC9lan"),     At("", "Ezra"),
        At("", "Eagle"),             At("", ""),             At("Cher", ""),        At("Jo", "Smith-Jones"),
        At("Jo", "Smithson"),        At("Jo", "Smith"),      At("Zo\xEB", "Zimmer"), At("Zoe", "Zimmer"),
    };
    SortByDisplayName(persons);
    std::vector<std::string> names;
    for (const Person& person : persons) names.push_back(person.MakeDisplayName());
    EXPECT_EQ((std::vector<std::string>{"", "\xC5ngstr\xF6m, Zoe", "Cher", "Eagle", "\xC9lan", "Ezra",
                                        "Oakley, Al", "O'Brien, Pat", "Ochoa, Ed", "Smith, Jo",
                                        "Smith-Jones, Jo", "Smithson, Jo", "van Dyke, Anna",
                                        "Van Dyke, Anna", "Zimmer, Zoe", "Zimmer, Zo\xEB"}),
              names);
    // The sort keys stand in for CompareString: its order it is.
    for (size_t i = 1; i < names.size(); ++i)
        EXPECT_NE(CSTR_GREATER_THAN, CompareStringA(LOCALE_USER_DEFAULT, 0, names[i - 1].c_str(), -1,
                                                    names[i].c_str(), -1))
            << names[i];
}

// 10,000 persons, one with nothing at all and one whose texts are 4,000
// characters long. On every sheet the entries end above the printable
// bottom (three of 400 pixels fit; a fourth would end exactly on it), every
// text stays inside its column and line, and everybody is printed once.
TEST(AddressBookPages, TenThousandPersonsStayInsideTheirColumnsAndAboveTheFooter) {
    const std::string huge(4000, 'W');
    std::vector<Person> persons;
    for (int i = 0; i < 10000; ++i) persons.push_back(At("First", ("Person " + std::to_string(100000 + i)).c_str()));
    persons[17] = Person();
    for (Text* field : {&persons[50].FName, &persons[50].LName, &persons[50].Addr1, &persons[50].City,
                               &persons[50].Company, &persons[50].WebPage, &persons[50].Notes})
        *field = huge;

    const PageFrame frame = FrameWithBottom(1800);
    AddressBookReport report(persons);
    report.Paginate(frame);
    EXPECT_EQ(3334, report.PageCount());
    size_t printed = 0;
    for (int page = 0; page < report.PageCount(); ++page) {
        const PageLayout layout = report.LayOutPage(frame, page, TenPixelsACharacter);
        std::vector<int> entryTops;
        for (const PageText& text : layout.texts) {
            if (!text.clipped) continue;  // the title and the footer
            ASSERT_EQ(text.y + kLine, text.clip.bottom);
            const bool left = text.x == frame.LeftColumnX();
            ASSERT_EQ(left ? frame.RightColumnX() - kChar / 2 : frame.printable.right, text.clip.right);
            ASSERT_TRUE(left || text.x == frame.RightColumnX());
            if (text.text.rfind("Home Phone: ", 0) == 0) entryTops.push_back(text.y);
        }
        ASSERT_EQ(entryTops.size() + 6, layout.lines.size()) << "a rule per entry after the corner rules";
        for (size_t entry = 0; entry < entryTops.size(); ++entry) {
            ASSERT_EQ(frame.HeadingsTop() + static_cast<int>(entry) * 8 * kLine, entryTops[entry]);
            ASSERT_EQ(entryTops[entry] + 7 * kLine, layout.lines[6 + entry].from.y);
        }
        ASSERT_LT(entryTops.back() + 8 * kLine, frame.printable.bottom);
        printed += entryTops.size();
    }
    EXPECT_EQ(persons.size(), printed);
    EXPECT_EQ("", report.Persons().front().MakeDisplayName());
    EXPECT_EQ(huge, report.Persons().back().LName);
}

// The sender at the top left (no first name leaves a blank, no city the
// comma); the recipient a line below the middle, its city line centred on
// the right-hand column, or starting at the left-hand one when too wide;
// Addr1 keeps its line even when empty, Addr2 only with something in it.
TEST(EnvelopePages, OnePerPersonTheSenderAtTheTopTheRecipientCentredBelowTheMiddle) {
    User owner;
    owner.LName = "Brennix";
    owner.Company = "Brennix Ltd";
    owner.Addr1 = "4 Harbour Rd";
    owner.State = "ME";
    std::vector<Person> persons = {At("Zed", "Young", " \t", "Oslo", "", "0150"), Person(),
                                   At("Wide", "Wilson", "", std::string(4000, 'W').c_str())};
    persons[0].Company = "Young Inc";
    const PageFrame frame = FrameWithBottom(1100);
    const int middle = kLine + (1100 - 100) / 2;
    struct Case {
        bool showCompany;
        int page;
        std::vector<std::string> texts;
        int cityX;
    };
    const Case cases[] = {
        {false, 0, {" Brennix", "4 Harbour Rd", ", ME", "Zed Young", "Oslo, 0150"}, 1020 - 50},
        {true, 0, {" Brennix", "Brennix Ltd", "4 Harbour Rd", ", ME", "Zed Young", "Young Inc", "Oslo, 0150"}, 1020 - 50},
        {false, 1, {" Brennix", "4 Harbour Rd", ", ME"}, 0},
        {false, 2, {" Brennix", "4 Harbour Rd", ", ME", "Wide Wilson", std::string(175, 'W') + "..."}, 120},
    };
    for (const Case& c : cases) {
        EnvelopeReport report(owner, persons, c.showCompany);
        report.Paginate(frame);
        ASSERT_EQ(3, report.PageCount());
        const PageLayout page = report.LayOutPage(frame, c.page, TenPixelsACharacter);
        EXPECT_TRUE(page.lines.empty()) << "no rules";
        std::vector<std::string> texts;
        for (const PageText& text : page.texts) texts.push_back(text.text);
        ASSERT_EQ(c.texts, texts) << c.page;
        const size_t senderLines = c.showCompany ? 4 : 3;
        for (size_t i = 0; i < page.texts.size(); ++i) {
            const PageText& text = page.texts[i];
            EXPECT_EQ(frame.printable.right, text.clip.right);
            if (i < senderLines) {
                EXPECT_EQ(frame.LeftColumnX(), text.x);
                EXPECT_EQ(frame.printable.top + static_cast<int>(i) * kLine, text.y);
            } else {
                EXPECT_EQ(c.cityX, text.x) << text.text.substr(0, 10);
            }
        }
        if (c.page != 1) {
            EXPECT_EQ(middle, page.texts[senderLines].y);
            // Name, company, Addr1 (empty, not drawn), then the city line.
            EXPECT_EQ(middle + (c.showCompany ? 3 : 2) * kLine, page.texts.back().y);
        }
    }
}

}  // namespace
