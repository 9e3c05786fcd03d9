// The phone list is filled in an order worked out beforehand, with the list's
// own sorting switched off; these tests hold that order to what the list
// itself would have shown, for names that tie, differ only in case, carry
// punctuation or bytes above 127.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ListViewRows.h"
#include "PhoneListOrder.h"

namespace {

std::vector<PhoneBookRow> TrickyRows() {
    const char* const names[] = {"smith, al", "Smith, Al", "SMITH, AL", "O'Brien, Pat", "Obrien, Pat",
                                 "co-op, The", "coop, The", "", "\xC9mile, Zola", "Emile, Zola",
                                 "Zed", "adams", "10 Downing", "9 Elms", "Smith, Al", "  Space",
                                 "\xE9mile, Zola", "_under", "~tilde", "Adams"};
    const char* const companies[] = {"acme", "ACME", "Acme", "", "Zeta", "zeta", "Acme", "ACME"};
    std::vector<PhoneBookRow> rows;
    int32_t id = 1;
    for (const char* name : names) {
        rows.push_back({id, name, companies[id % 8]});
        id += 3;
    }
    return rows;
}

// The item values of `rows` after the list's own ascending sort has placed
// each as it arrived in ascending ID order.
std::vector<int32_t> OrderOfASortedList(const std::vector<PhoneBookRow>& rows) {
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT | LVS_SORTASCENDING, 0, 0,
                                300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ListViewRows::AddColumn(list, 0, "Name", 100);
    for (const PhoneBookRow& row : rows)
        ListViewRows::InsertRow(list, ListViewRows::RowCount(list), row.name, row.personID);
    std::vector<int32_t> ids;
    for (int row = 0; row < ListViewRows::RowCount(list); ++row)
        ids.push_back(ListViewRows::ItemValue(list, row));
    DestroyWindow(list);
    return ids;
}

std::vector<int32_t> IDs(const std::vector<PhoneBookRow>& rows) {
    std::vector<int32_t> ids;
    for (const PhoneBookRow& row : rows) ids.push_back(row.personID);
    return ids;
}

}  // namespace

TEST(PhoneListOrder, WhitePagesMatchTheListsOwnSortWhateverTheArrivalOrder) {
    const std::vector<PhoneBookRow> rows = TrickyRows();
    const std::vector<int32_t> expected = OrderOfASortedList(rows);
    ASSERT_EQ(rows.size(), expected.size());

    std::vector<PhoneBookRow> reversed(rows.rbegin(), rows.rend());
    OrderPhoneBookRows(reversed, PhoneBookMode::kWhitePages);
    EXPECT_EQ(expected, IDs(reversed));
}

TEST(PhoneListOrder, YellowPagesOrderCompaniesByteWiseKeepingTheNameOrderWithin) {
    std::vector<PhoneBookRow> rows = TrickyRows();
    const std::vector<int32_t> byName = OrderOfASortedList(rows);
    OrderPhoneBookRows(rows, PhoneBookMode::kYellowPages);

    ASSERT_EQ(byName.size(), rows.size());
    for (size_t i = 1; i < rows.size(); ++i) {
        const int order = CompareCompanies(rows[i - 1].company, rows[i].company);
        ASSERT_LE(order, 0) << i;
        if (order == 0) {
            const auto before = std::find(byName.begin(), byName.end(), rows[i - 1].personID);
            const auto after = std::find(byName.begin(), byName.end(), rows[i].personID);
            EXPECT_LT(before, after) << rows[i - 1].name << " / " << rows[i].name;
        }
    }
    std::vector<std::string> companies;
    for (const PhoneBookRow& row : rows)
        if (companies.empty() || companies.back() != row.company) companies.push_back(row.company);
    EXPECT_EQ((std::vector<std::string>{"", "ACME", "Acme", "Zeta", "acme", "zeta"}), companies);
}

TEST(PhoneListOrder, FillingWithTheSortSuspendedKeepsTheListSortedAfterwards) {
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT | LVS_SORTASCENDING, 0, 0,
                                300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ListViewRows::AddColumn(list, 0, "Name", 100);
    {
        ListViewRows::SortingSuspended unsorted(list);
        EXPECT_EQ(0, GetWindowLongPtrA(list, GWL_STYLE) & LVS_SORTASCENDING);
        ListViewRows::InsertRow(list, 0, "b", 1);
        ListViewRows::InsertRow(list, 1, "c", 2);
    }
    EXPECT_NE(0, GetWindowLongPtrA(list, GWL_STYLE) & LVS_SORTASCENDING);
    EXPECT_EQ("b", ListViewRows::CellText(list, 0, 0));
    ListViewRows::InsertRow(list, 2, "a", 3);
    EXPECT_EQ("a", ListViewRows::CellText(list, 0, 0));
    DestroyWindow(list);
}

// The two-step order, the one a switch of pages uses, gives each page the
// rows of the one-step order, persons listed on neither page left out.
TEST(PhoneListOrder, OrderByNameOnceThenByPageGivesTheSameRowsAsOrderingEachPage) {
    Persons persons;
    int listedOn = 0;
    for (const PhoneBookRow& row : TrickyRows()) {
        Person person;
        person.ID = row.personID;
        person.RName = row.name;
        person.Company = row.company;
        // Every mix of the two pages, and some persons on neither.
        person.WhitePages = listedOn & 1;
        person.YellowPages = (listedOn >> 1) & 1;
        ++listedOn;
        persons.Insert(person.ID, person);
    }
    const std::vector<int32_t> byName = PersonsByName(persons);
    ASSERT_EQ(persons.size(), byName.size());
    for (PhoneBookMode mode : {PhoneBookMode::kWhitePages, PhoneBookMode::kYellowPages}) {
        std::vector<PhoneBookRow> rows = PhoneBookRows(persons, mode);
        OrderPhoneBookRows(rows, mode);
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(IDs(rows), PhoneBookOrder(persons, mode, byName)) << static_cast<int>(mode);
    }

    // A person deleted since the order by name was worked out is not shown.
    const int32_t gone = IDs(PhoneBookRows(persons, PhoneBookMode::kWhitePages)).front();
    persons.Erase(gone);
    const std::vector<int32_t> white = PhoneBookOrder(persons, PhoneBookMode::kWhitePages, byName);
    EXPECT_EQ(white.end(), std::find(white.begin(), white.end(), gone));
}
