// The address book and the envelopes laid out without a device: their texts,
// the order of awkward names, where entries and blocks stand on a page, and
// bad input (empty persons, over-long lines, ten thousand persons). Widths
// come from a stand-in measure (ten pixels a character), the metrics from a
// made-up frame; the order of names is the user's locale's (en-US here).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "PeopleReports.h"
#include "ReportLayout.h"

namespace {

const int kLine = 50;  // line height of the made-up frame
const int kChar = 20;  // its average character width

int TenPixelsACharacter(ReportFace, const std::string& text) {
    return 10 * static_cast<int>(text.size());
}

PageFrame FrameWithBottom(int bottom) {
    PageFrame frame;
    frame.printable = {100, 100, 1900, bottom};
    frame.lineHeight = kLine;
    frame.charWidth = kChar;
    frame.inch = 300;
    return frame;
}

Person Named(const char* first, const char* last) {
    Person person;
    person.FName = first;
    person.LName = last;
    return person;
}

// A person with an address; the other fields empty.
Person Addressed(const char* first, const char* last, const char* addr1, const char* addr2,
                 const char* city, const char* state, const char* zip) {
    Person person = Named(first, last);
    person.Addr1 = addr1;
    person.Addr2 = addr2;
    person.City = city;
    person.State = state;
    person.Zip = zip;
    return person;
}

const PageText* FindText(const PageLayout& page, const std::string& text) {
    for (const PageText& item : page.texts)
        if (item.text == text) return &item;
    return nullptr;
}

TEST(AddressBookEntries, KeepEveryLabelAndMoveTheCityUpWithoutASecondAddressLine) {
    struct Case {
        const char* probe;
        Person person;
        std::vector<std::string> left;  // lines 0 to 5
    };
    Person full = Addressed(" Ann ", "Lee", "1 Main St", "Suite 5", "Springfield", "IL", "62701");
    full.Company = "Acme";
    full.Position = "CEO";
    const Case cases[] = {
        {"both address lines", full,
         {"Ann Lee", "Company: Acme", "Position: CEO", "1 Main St", "Suite 5", "Springfield, IL 62701"}},
        {"no second line: the city on line 4, line 5 empty",
         Addressed("Ann", "Lee", "1 Main St", "", "Springfield", "IL", "62701"),
         {"Ann Lee", "Company: ", "Position: ", "1 Main St", "Springfield, IL 62701", ""}},
        {"no city: state and zip", Addressed("", "Lee", "", "", " ", "IL", "62701"),
         {"Lee", "Company: ", "Position: ", "", "IL 62701", ""}},
        {"no state: the city keeps its comma", Addressed("  ", "Lee", "", "", "Springfield", "", "62701"),
         {"Lee", "Company: ", "Position: ", "", "Springfield, 62701", ""}},
        {"every field empty", Person(), {"", "Company: ", "Position: ", "", "", ""}},
    };
    for (const Case& c : cases) {
        const AddressBookEntry entry = AddressBookEntryOf(c.person);
        for (size_t line = 0; line < c.left.size(); ++line)
            EXPECT_EQ(c.left[line], entry.left[line]) << c.probe << ", line " << line;
        EXPECT_EQ("", entry.left[6]) << c.probe;
        EXPECT_EQ("", entry.left[7]) << c.probe;
    }

    // The right column: a label on every line even without a value; the
    // extension only with one.
    const AddressBookEntry empty = AddressBookEntryOf(Person());
    EXPECT_EQ((std::vector<std::string>{"Home Phone: ", "Work Phone: ", "Fax: ", "E-Mail: ",
                                        "Pager: ", "CelPhone: ", "Web Page: ", ""}),
              std::vector<std::string>(empty.right, empty.right + 8));
    Person phoned;
    phoned.WkPhone = "555-1000";
    EXPECT_EQ("Work Phone: 555-1000", AddressBookEntryOf(phoned).right[1]);
    phoned.WkExt = "12";
    EXPECT_EQ("Work Phone: 555-1000 Ext. 12", AddressBookEntryOf(phoned).right[1]);
}

TEST(EnvelopeBlocks, SenderAndRecipientLinesFollowTheirOwnTrimmingRules) {
    User owner;
    owner.LName = "Brennix";
    owner.Company = "Brennix Ltd";
    owner.Addr1 = "4 Harbour Rd";
    owner.State = "ME";
    owner.Zip = "04101";
    // No first name leaves a blank in front; no city leaves the comma.
    EXPECT_EQ((std::vector<std::string>{" Brennix", "4 Harbour Rd", ", ME 04101"}),
              SenderLines(owner, false));
    owner.Addr2 = "Unit 2";
    EXPECT_EQ((std::vector<std::string>{" Brennix", "Brennix Ltd", "4 Harbour Rd", "Unit 2", ", ME 04101"}),
              SenderLines(owner, true));

    // Addr1 stays even when empty; Addr2 only with something in it.
    Person person = Addressed("  Ann", "Lee ", "", " \t", "Springfield", "", "62701");
    person.Company = "Acme";
    EXPECT_EQ((std::vector<std::string>{"Ann Lee", "", "Springfield, 62701"}),
              RecipientLines(person, false));
    EXPECT_EQ((std::vector<std::string>{"Ann Lee", "Acme", "", "Springfield, 62701"}),
              RecipientLines(person, true));
    EXPECT_EQ((std::vector<std::string>{"", "", ""}), RecipientLines(Person(), false));
}

// Each group probes one way byte order and the locale disagree: case (the
// lower-case name first), letters above 127 (with their base letter, not
// after Z), apostrophes and hyphens (passed over), and empty names (first).
TEST(AddressBookOrder, SortsDisplayNamesAsTheUsersLocaleDoesCaseCounting) {
    std::vector<Person> persons = {
        Named("Zoe", "\xC5ngstr\xF6m"),  // Ångström
        Named("Ed", "Ochoa"),            Named("Pat", "O'Brien"),  Named("Al", "Oakley"),
        Named("Anna", "Van Dyke"),       Named("Anna", "van Dyke"),
        Named("", "\xC9lan"),            // Élan
        Named("", "Ezra"),               Named("", "Eagle"),
        Named("", ""),                   Named("Cher", ""),
        Named("Jo", "Smith-Jones"),      Named("Jo", "Smithson"),  Named("Jo", "Smith"),
        Named("Zo\xEB", "Zimmer"),       // Zoë
        Named("Zoe", "Zimmer"),
    };
    SortByDisplayName(persons);
    std::vector<std::string> names;
    for (const Person& person : persons) names.push_back(person.MakeDisplayName());
    const std::vector<std::string> expected = {
        "",
        "\xC5ngstr\xF6m, Zoe",
        "Cher",
        "Eagle",
        "\xC9lan",
        "Ezra",
        "Oakley, Al",
        "O'Brien, Pat",
        "Ochoa, Ed",
        "Smith, Jo",
        "Smith-Jones, Jo",
        "Smithson, Jo",
        "van Dyke, Anna",
        "Van Dyke, Anna",
        "Zimmer, Zoe",
        "Zimmer, Zo\xEB",
    };
    EXPECT_EQ(expected, names);
    // And that is CompareString's order, which the sort keys stand in for.
    for (size_t i = 1; i < names.size(); ++i)
        EXPECT_NE(CSTR_GREATER_THAN, CompareStringA(LOCALE_USER_DEFAULT, 0, names[i - 1].c_str(), -1,
                                                    names[i].c_str(), -1))
            << names[i - 1] << " / " << names[i];
}

// Ten thousand persons, among them one with nothing at all and one whose
// every text is 4,000 characters long. On every sheet: the entries end
// above the printable bottom and their rules above the footer; the first
// sheet takes every entry that fits; every text stays inside its column
// and its line; and every person is printed once, in sorted order.
TEST(AddressBookPages, TenThousandPersonsStayInsideTheirColumnsAndAboveTheFooter) {
    const std::string huge(4000, 'W');
    std::vector<Person> persons;
    for (int i = 0; i < 10000; ++i) {
        Person person = Named("First", ("Person " + std::to_string(100000 + i)).c_str());
        person.Addr1 = std::to_string(i) + " Main St";
        persons.push_back(person);
    }
    persons[17] = Person();
    Person& overlong = persons[5000];
    for (std::string* field : {&overlong.FName, &overlong.LName, &overlong.Addr1, &overlong.Addr2,
                               &overlong.City, &overlong.Company, &overlong.WebPage, &overlong.Notes})
        *field = huge;

    // Four entries would end exactly at the bottom: three fit.
    const PageFrame frame = FrameWithBottom(1800);
    AddressBookReport report(persons);
    report.Paginate(frame);
    ASSERT_GT(report.PageCount(), 100);

    const int footerTop = frame.printable.bottom - kLine;
    const int leftEnd = frame.RightColumnX() - kChar / 2;
    size_t printed = 0;
    for (int page = 0; page < report.PageCount(); ++page) {
        const PageLayout layout = report.LayOutPage(frame, page, TenPixelsACharacter);
        std::vector<int> entryTops;
        for (const PageText& text : layout.texts) {
            if (!text.clipped) continue;  // the title and the footer
            ASSERT_LE(text.clip.bottom, footerTop) << page;
            ASSERT_EQ(text.y + kLine, text.clip.bottom);
            if (text.x == frame.LeftColumnX()) {
                ASSERT_EQ(leftEnd, text.clip.right) << text.text.substr(0, 20);
            } else {
                ASSERT_EQ(frame.RightColumnX(), text.x);
                ASSERT_EQ(frame.printable.right, text.clip.right);
            }
            if (text.text.rfind("Home Phone: ", 0) == 0) entryTops.push_back(text.y);
        }
        // One rule per entry, after the six corner rules.
        ASSERT_EQ(entryTops.size() + 6, layout.lines.size()) << page;
        for (size_t entry = 0; entry < entryTops.size(); ++entry) {
            ASSERT_EQ(frame.HeadingsTop() + static_cast<int>(entry) * 8 * kLine, entryTops[entry]);
            ASSERT_LT(entryTops[entry] + 8 * kLine, frame.printable.bottom);
            ASSERT_EQ(entryTops[entry] + 7 * kLine, layout.lines[6 + entry].from.y);
        }
        if (page == 0) {
            EXPECT_GE(entryTops.back() + 16 * kLine, frame.printable.bottom);
        }
        printed += entryTops.size();
    }
    EXPECT_EQ(persons.size(), printed);

    // The empty person sorts first; the rest in order of their numbers,
    // the 4,000 W's of the over-long one last.
    const std::vector<Person>& order = report.Persons();
    EXPECT_EQ("", order.front().MakeDisplayName());
    EXPECT_EQ("Person 100000", order[1].LName);
    EXPECT_EQ(huge, order.back().LName);
}

TEST(EnvelopePages, OnePerPersonTheSenderAtTheTopTheRecipientCentredBelowTheMiddle) {
    User owner;
    owner.FName = "Ola";
    owner.LName = "Brennix";
    owner.Company = "Brennix Ltd";
    owner.Addr1 = "4 Harbour Rd";
    owner.City = "Portland";
    std::vector<Person> persons = {
        Addressed("Zed", "Young", "9 Elm St", "", "Oslo", "", "0150"),
        Addressed("Amy", "Abbot", "1 Oak Rd", "", "Bergen", "", "5003"),
        Person(),  // every field empty
        Addressed("Wide", "Wilson", "3 Ash Ln", "", std::string(4000, 'W').c_str(), "", ""),
    };
    persons[1].Company = "Abbot & Sons";
    const PageFrame frame = FrameWithBottom(1100);

    for (bool showCompany : {false, true}) {
        EnvelopeReport report(owner, persons, showCompany);
        report.Paginate(frame);
        ASSERT_EQ(4, report.PageCount());
        for (int page = 0; page < 4; ++page) {
            SCOPED_TRACE(std::to_string(page) + (showCompany ? " with companies" : ""));
            const PageLayout layout = report.LayOutPage(frame, page, TenPixelsACharacter);
            EXPECT_TRUE(layout.lines.empty());
            EXPECT_EQ(nullptr, FindText(layout, "Page " + std::to_string(page + 1)));

            const std::vector<std::string> sender = SenderLines(owner, showCompany);
            const std::vector<std::string> recipient =
                RecipientLines(persons[static_cast<size_t>(page)], showCompany);
            std::vector<std::string> expected = sender;
            for (const std::string& line : recipient)
                if (!line.empty()) expected.push_back(line);
            std::vector<std::string> drawn;
            for (const PageText& text : layout.texts) drawn.push_back(text.text);
            EXPECT_EQ(expected, drawn);

            ASSERT_GE(layout.texts.size(), sender.size());
            for (size_t line = 0; line < sender.size(); ++line) {
                const PageText& text = layout.texts[line];
                EXPECT_EQ(frame.LeftColumnX(), text.x);
                EXPECT_EQ(frame.printable.top + static_cast<int>(line) * kLine, text.y);
            }
            // The recipient's lines, the empty ones kept as space: the last
            // is the city line, centred on the right-hand column when it fits.
            const int first = kLine + (frame.printable.bottom - frame.printable.top) / 2;
            if (recipient.back().empty()) continue;  // nothing of the recipient is drawn
            const PageText& city = layout.texts.back();
            EXPECT_EQ(first + static_cast<int>(recipient.size() - 1) * kLine, city.y);
            const int cityWidth = TenPixelsACharacter(ReportFace::kBody, city.text);
            if (city.text.size() < 100)
                EXPECT_LE(std::abs(city.x + cityWidth / 2 - frame.RightColumnX()), 5);
            else
                EXPECT_EQ(frame.LeftColumnX(), city.x);
            for (const PageText& text : layout.texts) {
                EXPECT_TRUE(text.clipped);
                EXPECT_GE(text.x, frame.LeftColumnX());
                EXPECT_EQ(frame.printable.right, text.clip.right);
                if (text.y >= first) {
                    EXPECT_EQ(city.x, text.x) << text.text;
                }
            }
        }
    }
}

}  // namespace
