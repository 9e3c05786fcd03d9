// "Persons To Include", run modally and driven from inside its own loop as a
// user would: which persons it lists and how, the rules that enable OK,
// Preview and Print, what each closing button hands back, and help.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "HelpLibrary.h"
#include "PersonChooser.h"
#include "resource.h"

namespace {

struct HelpCall {
    HWND owner;
    std::string file;
    UINT command;
    DWORD control;
    DWORD topic;
};
std::vector<HelpCall> g_helpCalls;

HWND WINAPI RecordHelp(HWND owner, LPCSTR file, UINT command, DWORD_PTR data) {
    const auto* pairs = command == 0 ? nullptr : reinterpret_cast<const DWORD*>(data);
    g_helpCalls.push_back({owner, file ? file : "", command, pairs ? pairs[0] : 0, pairs ? pairs[1] : 0});
    return nullptr;
}

Person Listed(int32_t id, const char* name, const char* company, bool white, bool yellow) {
    Person person;
    person.ID = id;
    person.RName = name;
    person.Company = company;
    person.WhitePages = white ? 1 : 0;
    person.YellowPages = yellow ? 1 : 0;
    return person;
}

// Five persons: 2 and 4 in both pages, 3 only in the Yellow Pages.
Persons PhoneBook() {
    Persons persons;
    for (const Person& person : {Listed(1, "Young, Zed", "", true, false),
                                 Listed(2, "Abbot, Amy", "Abbot & Sons", true, true),
                                 Listed(3, "Moss, Kim", "Moss Ltd", false, true),
                                 Listed(4, " Lee, Ann ", "", true, true),
                                 Listed(5, "Brown, Bo", "  ", true, false)})
        persons.Insert(person.ID, person);
    return persons;
}

HWND List(HWND dialog) { return GetDlgItem(dialog, IDC_PERSONS_LIST); }

std::vector<std::string> Items(HWND dialog) {
    std::vector<std::string> items;
    const int count = static_cast<int>(SendMessageA(List(dialog), LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = "";
        SendMessageA(List(dialog), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

int Picked(HWND dialog) { return static_cast<int>(SendMessageA(List(dialog), LB_GETSELCOUNT, 0, 0)); }

// OK, Preview and Print: all on, all off, or "mixed".
std::string Buttons(HWND dialog) {
    int on = 0;
    for (int id : {IDOK, IDC_PERSONS_PREVIEW, IDC_PERSONS_PRINT}) on += IsWindowEnabled(GetDlgItem(dialog, id)) ? 1 : 0;
    return on == 3 ? "on" : on == 0 ? "off" : "mixed";
}

// A click on item `index`, with Ctrl held when `add` (to add it to the
// selection or take it away).
void ClickItem(HWND dialog, int index, bool add) {
    RECT item = {};
    SendMessageA(List(dialog), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2);
    const WPARAM control = add ? MK_CONTROL : 0;
    SendMessageA(List(dialog), WM_LBUTTONDOWN, MK_LBUTTON | control, at);
    SendMessageA(List(dialog), WM_LBUTTONUP, control, at);
}

void Click(HWND dialog, int id) { SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0); }

class PersonChooserTest : public testing::Test {
protected:
    void SetUp() override {
        g_helpCalls.clear();
        owner_ = CreateWindowExA(0, "Static", "Owner", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override { DestroyWindow(owner_); }

    // Runs the chooser on the persons `mode` shows; `action` plays the user
    // and must close it.
    INT_PTR Run(PhoneBookMode mode, const DialogDriver::Action& action) {
        DialogDriver driver(action);
        chooser_ = std::make_unique<PersonChooser>(PersonsShownIn(PhoneBook(), mode),
                                                   EditorHelp{&help_, "C:\\Apps\\Vantrel", "Vantrel.chm"});
        const INT_PTR result = chooser_->Run(owner_);
        EXPECT_EQ(1, driver.DialogsDriven());
        EXPECT_EQ(0, driver.DialogsCancelled()) << "the dialog was left open";
        return result;
    }
    std::vector<int32_t> ChosenIDs() const {
        std::vector<int32_t> ids;
        for (const auto& entry : chooser_->Chosen()) ids.push_back(entry.first);
        return ids;
    }

    HWND owner_ = nullptr;
    HelpLibrary help_{[] { return &RecordHelp; }};
    std::unique_ptr<PersonChooser> chooser_;
};

// Each page lists its own persons once, by display name and company,
// trimmed, in the list's alphabetical order; nothing is picked at first.
TEST_F(PersonChooserTest, ListsThePersonsThePhoneBookShowsByNameAndCompany) {
    const std::map<PhoneBookMode, std::vector<std::string>> expected = {
        {PhoneBookMode::kWhitePages, {"Abbot, Amy (Abbot & Sons)", "Brown, Bo (  )", "Lee, Ann", "Young, Zed"}},
        {PhoneBookMode::kYellowPages, {"Abbot, Amy (Abbot & Sons)", "Lee, Ann", "Moss, Kim (Moss Ltd)"}},
    };
    for (const auto& page : expected) {
        Run(page.first, [&](HWND dialog) {
            EXPECT_EQ(page.second, Items(dialog));
            EXPECT_EQ(0, Picked(dialog));
            EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dialog, IDC_PERSONS_SELECT_ALL));
            EXPECT_EQ("off", Buttons(dialog));
            // Centred on its owner.
            RECT ownerRect, rect;
            GetWindowRect(owner_, &ownerRect);
            GetWindowRect(dialog, &rect);
            EXPECT_LE(std::abs((ownerRect.left + ownerRect.right) - (rect.left + rect.right)), 1);
            EXPECT_EQ(owner_, GetWindow(dialog, GW_OWNER));
            Click(dialog, IDCANCEL);
        });
    }
}

// The buttons follow the selection, whether picked by hand or by "Select
// All"; the check box follows only its own clicks.
TEST_F(PersonChooserTest, OkPreviewAndPrintAreOnExactlyWhileSomethingIsPicked) {
    Run(PhoneBookMode::kWhitePages, [](HWND dialog) {
        struct Step {
            const char* action;
            std::function<void()> act;
            int picked;
            const char* buttons;
            UINT selectAll;
        };
        const Step steps[] = {
            {"click the first", [&] { ClickItem(dialog, 0, false); }, 1, "on", BST_UNCHECKED},
            {"ctrl+click it away", [&] { ClickItem(dialog, 0, true); }, 0, "off", BST_UNCHECKED},
            {"check Select All", [&] { Click(dialog, IDC_PERSONS_SELECT_ALL); }, 4, "on", BST_CHECKED},
            {"ctrl+click one away", [&] { ClickItem(dialog, 2, true); }, 3, "on", BST_CHECKED},
            {"uncheck Select All", [&] { Click(dialog, IDC_PERSONS_SELECT_ALL); }, 0, "off", BST_UNCHECKED},
            {"Enter while OK is off", [&] { SendMessageA(dialog, WM_COMMAND, IDOK, 0); }, 0, "off", BST_UNCHECKED},
            {"click the last", [&] { ClickItem(dialog, 3, false); }, 1, "on", BST_UNCHECKED},
        };
        for (const Step& step : steps) {
            step.act();
            ASSERT_TRUE(IsWindow(dialog)) << step.action;
            EXPECT_EQ(step.picked, Picked(dialog)) << step.action;
            EXPECT_EQ(step.buttons, Buttons(dialog)) << step.action;
            EXPECT_EQ(step.selectAll, IsDlgButtonChecked(dialog, IDC_PERSONS_SELECT_ALL)) << step.action;
        }
        Click(dialog, IDCANCEL);
    });
}

// OK, Preview and Print all hand back the picked persons, the last two
// saying which they were; Cancel hands back nothing.
TEST_F(PersonChooserTest, EachClosingButtonHandsBackThePickedPersons) {
    struct Case {
        int button;
        INT_PTR result;
        std::vector<int32_t> chosen;
        bool preview;
        bool print;
    };
    const Case cases[] = {
        {IDOK, IDOK, {2, 4}, false, false},
        {IDC_PERSONS_PREVIEW, IDOK, {2, 4}, true, false},
        {IDC_PERSONS_PRINT, IDOK, {2, 4}, false, true},
        {IDCANCEL, IDCANCEL, {}, false, false},
    };
    for (const Case& c : cases) {
        // "Abbot, Amy" (2) and "Lee, Ann" (4), the first and third items.
        const INT_PTR result = Run(PhoneBookMode::kWhitePages, [&](HWND dialog) {
            ClickItem(dialog, 0, false);
            ClickItem(dialog, 2, true);
            Click(dialog, c.button);
        });
        EXPECT_EQ(c.result, result) << c.button;
        EXPECT_EQ(c.chosen, ChosenIDs()) << c.button;
        if (!c.chosen.empty()) {
            EXPECT_EQ(" Lee, Ann ", chooser_->Chosen().at(4).RName);
        }
        EXPECT_EQ(c.preview, chooser_->PreviewRequested()) << c.button;
        EXPECT_EQ(c.print, chooser_->PrintRequested()) << c.button;
    }
}

// A page that lists nobody: "Select All" still enables the buttons, and OK
// then chooses nobody.
TEST_F(PersonChooserTest, SelectAllOnAnEmptyListEnablesOkForNobody) {
    DialogDriver driver([](HWND dialog) {
        EXPECT_TRUE(Items(dialog).empty());
        Click(dialog, IDC_PERSONS_SELECT_ALL);
        EXPECT_EQ("on", Buttons(dialog));
        Click(dialog, IDOK);
    });
    PersonChooser chooser({}, EditorHelp{&help_, "C:\\Apps\\Vantrel", "Vantrel.chm"});
    EXPECT_EQ(IDOK, chooser.Run(owner_));
    EXPECT_TRUE(chooser.Chosen().empty());
}

// The Help button opens the dialog's page; F1 on any control that takes
// the focus shows that control's pop-up text (the list's: 1600).
TEST_F(PersonChooserTest, HelpOpensTheDialogsPageAndEveryFocusableControlHasAPopup) {
    HWND shown = nullptr;
    std::vector<int> focusable;
    Run(PhoneBookMode::kWhitePages, [&](HWND dialog) {
        shown = dialog;
        Click(dialog, IDC_PERSONS_HELP);
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (!(GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP)) continue;
            const int id = GetDlgCtrlID(child);
            focusable.push_back(id);
            HELPINFO request = {sizeof(request), HELPINFO_WINDOW, id, child, 0, {0, 0}};
            SendMessageA(dialog, WM_HELP, 0, reinterpret_cast<LPARAM>(&request));
        }
        Click(dialog, IDCANCEL);
    });
    ASSERT_EQ(1 + focusable.size(), g_helpCalls.size());
    EXPECT_EQ(7u, focusable.size());
    EXPECT_EQ(shown, g_helpCalls[0].owner);
    EXPECT_EQ("C:\\Apps\\Vantrel\\Vantrel.chm::/html/dlgpraddr.htm>topic", g_helpCalls[0].file);
    EXPECT_EQ(0u, g_helpCalls[0].command);
    for (size_t i = 0; i < focusable.size(); ++i) {
        const HelpCall& call = g_helpCalls[i + 1];
        EXPECT_EQ("C:\\Apps\\Vantrel\\Vantrel.chm", call.file);
        EXPECT_EQ(static_cast<DWORD>(focusable[i]), call.control);
        EXPECT_NE(0u, call.topic) << focusable[i];
        if (focusable[i] == IDC_PERSONS_LIST) {
            EXPECT_EQ(1600u, call.topic);
        }
    }
}

}  // namespace
