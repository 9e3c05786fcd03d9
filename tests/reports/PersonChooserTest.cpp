// "Persons To Include", run modally and driven from inside its own loop as a
// user would: what it lists, the rules that enable OK, Preview and Print,
// what each closing button hands back, and help.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "HelpLibrary.h"
#include "PersonChooser.h"
#include "resource.h"

namespace {

struct HelpCall {
    std::string file;
    UINT command;
    DWORD topic;
};
std::vector<HelpCall> g_helpCalls;

HWND WINAPI RecordHelp(HWND, LPCSTR file, UINT command, DWORD_PTR data) {
    const auto* pairs = command ? reinterpret_cast<const DWORD*>(data) : nullptr;
    g_helpCalls.push_back({file ? file : "", command, pairs ? pairs[1] : 0});
    return nullptr;
}

// 2 and 4 in both pages, 3 in the Yellow Pages only, 1 and 5 in the White.
Persons PhoneBook() {
    Persons persons;
    const char* const names[][2] = {{"Young, Zed", ""}, {"Abbot, Amy", "Abbot & Sons"}, {"Moss, Kim", "Moss"},
                                    {" Lee, Ann ", ""}, {"", "Brown Ltd"}};
    for (int32_t id = 1; id <= 5; ++id) {
        Person person;
        person.RName = names[id - 1][0];
        person.Company = names[id - 1][1];
        person.WhitePages = id != 3;
        person.YellowPages = id % 2 == 0 || id == 3;
        persons.Insert(id, person);
    }
    return persons;
}

std::string Buttons(HWND dialog) {
    std::string state;
    for (int id : {IDOK, IDC_PERSONS_PREVIEW, IDC_PERSONS_PRINT})
        state += IsWindowEnabled(GetDlgItem(dialog, id)) ? '1' : '0';
    return state == "111" ? "on" : state == "000" ? "off" : state;
}

// A click on item `index`; with Ctrl held (`add`) it toggles the item.
void ClickItem(HWND dialog, int index, bool add = false) {
    HWND list = GetDlgItem(dialog, IDC_PERSONS_LIST);
    RECT item = {};
    SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON | (add ? MK_CONTROL : 0), at);
    SendMessageA(list, WM_LBUTTONUP, add ? MK_CONTROL : 0, at);
}

void Click(HWND dialog, int id) { SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0); }

class PersonChooserTest : public testing::Test {
protected:
    void SetUp() override { g_helpCalls.clear(); }

    // Runs the chooser on the White Pages; `action` plays the user and
    // must close it.
    INT_PTR Run(PersonChooser& chooser, const DialogDriver::Action& action) {
        DialogDriver driver(action);
        const INT_PTR result = chooser.Run(nullptr);
        EXPECT_EQ(1, driver.DialogsDriven());
        EXPECT_EQ(0, driver.DialogsCancelled()) << "the dialog was left open";
        return result;
    }
    EditorHelp Help() { return EditorHelp{&help_, "C:\\Apps\\Vantrel", "Vantrel.chm"}; }

    HelpLibrary help_{[] { return &RecordHelp; }};
};

// Each person the page shows, once, as its display name with the company
// in parentheses, trimmed, in the list's order. The buttons follow the
// selection, picked by hand or by "Select All"; the box only its own clicks.
TEST_F(PersonChooserTest, ListsThePagesPersonsAndEnablesItsButtonsWhileAnyIsPicked) {
    std::vector<int32_t> yellow;
    for (const auto& entry : PersonsShownIn(PhoneBook(), PhoneBookMode::kYellowPages)) yellow.push_back(entry.first);
    EXPECT_EQ((std::vector<int32_t>{2, 3, 4}), yellow);

    PersonChooser chooser(PersonsShownIn(PhoneBook(), PhoneBookMode::kWhitePages), Help());
    Run(chooser, [](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_PERSONS_LIST);
        std::vector<std::string> items;
        for (int i = 0; i < SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
            char text[64] = "";
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            items.push_back(text);
        }
        EXPECT_EQ((std::vector<std::string>{"(Brown Ltd)", "Abbot, Amy (Abbot & Sons)", "Lee, Ann", "Young, Zed"}),
                  items);
        struct Step {
            const char* action;
            std::function<void()> act;
            int picked;
            const char* buttons;
            UINT box;
        };
        const Step steps[] = {
            {"nothing yet", [] {}, 0, "off", BST_UNCHECKED},
            {"click one", [&] { ClickItem(dialog, 1); }, 1, "on", BST_UNCHECKED},
            {"ctrl+click it away", [&] { ClickItem(dialog, 1, true); }, 0, "off", BST_UNCHECKED},
            {"check Select All", [&] { Click(dialog, IDC_PERSONS_SELECT_ALL); }, 4, "on", BST_CHECKED},
            {"ctrl+click one away", [&] { ClickItem(dialog, 2, true); }, 3, "on", BST_CHECKED},
            {"uncheck Select All", [&] { Click(dialog, IDC_PERSONS_SELECT_ALL); }, 0, "off", BST_UNCHECKED},
            {"Enter while OK is off", [&] { SendMessageA(dialog, WM_COMMAND, IDOK, 0); }, 0, "off", BST_UNCHECKED},
        };
        for (const Step& step : steps) {
            step.act();
            ASSERT_TRUE(IsWindow(dialog)) << step.action;
            EXPECT_EQ(step.picked, SendMessageA(list, LB_GETSELCOUNT, 0, 0)) << step.action;
            EXPECT_EQ(step.buttons, Buttons(dialog)) << step.action;
            EXPECT_EQ(step.box, IsDlgButtonChecked(dialog, IDC_PERSONS_SELECT_ALL)) << step.action;
        }
        Click(dialog, IDCANCEL);
    });
}

