// The day view's rows height, its first fill, its minute timer, the context
// menus over its lists and help on its controls.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "DayView.h"
#include "DayViewDriving.h"
#include "HelpLibrary.h"
#include "ListViewRows.h"
#include "PimDocument.h"
#include "resource.h"

namespace {

std::vector<std::string> g_topics;
std::vector<UINT> g_helpCommands;

HWND WINAPI RecordTopic(HWND, LPCSTR topic, UINT command, DWORD_PTR) {
    g_topics.push_back(topic ? topic : "");
    g_helpCommands.push_back(command);
    return nullptr;
}

// Whether each item of the popup the form was about to show was enabled.
struct PopupStates {
    HWND form = nullptr;
    int popups = 0;
    std::vector<std::pair<UINT, bool>> items;
};
PopupStates g_popup;

LRESULT CALLBACK RecordPopup(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (call->hwnd == g_popup.form && call->message == WM_INITMENUPOPUP) {
            ++g_popup.popups;
            HMENU menu = reinterpret_cast<HMENU>(call->wParam);
            for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                const UINT state = GetMenuState(menu, i, MF_BYPOSITION);
                g_popup.items.emplace_back(GetMenuItemID(menu, i),
                                           !(state & (MF_GRAYED | MF_DISABLED)));
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Run by the popup's own modal loop: closes it.
void CALLBACK EndMenuTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

class DayViewPopupsTest : public testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES};
        InitCommonControlsEx(&controls);
        g_topics.clear();
        g_helpCommands.clear();
        Person person;
        person.ID = 7;
        person.RName = "Doe, Jane";
        person.WhitePages = 1;
        person.HmPhone = "555-0007";
        document_.persons.Insert(person.ID, person);
        Task task;
        task.ID = 3;
        task.Description = "Water plants";
        task.Priority = 1;
        task.DueDate = DateTime::Today();
        document_.tasks.Insert(task.ID, task);

        host_ = std::make_unique<DayViewDriving::HostedDayView>(document_);
        view_ = host_->View();
        view_->SetHelp(&help_, "C:\\Apps\\Vantrel", "Vantrel.chm");
        // Not attached: the first fill comes from the form's creation alone.
        ASSERT_TRUE(host_->Open(false));
    }
    void TearDown() override {
        host_.reset();
    }
    HWND Form() const { return view_->Handle(); }
    HWND List(int id) const { return GetDlgItem(Form(), id); }

    // Right-clicks `list` at its client point and returns the popup's
    // item states as the form saw them.
    std::vector<std::pair<UINT, bool>> ContextMenuAt(HWND list, POINT point) {
        ClientToScreen(list, &point);
        g_popup = PopupStates();
        g_popup.form = Form();
        HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordPopup, nullptr, GetCurrentThreadId());
        SetTimer(nullptr, 0, 100, EndMenuTimer);
        SendMessageA(Form(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list),
                     MAKELPARAM(point.x, point.y));
        UnhookWindowsHookEx(hook);
        EXPECT_EQ(1, g_popup.popups);
        return g_popup.items;
    }
    static bool Enabled(const std::vector<std::pair<UINT, bool>>& items, UINT id) {
        for (const auto& item : items)
            if (item.first == id) return item.second;
        ADD_FAILURE() << "no item " << id;
        return false;
    }

    PimDocument document_;
    HelpLibrary help_{[] { return &RecordTopic; }};
    std::unique_ptr<DayViewDriving::HostedDayView> host_;
    DayView* view_ = nullptr;
};

TEST_F(DayViewPopupsTest, PlannerRowsAreTallEnoughForTheAlarmMark) {
    RECT row = {};
    row.left = LVIR_BOUNDS;
    ASSERT_TRUE(SendMessageA(List(IDC_DAY_TIME_SLOT_LIST), LVM_GETITEMRECT, 0,
                             reinterpret_cast<LPARAM>(&row)));
    EXPECT_GE(row.bottom - row.top, 16);
}

TEST_F(DayViewPopupsTest, ListsShowTheDocumentWithoutANotification) {
    HWND phones = List(IDC_DAY_PHONE_LIST);
    ASSERT_EQ(1, ListViewRows::RowCount(phones));
    EXPECT_EQ("Doe, Jane", ListViewRows::CellText(phones, 0, 0));
    EXPECT_EQ(7, view_->PersonIDOfRow(0));
    EXPECT_EQ(1, ListViewRows::RowCount(List(IDC_DAY_TASK_LIST)));
}

