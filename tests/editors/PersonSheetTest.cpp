// The person and user sheets, driven inside their own modal loops: what they
// show when opened, when OK may be pressed, what is read back from which
// page, the State and Zip checks, and help on the controls.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "DialogDriver.h"
#include "HelpLibrary.h"
#include "PersonSheet.h"
#include "resource.h"

namespace {

using Topics = std::vector<std::pair<DWORD, DWORD>>;  // control id, topic

// What HTML Help was asked to show: file, command, then the control's topic.
std::vector<std::pair<std::string, UINT>> g_helpCalls;
Topics g_topics;

HWND WINAPI RecordHelp(HWND, LPCSTR file, UINT command, DWORD_PTR data) {
    const auto* pairs = reinterpret_cast<const DWORD*>(data);
    g_helpCalls.emplace_back(file ? file : "", command);
    g_topics.emplace_back(pairs[0], pairs[1]);
    return nullptr;
}

// The ids of the windows that were given the focus.
std::vector<int> g_focused;

LRESULT CALLBACK RecordFocus(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_SETFOCUS && wParam)
        g_focused.push_back(GetDlgCtrlID(reinterpret_cast<HWND>(wParam)));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

enum { kGeneral = 0, kPhone = 1, kAddress = 2, kNotes = 3, kUserAddress = 1 };

// Shows page `index` as a click on its tab would; returns the page.
HWND ShowPage(HWND sheet, int index) {
    SendMessageA(sheet, PSM_SETCURSEL, index, 0);
    return PropSheet_GetCurrentPageHwnd(sheet);
}
HWND CurrentPage(HWND sheet) { return PropSheet_GetCurrentPageHwnd(sheet); }
void Type(HWND page, int id, const char* text) { SetDlgItemTextA(page, id, text); }
bool OKEnabled(HWND sheet) { return IsWindowEnabled(GetDlgItem(sheet, IDOK)) != FALSE; }
std::string Text(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}
int Count(const std::vector<int>& ids, int id) { return std::count(ids.begin(), ids.end(), id); }

// F1 on `control`: the request starts at the control, as the system's does.
void PressF1On(HWND control) {
    HELPINFO request = {sizeof(request), HELPINFO_WINDOW, GetDlgCtrlID(control), control, 0, {}};
    SendMessageA(control, WM_HELP, 0, reinterpret_cast<LPARAM>(&request));
}

class PersonSheetTest : public testing::Test {
protected:
    void SetUp() override {
        g_helpCalls.clear();
        g_topics.clear();
        g_focused.clear();
        owner_ = CreateWindowExA(0, "STATIC", "Owner", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, owner_);
        focusHook_ = SetWindowsHookExA(WH_CBT, RecordFocus, nullptr, GetCurrentThreadId());
        help_ = {&library_, "C:\\Apps\\Vantrel", "Vantrel.chm"};
    }
    void TearDown() override {
        UnhookWindowsHookEx(focusHook_);
        DestroyWindow(owner_);
    }

    // Runs `run` with `drive` acting on the sheet inside its modal loop. A
    // drive that stops early (a failed assertion) leaves the sheet open: it
    // is cancelled then.
    INT_PTR Drive(const std::function<INT_PTR()>& run, const std::function<void(HWND)>& drive) {
        closed_ = false;
        DialogDriver driver([&](HWND sheet) {
            drive(sheet);
            if (!closed_) Cancel(sheet);
        });
        const INT_PTR result = run();
        EXPECT_EQ(1, driver.DialogsDriven());
        return result;
    }
    INT_PTR DrivePerson(PersonPageData& pages, const std::function<void(HWND)>& drive,
                        const std::string& title = "Edit Person") {
        return Drive([&] { return RunPersonSheet(owner_, title, pages, help_); }, drive);
    }
    INT_PTR DriveUser(UserPageData& pages, const std::function<void(HWND)>& drive) {
        return Drive([&] { return RunUserSheet(owner_, pages, help_); }, drive);
    }
    // Presses OK; a disabled OK fails the test (and the sheet is cancelled).
    void OK(HWND sheet) {
        if (!OKEnabled(sheet)) {
            ADD_FAILURE() << "OK is disabled";
            return;
        }
        closed_ = true;
        SendMessageA(GetDlgItem(sheet, IDOK), BM_CLICK, 0, 0);
    }
    void Cancel(HWND sheet) {
        closed_ = true;
        SendMessageA(GetDlgItem(sheet, IDCANCEL), BM_CLICK, 0, 0);
    }

