// The two reports of the phone book: the address book ("ADDRESS BOOK", an
// entry of eight lines per person, name and address on the left, phones,
// e-mail and web page on the right, sorted by name) and the envelopes (one
// sheet per person, the owner as sender at the top left, the person as
// recipient below the middle, centred on the right-hand column).
//
// Every text stands in a column and is cut at the column's edge, so that an
// over-long address or name never runs into the next column or off the
// sheet: the left column ends half a character before the right-hand one,
// the right column and the envelopes' blocks at the right margin.
#pragma once

#include <string>
#include <vector>

#include "Records.h"
#include "Report.h"

// --- The texts, without a page ---------------------------------------------------

// "First Last" with the first name trimmed; the last name alone when there
// is no first name.
std::string PersonName(const Person& person);
// "City, State Zip", trimmed: without a city "State Zip", without a state
// "City, Zip"; the city is never lost.
std::string PersonCityLine(const Person& person);

// The eight lines of an address-book entry; line 7 holds only the rule.
struct AddressBookEntry {
    static const int kLines = 8;
    std::string left[kLines];
    std::string right[kLines];
};
AddressBookEntry AddressBookEntryOf(const Person& person);

// The sender's lines: name, company (with `showCompany`), Addr1, Addr2 when
// not empty, and "City, State Zip" (whose comma stays even without a city).
std::vector<std::string> SenderLines(const User& owner, bool showCompany);
// The recipient's lines: name, company (with `showCompany`), Addr1 even
// when empty, Addr2 when something is left of it after trimming, and the
// city line, which is always last.
std::vector<std::string> RecipientLines(const Person& person, bool showCompany);

// Sorts by MakeDisplayName ("Last, First") in the user's locale, case
// counting: the order of CompareString with no flags. Equal names keep no
// particular order.
void SortByDisplayName(std::vector<Person>& persons);

// --- The reports -------------------------------------------------------------------

class AddressBookReport : public Report {
public:
    // Sorts its copy of `persons` by display name.
    explicit AddressBookReport(std::vector<Person> persons);

    std::string Title() const override { return "ADDRESS BOOK"; }
    bool FollowsSmallSheetRule() const override { return false; }
    // Entries of eight lines from the headings' line down; an entry joins
    // the page while it ends above the printable bottom. Its last line
    // holds only the rule at its top, which thus stays above the footer.
    void Paginate(const PageFrame& frame) override;

    // The persons in print order.
    const std::vector<Person>& Persons() const { return persons_; }

protected:
    // The title alone: the address book has no column headings.
    void LayOutHeading(PageLayout& page, const PageFrame& frame,
                       const TextMeasure& measure) const override;
    void LayOutEntries(PageLayout& page, const PageFrame& frame, int pageIndex,
                       const TextMeasure& measure) const override;

private:
    std::vector<Person> persons_;
    std::vector<PageRange> pages_;
};

class EnvelopeReport : public Report {
public:
    // `persons` in the order their envelopes come out (ascending ID).
    EnvelopeReport(User owner, std::vector<Person> persons, bool showCompany);

    std::string Title() const override { return ""; }
    bool FollowsSmallSheetRule() const override { return false; }
    // One sheet per person.
    void Paginate(const PageFrame& frame) override;

protected:
    // The sender's block at the top left.
    void LayOutHeading(PageLayout& page, const PageFrame& frame,
                       const TextMeasure& measure) const override;
    // Envelopes carry no page number and no rules.
    void LayOutPageNumber(PageLayout&, const PageFrame&, const TextMeasure&, int) const override {}
    void LayOutRules(PageLayout&, const PageFrame&) const override {}
    // The recipient's block.
    void LayOutEntries(PageLayout& page, const PageFrame& frame, int pageIndex,
                       const TextMeasure& measure) const override;

private:
    User owner_;
    std::vector<Person> persons_;
    bool showCompany_;
};