TEST_F(DayViewPopupsTest, TheMinuteTimerRunsFromCreation) {
    EXPECT_TRUE(KillTimer(Form(), DayView::kMinuteTimer));
    EXPECT_FALSE(KillTimer(Form(), DayView::kMinuteTimer));
}

TEST_F(DayViewPopupsTest, RightClickOnEmptyTaskSpaceGreysAllButAdd) {
    HWND tasks = List(IDC_DAY_TASK_LIST);
    RECT client = {};
    GetClientRect(tasks, &client);
    const auto items = ContextMenuAt(tasks, {client.right / 2, client.bottom - 3});
    EXPECT_TRUE(Enabled(items, ID_TASK_ADD));
    EXPECT_FALSE(Enabled(items, ID_TASK_DELETE));
    EXPECT_FALSE(Enabled(items, ID_TASK_EDIT));
    EXPECT_FALSE(Enabled(items, ID_TASK_COMPLETE));
    EXPECT_EQ(-1, view_->CurrentTaskRow());
}

TEST_F(DayViewPopupsTest, RightClickOnATaskRowOffersEverythingAndSelectsIt) {
    HWND tasks = List(IDC_DAY_TASK_LIST);
    RECT row = {};
    row.left = LVIR_BOUNDS;
    SendMessageA(tasks, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    const auto items = ContextMenuAt(tasks, {row.left + 20, (row.top + row.bottom) / 2});
    EXPECT_TRUE(Enabled(items, ID_TASK_ADD));
    EXPECT_TRUE(Enabled(items, ID_TASK_DELETE));
    EXPECT_TRUE(Enabled(items, ID_TASK_EDIT));
    EXPECT_TRUE(Enabled(items, ID_TASK_COMPLETE));
    EXPECT_EQ(0, view_->CurrentTaskRow());
    EXPECT_EQ(3, view_->SelectedTaskID());
}

// Shift+F10 or the menu key: the popup opens at the row clicked last and
// acts on it, whatever row lies under the pointer.
TEST_F(DayViewPopupsTest, TheKeyboardsPopupActsOnTheRowClickedLastNotTheOneUnderThePointer) {
    Task later;
    later.ID = 4;
    later.Description = "Pay bills";
    later.DueDate = DateTime::Today();
    document_.tasks.Insert(later.ID, later);
    view_->RefreshLists();
    HWND tasks = List(IDC_DAY_TASK_LIST);
    ShowWindow(GetParent(Form()), SW_SHOWNA);
    DayViewDriving::ClickRow(Form(), IDC_DAY_PHONE_LIST, 0);
    DayViewDriving::ClickRow(Form(), IDC_DAY_TASK_LIST, 1);
    RECT first = {};
    first.left = LVIR_BOUNDS;
    SendMessageA(tasks, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    POINT over = {first.left + 20, (first.top + first.bottom) / 2};
    ClientToScreen(tasks, &over);
    SetCursorPos(over.x, over.y);

    g_popup = PopupStates();
    g_popup.form = Form();
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordPopup, nullptr, GetCurrentThreadId());
    SetTimer(nullptr, 0, 100, EndMenuTimer);
    SendMessageA(Form(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tasks), -1);
    UnhookWindowsHookEx(hook);
    ASSERT_EQ(1, g_popup.popups);
    EXPECT_TRUE(Enabled(g_popup.items, ID_TASK_COMPLETE));
    EXPECT_EQ(DayView::ActiveControl::kTaskList, view_->ActiveList());
    EXPECT_EQ(1, view_->CurrentTaskRow());
    EXPECT_EQ(4, view_->SelectedTaskID());

    // Nothing clicked in the phone list since its refill: nothing to act on.
    view_->FillPhoneBook();
    g_popup = PopupStates();
    g_popup.form = Form();
    hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordPopup, nullptr, GetCurrentThreadId());
    SetTimer(nullptr, 0, 100, EndMenuTimer);
    // As a 64-bit Windows sends it: both coordinates -1 in the low 32 bits.
    SendMessageA(Form(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(List(IDC_DAY_PHONE_LIST)),
                 static_cast<LPARAM>(static_cast<DWORD>(MAKELONG(-1, -1))));
    UnhookWindowsHookEx(hook);
    EXPECT_FALSE(Enabled(g_popup.items, ID_PERSON_DELETE));
    EXPECT_FALSE(Enabled(g_popup.items, ID_PERSON_EDIT));
    EXPECT_EQ(-1, view_->SelectedPersonID());
}

TEST_F(DayViewPopupsTest, RightClickOnAPersonAndOnAnEmptyPlannerRow) {
    HWND phones = List(IDC_DAY_PHONE_LIST);
    RECT row = {};
    row.left = LVIR_BOUNDS;
    SendMessageA(phones, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    auto items = ContextMenuAt(phones, {row.left + 10, (row.top + row.bottom) / 2});
    EXPECT_TRUE(Enabled(items, ID_PERSON_DELETE));
    EXPECT_TRUE(Enabled(items, ID_PERSON_EDIT));
    EXPECT_EQ(7, view_->SelectedPersonID());

    HWND planner = List(IDC_DAY_TIME_SLOT_LIST);
    SendMessageA(planner, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    items = ContextMenuAt(planner, {row.left + 10, (row.top + row.bottom) / 2});
    EXPECT_TRUE(Enabled(items, ID_APPOINTMENT_ADD));
    EXPECT_FALSE(Enabled(items, ID_APPOINTMENT_DELETE));
    EXPECT_FALSE(Enabled(items, ID_APPOINTMENT_EDIT));
    EXPECT_EQ(0, view_->CurrentSlotRow());
    EXPECT_EQ(-1, view_->SelectedAppointmentID());
}

TEST_F(DayViewPopupsTest, F1OnAControlOpensItsPageAndOtherControlsHaveNone) {
    HELPINFO info = {};
    info.cbSize = sizeof(info);
    info.iContextType = HELPINFO_WINDOW;
    // The frame round the address-book buttons belongs to the phone book;
    // IDOK is no control of the form's.
    for (int id : {IDC_DAY_TASK_LIST, IDC_DAY_APPOINTMENTS_GROUP, IDC_DAY_FAX_LABEL,
                   IDC_DAY_PAGES_GROUP, IDOK}) {
        info.iCtrlId = id;
        info.hItemHandle = List(id);
        SendMessageA(Form(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    }
    const std::vector<std::string> expected = {
        "C:\\Apps\\Vantrel\\Vantrel.chm::/html/tasklist.htm>topic",
        "C:\\Apps\\Vantrel\\Vantrel.chm::/html/apptbook.htm>topic",
        "C:\\Apps\\Vantrel\\Vantrel.chm::/html/phonebook.htm>topic",
        "C:\\Apps\\Vantrel\\Vantrel.chm::/html/phonebook.htm>topic",
    };
    EXPECT_EQ(expected, g_topics);
    EXPECT_EQ(std::vector<UINT>(4, 0u), g_helpCommands);
}

TEST_F(DayViewPopupsTest, PointerHelpOpensThePageOfTheClickedControl) {
    SendMessageA(Form(), WM_COMMAND, ID_CONTEXT_HELP, 0);
    EXPECT_TRUE(view_->InHelpMode());
    EXPECT_EQ(Form(), GetCapture());

    RECT calendar = {};
    GetWindowRect(List(IDC_DAY_CALENDAR), &calendar);
    POINT point = {(calendar.left + calendar.right) / 2, (calendar.top + calendar.bottom) / 2};
    ScreenToClient(Form(), &point);
    SendMessageA(Form(), WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));

    EXPECT_FALSE(view_->InHelpMode());
    EXPECT_NE(Form(), GetCapture());
    ASSERT_EQ(1u, g_topics.size());
    EXPECT_EQ("C:\\Apps\\Vantrel\\Vantrel.chm::/html/calendar.htm>topic", g_topics[0]);

    // Outside help mode a release asks for nothing.
    SendMessageA(Form(), WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    EXPECT_EQ(1u, g_topics.size());
}

TEST_F(DayViewPopupsTest, PointerHelpReleasedOverNoControlEndsWithoutATopic) {
    SendMessageA(Form(), WM_COMMAND, ID_CONTEXT_HELP, 0);
    ASSERT_TRUE(view_->InHelpMode());
    // Far beyond the form's children.
    SendMessageA(Form(), WM_LBUTTONUP, 0, MAKELPARAM(5000, 5000));
    EXPECT_FALSE(view_->InHelpMode());
    EXPECT_NE(Form(), GetCapture());
    EXPECT_TRUE(g_topics.empty());

    // A later release over the phone book's frame is an ordinary click.
    RECT group = {};
    GetWindowRect(List(IDC_DAY_PHONE_BOOK_GROUP), &group);
    POINT point = {group.right - 3, group.bottom - 3};
    ScreenToClient(Form(), &point);
    SendMessageA(Form(), WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    EXPECT_TRUE(g_topics.empty());
}

}  // namespace
