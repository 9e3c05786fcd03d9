#include "PeopleReports.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "LocaleSortKey.h"

namespace {

// One line of a column: cut at the column's right edge and at the line's
// own height, so neither a long text nor a tall glyph reaches the next.
void ColumnText(PageLayout& page, int x, int right, int y, int lineHeight, std::string text) {
    if (text.empty()) return;
    const RECT clip = {x, y, std::max(x, right), y + lineHeight};
    page.ClippedText(x, y, std::move(text), clip);
}

}  // namespace

// --- Texts ----------------------------------------------------------------------------

std::string PersonName(const Person& person) {
    const std::string first = TrimBoth(person.FName);
    return first.empty() ? person.LName.str() : first + " " + person.LName;
}

std::string PersonCityLine(const Person& person) {
    const std::string city = TrimBoth(person.City);
    const std::string cityState = TrimBoth(city.empty() ? person.State.str() : city + ", " + person.State);
    return TrimBoth(cityState + " " + person.Zip);
}

AddressBookEntry AddressBookEntryOf(const Person& person) {
    AddressBookEntry entry;
    std::string* left = entry.left;
    left[0] = PersonName(person);
    left[1] = "Company: " + person.Company;
    left[2] = "Position: " + person.Position;
    left[3] = person.Addr1;
    // Without a second address line the city moves up and line 5 stays empty.
    if (!person.Addr2.empty()) {
        left[4] = person.Addr2;
        left[5] = PersonCityLine(person);
    } else {
        left[4] = PersonCityLine(person);
    }

    std::string* right = entry.right;
    right[0] = "Home Phone: " + person.HmPhone;
    right[1] = "Work Phone: " + person.WkPhone;
    if (!person.WkExt.empty()) right[1] += " Ext. " + person.WkExt;
    right[2] = "Fax: " + person.Fax;
    right[3] = "E-Mail: " + person.EMail;
    right[4] = "Pager: " + person.Pager;
    right[5] = "CelPhone: " + person.CelPhone;
    right[6] = "Web Page: " + person.WebPage;
    return entry;
}

std::vector<std::string> SenderLines(const User& owner, bool showCompany) {
    std::vector<std::string> lines;
    lines.push_back(TrimRight(TrimRight(owner.FName) + " " + owner.LName));
    if (showCompany) lines.push_back(owner.Company);
    lines.push_back(owner.Addr1);
    if (!owner.Addr2.empty()) lines.push_back(owner.Addr2);
    lines.push_back(TrimRight(TrimRight(TrimRight(owner.City) + ", " + owner.State) + " " + owner.Zip));
    return lines;
}

std::vector<std::string> RecipientLines(const Person& person, bool showCompany) {
    std::vector<std::string> lines;
    lines.push_back(TrimBoth(PersonName(person)));
    if (showCompany) lines.push_back(person.Company);
    lines.push_back(person.Addr1);
    const std::string addr2 = TrimBoth(person.Addr2);
    if (!addr2.empty()) lines.push_back(addr2);
    lines.push_back(PersonCityLine(person));
    return lines;
}

void SortByDisplayName(std::vector<Person>& persons) {
    std::vector<std::pair<std::string, size_t>> keys;
    keys.reserve(persons.size());
    for (size_t i = 0; i < persons.size(); ++i)
        keys.emplace_back(LocaleSortKey(persons[i].MakeDisplayName()), i);
    std::sort(keys.begin(), keys.end());
    std::vector<Person> sorted;
    sorted.reserve(persons.size());
    for (const auto& key : keys) sorted.push_back(std::move(persons[key.second]));
    persons = std::move(sorted);
}

// --- Address book -----------------------------------------------------------------------

AddressBookReport::AddressBookReport(std::vector<Person> persons) : persons_(std::move(persons)) {
    SortByDisplayName(persons_);
}

void AddressBookReport::Paginate(const PageFrame& frame) {
    pages_.clear();
    if (!persons_.empty()) {
        const int entryHeight = AddressBookEntry::kLines * frame.lineHeight;
        pages_.push_back(PageRange{0, 0});
        int end = frame.HeadingsTop();
        for (size_t i = 0; i < persons_.size(); ++i) {
            end += entryHeight;
            // A page takes at least one entry, however little room it has.
            if (end >= frame.printable.bottom && pages_.back().count > 0) {
                pages_.push_back(PageRange{i, 0});
                end = frame.HeadingsTop() + entryHeight;
            }
            ++pages_.back().count;
        }
    }
    SetPageCount(static_cast<int>(pages_.size()));
}

void AddressBookReport::LayOutHeading(PageLayout& page, const PageFrame& frame,
                                      const TextMeasure& measure) const {
    AddTitle(page, frame, measure, Title());
}

void AddressBookReport::LayOutEntries(PageLayout& page, const PageFrame& frame, int pageIndex,
                                      const TextMeasure&) const {
    const PageRange& range = pages_[static_cast<size_t>(pageIndex)];
    const int lineHeight = frame.lineHeight;
    const int leftX = frame.LeftColumnX();
    const int leftEnd = frame.RightColumnX() - frame.charWidth / 2;
    const int rightX = frame.RightColumnX();
    const int rightEnd = frame.printable.right;
    int y = frame.HeadingsTop();
    for (size_t i = range.first; i < range.first + range.count; ++i) {
        const AddressBookEntry entry = AddressBookEntryOf(persons_[i]);
        for (int line = 0; line < AddressBookEntry::kLines; ++line) {
            const int lineY = y + line * lineHeight;
            ColumnText(page, leftX, leftEnd, lineY, lineHeight, entry.left[line]);
            ColumnText(page, rightX, rightEnd, lineY, lineHeight, entry.right[line]);
        }
        const int ruleY = y + (AddressBookEntry::kLines - 1) * lineHeight;
        page.Line(leftX, ruleY, frame.printable.right, ruleY);
        y += AddressBookEntry::kLines * lineHeight;
    }
}

// --- Envelopes ----------------------------------------------------------------------------

EnvelopeReport::EnvelopeReport(User owner, std::vector<Person> persons, bool showCompany)
    : owner_(std::move(owner)), persons_(std::move(persons)), showCompany_(showCompany) {}

void EnvelopeReport::Paginate(const PageFrame&) {
    SetPageCount(static_cast<int>(persons_.size()));
}

void EnvelopeReport::LayOutHeading(PageLayout& page, const PageFrame& frame,
                                   const TextMeasure&) const {
    int y = frame.printable.top;
    for (std::string& line : SenderLines(owner_, showCompany_)) {
        ColumnText(page, frame.LeftColumnX(), frame.printable.right, y, frame.lineHeight,
                   std::move(line));
        y += frame.lineHeight;
    }
}

// The block's left edge centres its city line on the right-hand column; a
// city line too wide for that starts the block at the left-hand column
// instead of off the sheet, and is cut at the right margin.
void EnvelopeReport::LayOutEntries(PageLayout& page, const PageFrame& frame, int pageIndex,
                                   const TextMeasure& measure) const {
    std::vector<std::string> lines =
        RecipientLines(persons_[static_cast<size_t>(pageIndex)], showCompany_);
    const int cityWidth = measure(ReportFace::kBody, lines.back());
    const int x = std::max(frame.LeftColumnX(), frame.RightColumnX() - cityWidth / 2);
    // Measured from the printable area's origin, not from its top.
    int y = frame.lineHeight + (frame.printable.bottom - frame.printable.top) / 2;
    for (std::string& line : lines) {
        ColumnText(page, x, frame.printable.right, y, frame.lineHeight, std::move(line));
        y += frame.lineHeight;
    }
}