// OK, Preview and Print hand back copies of the picked persons, the last
// two saying which they were; Cancel hands back nothing. On an empty list
// "Select All" enables OK for nobody.
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
        PersonChooser chooser(PersonsShownIn(PhoneBook(), PhoneBookMode::kWhitePages), Help());
        // "Abbot, Amy" (2) and "Lee, Ann" (4).
        EXPECT_EQ(c.result, Run(chooser, [&](HWND dialog) {
                      ClickItem(dialog, 1);
                      ClickItem(dialog, 2, true);
                      Click(dialog, c.button);
                  }));
        std::vector<int32_t> chosen;
        for (const auto& entry : chooser.Chosen()) chosen.push_back(entry.first);
        EXPECT_EQ(c.chosen, chosen) << c.button;
        if (!chosen.empty()) {
            EXPECT_EQ(" Lee, Ann ", chooser.Chosen().at(4).RName);
        }
        EXPECT_EQ(c.preview, chooser.PreviewRequested()) << c.button;
        EXPECT_EQ(c.print, chooser.PrintRequested()) << c.button;
    }

    PersonChooser empty({}, Help());
    EXPECT_EQ(IDOK, Run(empty, [](HWND dialog) {
                  Click(dialog, IDC_PERSONS_SELECT_ALL);
                  EXPECT_EQ("on", Buttons(dialog));
                  Click(dialog, IDOK);
              }));
    EXPECT_TRUE(empty.Chosen().empty());
}

// The Help button opens the dialog's page; F1 on each control that takes
// the focus shows a pop-up text of its own (the list's: 1600).
TEST_F(PersonChooserTest, HelpOpensTheDialogsPageAndEveryFocusableControlHasAPopup) {
    PersonChooser chooser(PersonsShownIn(PhoneBook(), PhoneBookMode::kWhitePages), Help());
    std::vector<int> focusable;
    Run(chooser, [&](HWND dialog) {
        Click(dialog, IDC_PERSONS_HELP);
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (!(GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP)) continue;
            focusable.push_back(GetDlgCtrlID(child));
            HELPINFO request = {sizeof(request), HELPINFO_WINDOW, focusable.back(), child, 0, {0, 0}};
            SendMessageA(dialog, WM_HELP, 0, reinterpret_cast<LPARAM>(&request));
        }
        Click(dialog, IDCANCEL);
    });
    ASSERT_EQ(8u, g_helpCalls.size());
    EXPECT_EQ("C:\\Apps\\Vantrel\\Vantrel.chm::/html/dlgpraddr.htm>topic", g_helpCalls[0].file);
    EXPECT_EQ(0u, g_helpCalls[0].command);
    EXPECT_EQ(IDC_PERSONS_LIST, focusable[0]);
    EXPECT_EQ(1600u, g_helpCalls[1].topic);
    for (size_t i = 1; i < g_helpCalls.size(); ++i) {
        EXPECT_EQ("C:\\Apps\\Vantrel\\Vantrel.chm", g_helpCalls[i].file);
        EXPECT_NE(0u, g_helpCalls[i].topic) << focusable[i - 1];
    }
}

}  // namespace