    static Person Sample() {
        Person person;
        person.ID = 42;
        person.FName = "Ann";
        person.LName = "Lee";
        person.HmPhone = "555-0101";
        person.Zip = "98101";
        person.Notes = "Call after 5";
        person.WhitePages = person.YellowPages = 1;
        return person;
    }

    HWND owner_ = nullptr;
    HHOOK focusHook_ = nullptr;
    bool closed_ = false;
    HelpLibrary library_{[] { return &RecordHelp; }};
    EditorHelp help_;
};

TEST_F(PersonSheetTest, AddPersonOpensWithTheDefaultsAndOKNeedsANameOrCompany) {
    PersonPageData pages;
    std::string caption;
    std::vector<std::string> tabs;
    HWND owner = nullptr, apply = nullptr;
    std::vector<bool> states;  // OK enabled, then white and yellow checked
    const INT_PTR result = DrivePerson(
        pages,
        [&](HWND sheet) {
            caption = Text(sheet);
            owner = GetWindow(sheet, GW_OWNER);
            apply = GetDlgItem(sheet, 0x3021);  // the system's Apply button
            if (apply && !IsWindowVisible(apply)) apply = nullptr;
            HWND tab = PropSheet_GetTabControl(sheet);
            for (int i = 0; i < TabCtrl_GetItemCount(tab); ++i) {
                char text[64] = "";
                TCITEMA item = {TCIF_TEXT, 0, 0, text, sizeof text, 0, 0};
                SendMessageA(tab, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
                tabs.push_back(text);
            }
            HWND general = CurrentPage(sheet);
            states.push_back(OKEnabled(sheet));
            states.push_back(IsDlgButtonChecked(general, IDC_PERSON_WHITE_PAGES) == BST_CHECKED);
            states.push_back(IsDlgButtonChecked(general, IDC_PERSON_YELLOW_PAGES) == BST_CHECKED);
            Type(ShowPage(sheet, kPhone), IDC_PERSON_HOME_PHONE, "555-0199");
            ShowPage(sheet, kGeneral);
            Type(general, IDC_PERSON_POSITION, "Clerk");
            states.push_back(OKEnabled(sheet));
            for (int id : {IDC_PERSON_COMPANY, IDC_PERSON_LAST_NAME, IDC_PERSON_FIRST_NAME}) {
                Type(general, id, "x");
                states.push_back(OKEnabled(sheet));
                Type(general, id, "");
                states.push_back(OKEnabled(sheet));
            }
            // A disabled OK cannot be pressed by a command sent to the sheet.
            SendMessageA(sheet, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            states.push_back(IsWindowVisible(sheet) != FALSE);
        },
        "Add Person");
    EXPECT_EQ("Add Person", caption);
    EXPECT_EQ(owner_, owner);
    EXPECT_EQ(nullptr, apply);
    EXPECT_EQ((std::vector<std::string>{"General", "Phone", "Address", "Notes"}), tabs);
    EXPECT_EQ((std::vector<bool>{false, true, false, false, true, false, true, false, true, false,
                                 true}),
              states);
    EXPECT_EQ(IDCANCEL, result);
}

TEST_F(PersonSheetTest, OKStoresWhatWasTypedOnEveryPage) {
    struct Entry {
        int page, id;
        const char* text;
        std::string PersonPageData::*field;
    };
    const Entry entries[] = {
        {kGeneral, IDC_PERSON_FIRST_NAME, "Ann", &PersonPageData::firstName},
        {kGeneral, IDC_PERSON_LAST_NAME, "Lee", &PersonPageData::lastName},
        {kGeneral, IDC_PERSON_COMPANY, "Acme", &PersonPageData::company},
        {kGeneral, IDC_PERSON_POSITION, "Clerk", &PersonPageData::position},
        {kPhone, IDC_PERSON_HOME_PHONE, "555-0001", &PersonPageData::homePhone},
        {kPhone, IDC_PERSON_WORK_PHONE, "555-0002", &PersonPageData::workPhone},
        {kPhone, IDC_PERSON_WORK_EXT, "12", &PersonPageData::workExt},
        {kPhone, IDC_PERSON_FAX, "555-0003", &PersonPageData::fax},
        {kPhone, IDC_PERSON_EMAIL, "ann@example.com", &PersonPageData::email},
        {kPhone, IDC_PERSON_PAGER, "555-0004", &PersonPageData::pager},
        {kPhone, IDC_PERSON_CELL_PHONE, "555-0005", &PersonPageData::cellPhone},
        {kPhone, IDC_PERSON_WEB_PAGE, "www.example.com", &PersonPageData::webPage},
        {kAddress, IDC_PERSON_ADDRESS1, "1 Main St", &PersonPageData::address1},
        {kAddress, IDC_PERSON_ADDRESS2, "Suite 2", &PersonPageData::address2},
        {kAddress, IDC_PERSON_CITY, "Seattle", &PersonPageData::city},
        {kAddress, IDC_PERSON_STATE, "WA", &PersonPageData::state},
        {kAddress, IDC_PERSON_ZIP, "98101", &PersonPageData::zip},
        // The last page is read by OK itself, without being left.
        {kNotes, IDC_PERSON_NOTES, "Line one\r\nLine two", &PersonPageData::notes}};
    PersonPageData pages;
    const INT_PTR result = DrivePerson(pages, [&](HWND sheet) {
        for (const Entry& entry : entries) Type(ShowPage(sheet, entry.page), entry.id, entry.text);
        HWND general = ShowPage(sheet, kGeneral);
        CheckDlgButton(general, IDC_PERSON_WHITE_PAGES, BST_UNCHECKED);
        CheckDlgButton(general, IDC_PERSON_YELLOW_PAGES, BST_CHECKED);
        ShowPage(sheet, kNotes);
        OK(sheet);
    });
    ASSERT_EQ(IDOK, result);
    for (const Entry& entry : entries) EXPECT_EQ(entry.text, pages.*entry.field) << entry.id;
    EXPECT_EQ(0, pages.whitePages);
    EXPECT_EQ(1, pages.yellowPages);
}

TEST_F(PersonSheetTest, PagesNeverOpenedKeepTheRecordsFields) {
    Person person = Sample();
    PersonPageData pages = PersonPagesFrom(person);
    const INT_PTR result = DrivePerson(pages, [&](HWND sheet) {
        Type(CurrentPage(sheet), IDC_PERSON_FIRST_NAME, "Anne");
        OK(sheet);
    });
    ASSERT_EQ(IDOK, result);
    CopyPersonPages(pages, person);
    EXPECT_EQ("Lee, Anne", person.RName);
    EXPECT_EQ(42, person.ID);
    EXPECT_EQ("Call after 5", person.Notes);
    EXPECT_EQ("555-0101", person.HmPhone);
    EXPECT_EQ(1, person.YellowPages);
}

TEST_F(PersonSheetTest, CancelReadsTheShowingPageButLeavesTheRecordAlone) {
    Person person = Sample();
    PersonPageData pages = PersonPagesFrom(person);
    std::string shownName, shownPhone;
    const INT_PTR result = DrivePerson(pages, [&](HWND sheet) {
        shownName = Text(GetDlgItem(CurrentPage(sheet), IDC_PERSON_FIRST_NAME));
        Type(CurrentPage(sheet), IDC_PERSON_FIRST_NAME, "Bob");
        HWND phone = ShowPage(sheet, kPhone);
        shownPhone = Text(GetDlgItem(phone, IDC_PERSON_HOME_PHONE));
        Type(phone, IDC_PERSON_HOME_PHONE, "555-9999");
        Cancel(sheet);
    });
    EXPECT_EQ("Ann", shownName);
    EXPECT_EQ("555-0101", shownPhone);
    EXPECT_EQ(IDCANCEL, result);
    // Both the page left and the page showing at Cancel were read ...
    EXPECT_EQ("Bob", pages.firstName);
    EXPECT_EQ("555-9999", pages.homePhone);
    // ... but only OK has the caller copy them.
    if (result == IDOK) CopyPersonPages(pages, person);
    EXPECT_EQ("Ann", person.FName);
}

TEST_F(PersonSheetTest, AStateTooLongKeepsTheSheetOpenOnItsPageUntilItFits) {
    PersonPageData pages = PersonPagesFrom(Sample());
    std::vector<bool> open;        // after OK, then after leaving for General
    std::vector<HWND> shownPages;  // the page showing at those moments
    std::vector<int> focused;      // given the focus by that OK
    HWND address = nullptr;
    const INT_PTR result = DrivePerson(pages, [&](HWND sheet) {
        address = ShowPage(sheet, kAddress);
        Type(address, IDC_PERSON_STATE, "ABCDEF");
        Type(address, IDC_PERSON_ZIP, "12345");
        g_focused.clear();
        OK(sheet);
        focused = g_focused;
        open.push_back(IsWindow(sheet) && IsWindowVisible(sheet));
        shownPages.push_back(CurrentPage(sheet));
        ShowPage(sheet, kGeneral);
        open.push_back(IsWindow(sheet) && IsWindowVisible(sheet));
        shownPages.push_back(CurrentPage(sheet));
        // Once the State fits, OK stores what was typed in the same visit.
        Type(address, IDC_PERSON_STATE, "WA");
        OK(sheet);
    });
    EXPECT_EQ((std::vector<bool>{true, true}), open);
    EXPECT_EQ((std::vector<HWND>{address, address}), shownPages);
    EXPECT_EQ(1, Count(focused, IDC_PERSON_STATE));
    EXPECT_EQ(0, Count(focused, IDC_PERSON_ZIP));
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ("WA", pages.state);
    EXPECT_EQ("12345", pages.zip);
}

TEST_F(PersonSheetTest, TheUsersAddressPageKeepsAStateTooLongTheSameWay) {
    UserPageData pages;
    pages.lastName = "Lee";
    bool openAfterOK = false;
    const INT_PTR result = DriveUser(pages, [&](HWND sheet) {
        HWND address = ShowPage(sheet, kUserAddress);
        Type(address, IDC_PERSON_STATE, "ABCDEF");
        Type(address, IDC_PERSON_ZIP, "98101");
        OK(sheet);
        openAfterOK = IsWindow(sheet) && CurrentPage(sheet) == address;
        // Cancel closes the sheet all the same.
        Cancel(sheet);
    });
    EXPECT_TRUE(openAfterOK);
    EXPECT_EQ(IDCANCEL, result);
}

TEST_F(PersonSheetTest, EditUserOpensWithOKDisabledAndKeepsAZipTooLong) {
    UserPageData pages;
    pages.position = "Owner";
    std::string caption;
    bool okAtOpen = true, addressBook = true;
    std::vector<int> focusedOnLeaving;
    const INT_PTR result = DriveUser(pages, [&](HWND sheet) {
        caption = Text(sheet);
        okAtOpen = OKEnabled(sheet);
        addressBook = GetDlgItem(CurrentPage(sheet), IDC_PERSON_WHITE_PAGES) != nullptr;
        Type(CurrentPage(sheet), IDC_PERSON_LAST_NAME, "Lee");
        HWND page = ShowPage(sheet, kUserAddress);
        Type(page, IDC_PERSON_STATE, "ABCDE");  // five is not too long
        Type(page, IDC_PERSON_ZIP, "98101-12345");
        g_focused.clear();
        ShowPage(sheet, kGeneral);
        focusedOnLeaving = g_focused;
        OK(sheet);
    });
    EXPECT_EQ("Edit User", caption);
    EXPECT_FALSE(okAtOpen);
    EXPECT_FALSE(addressBook);
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ("Lee", pages.lastName);
    EXPECT_EQ("ABCDE", pages.state);
    EXPECT_EQ("98101-12345", pages.zip);
    EXPECT_EQ(1, Count(focusedOnLeaving, IDC_PERSON_ZIP));
    EXPECT_EQ(0, Count(focusedOnLeaving, IDC_PERSON_STATE));
}

TEST_F(PersonSheetTest, HelpGivesEachSheetsTopicsForPagesAndButtons) {
    PersonPageData person;
    DrivePerson(person, [&](HWND sheet) {
        HWND general = CurrentPage(sheet);
        for (int id : {IDC_PERSON_FIRST_NAME, IDC_PERSON_COMPANY_LABEL, IDC_PERSON_YELLOW_PAGES,
                       IDC_PERSON_ADDRESS_BOOK_GROUP /* no topic */})
            PressF1On(GetDlgItem(general, id));
        PressF1On(GetDlgItem(ShowPage(sheet, kPhone), IDC_PERSON_WORK_EXT_LABEL));
        PressF1On(GetDlgItem(ShowPage(sheet, kAddress), IDC_PERSON_ZIP));
        PressF1On(GetDlgItem(ShowPage(sheet, kNotes), IDC_PERSON_NOTES));
        PressF1On(GetDlgItem(sheet, IDOK));
    });
    UserPageData user;
    DriveUser(user, [&](HWND sheet) {
        PressF1On(GetDlgItem(CurrentPage(sheet), IDC_PERSON_POSITION));
        PressF1On(GetDlgItem(ShowPage(sheet, kUserAddress), IDC_PERSON_ADDRESS1_LABEL));
        PressF1On(GetDlgItem(sheet, IDCANCEL));
    });
    EXPECT_EQ((Topics{{IDC_PERSON_FIRST_NAME, 1201},
                      {IDC_PERSON_COMPANY_LABEL, 1203},
                      {IDC_PERSON_YELLOW_PAGES, 1206},
                      {IDC_PERSON_WORK_EXT_LABEL, 1222},
                      {IDC_PERSON_ZIP, 1211},
                      {IDC_PERSON_NOTES, 1230},
                      {IDOK, 1000},
                      {IDC_PERSON_POSITION, 1104},
                      {IDC_PERSON_ADDRESS1_LABEL, 1105},
                      {IDCANCEL, 1001}}),
              g_topics);
    for (const auto& call : g_helpCalls) {
        EXPECT_EQ("C:\\Apps\\Vantrel\\Vantrel.chm", call.first);
        EXPECT_EQ(kHelpPopupForRequest, call.second);
    }
}

TEST(PersonSheetDataTest, EveryFieldGoesToItsOwnPlaceAndTheDisplayNameIsMade) {
    Person person = {};
    ::Text Person::*const fields[] = {
        &Person::FName, &Person::LName,  &Person::Company, &Person::Position, &Person::HmPhone,
        &Person::WkPhone, &Person::WkExt, &Person::Fax,    &Person::EMail,    &Person::Pager,
        &Person::CelPhone, &Person::WebPage, &Person::Addr1, &Person::Addr2,  &Person::City,
        &Person::State,   &Person::Zip,   &Person::Notes};
    int n = 0;
    for (auto field : fields) person.*field = "value " + std::to_string(++n);
    person.YellowPages = 1;
    Person copy;
    copy.ID = 9;
    CopyPersonPages(PersonPagesFrom(person), copy);
    for (auto field : fields) EXPECT_EQ(person.*field, copy.*field);
    EXPECT_EQ(0, copy.WhitePages);
    EXPECT_EQ(1, copy.YellowPages);
    EXPECT_EQ(9, copy.ID);

    const char* const names[][3] = {
        {"Ann", "Lee", "Lee, Ann"}, {"", "Lee", "Lee"}, {"Ann", "", "Ann"}, {"", "", ""}};
    for (const auto& name : names) {
        PersonPageData pages;
        pages.firstName = name[0];
        pages.lastName = name[1];
        copy.RName = "stale";
        CopyPersonPages(pages, copy);
        EXPECT_EQ(name[2], copy.RName);
    }

    User user;
    ::Text User::*const userFields[] = {&User::FName, &User::LName, &User::Company,
                                             &User::Position, &User::Addr1, &User::Addr2,
                                             &User::City, &User::State, &User::Zip};
    for (auto field : userFields) user.*field = "value " + std::to_string(++n);
    User userCopy;
    CopyUserPages(UserPagesFrom(user), userCopy);
    for (auto field : userFields) EXPECT_EQ(user.*field, userCopy.*field);
}

}  // namespace

namespace {

INT_PTR CALLBACK PlainPage(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

struct EditPlace {
    int id;
    RECT place;  // left, top, width, height in dialog units
};

// Every edit of the page template at its place, one line and scrolling
// sideways (the notes: several lines, scrolling down).
void ExpectEdits(UINT templateId, const std::vector<EditPlace>& edits) {
    SCOPED_TRACE("template " + std::to_string(templateId));
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    HWND page = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), parent,
                                   PlainPage, 0);
    ASSERT_NE(nullptr, page);
    for (const EditPlace& edit : edits) {
        SCOPED_TRACE("edit " + std::to_string(edit.id));
        HWND control = GetDlgItem(page, edit.id);
        ASSERT_NE(nullptr, control);
        char className[32] = {};
        GetClassNameA(control, className, sizeof(className));
        EXPECT_EQ(0, lstrcmpiA("Edit", className));
        const LONG style = GetWindowLongA(control, GWL_STYLE);
        if (edit.id == IDC_PERSON_NOTES)
            EXPECT_EQ(ES_MULTILINE | WS_VSCROLL, style & (ES_MULTILINE | WS_VSCROLL));
        else
            EXPECT_EQ(ES_AUTOHSCROLL, style & (ES_AUTOHSCROLL | ES_MULTILINE));
        RECT expected = edit.place;
        MapDialogRect(page, &expected);
        RECT actual = {};
        GetWindowRect(control, &actual);
        MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_EQ(expected.left, actual.left);
        EXPECT_EQ(expected.top, actual.top);
        EXPECT_EQ(expected.right, actual.right - actual.left);
        EXPECT_EQ(expected.bottom, actual.bottom - actual.top);
    }
    DestroyWindow(parent);
}

}  // namespace

TEST(PersonSheetPages, EveryFieldSitsAtItsPlace) {
    ExpectEdits(IDD_PERSON_GENERAL, {{IDC_PERSON_FIRST_NAME, {51, 9, 111, 14}},
                                     {IDC_PERSON_LAST_NAME, {51, 24, 111, 14}},
                                     {IDC_PERSON_COMPANY, {51, 39, 111, 14}},
                                     {IDC_PERSON_POSITION, {51, 53, 111, 14}}});
    ExpectEdits(IDD_PERSON_PHONE, {{IDC_PERSON_HOME_PHONE, {54, 7, 59, 14}},
                                   {IDC_PERSON_WORK_PHONE, {54, 21, 59, 14}},
                                   {IDC_PERSON_WORK_EXT, {131, 21, 33, 14}},
                                   {IDC_PERSON_FAX, {54, 35, 59, 14}},
                                   {IDC_PERSON_EMAIL, {54, 49, 111, 14}},
                                   {IDC_PERSON_PAGER, {54, 63, 59, 14}},
                                   {IDC_PERSON_CELL_PHONE, {54, 77, 59, 14}},
                                   {IDC_PERSON_WEB_PAGE, {54, 91, 111, 14}}});
    const std::vector<EditPlace> address = {{IDC_PERSON_ADDRESS1, {39, 10, 110, 14}},
                                            {IDC_PERSON_ADDRESS2, {40, 25, 109, 14}},
                                            {IDC_PERSON_CITY, {39, 40, 109, 14}},
                                            {IDC_PERSON_STATE, {39, 56, 40, 14}},
                                            {IDC_PERSON_ZIP, {103, 56, 46, 14}}};
    ExpectEdits(IDD_PERSON_ADDRESS, address);
    ExpectEdits(IDD_USER_ADDRESS, address);
    ExpectEdits(IDD_PERSON_NOTES, {{IDC_PERSON_NOTES, {7, 7, 172, 80}}});
    ExpectEdits(IDD_USER_GENERAL, {{IDC_PERSON_FIRST_NAME, {51, 9, 71, 14}},
                                   {IDC_PERSON_LAST_NAME, {51, 24, 71, 14}},
                                   {IDC_PERSON_COMPANY, {51, 39, 71, 14}},
                                   {IDC_PERSON_POSITION, {51, 53, 71, 14}}});
    // The user's General page has no address-book box.
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    HWND page = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_USER_GENERAL),
                                   parent, PlainPage, 0);
    EXPECT_EQ(nullptr, GetDlgItem(page, IDC_PERSON_WHITE_PAGES));
    EXPECT_EQ(nullptr, GetDlgItem(page, IDC_PERSON_ADDRESS_BOOK_GROUP));
    DestroyWindow(parent);
}
