// The day view on a hidden parent, driven through the notifications and
// commands its controls and the frame send: the rows of its three lists, the
// calendar, the phone book modes, the selection, Delete and Complete, and the
// contact panel.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "DateText.h"
#include "DayView.h"
#include "DayViewDriving.h"
#include "ListViewRows.h"
#include "PimDocument.h"
#include "resource.h"

namespace {

DateTime At(const DateTime& day, int hour, int minute) {
    return day + DateSpan::FromParts(0, hour, minute, 0);
}
DateTime DaysFrom(const DateTime& day, int days) { return day + DateSpan::FromParts(days, 0, 0, 0); }

class DayViewTest : public testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {};
        controls.dwSize = sizeof(controls);
        controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES;
        InitCommonControlsEx(&controls);

        today_ = DateTime::Today();
        AddPerson(1, "Zed, Al", "acme", 1, 1, [](Person& p) {
            p.HmPhone = "555-0001";
            p.WkPhone = "555-1234";
            p.WkExt = "12";
            p.EMail = "al@example.com";
            p.Fax = "555-9999";
        });
        AddPerson(2, "Baker, Bo", "ACME", 1, 1, [](Person& p) { p.WkExt = "9"; });
        AddPerson(3, "Adams, Cy", "Acme", 0, 1, [](Person&) {});
        AddPerson(4, "Nobody, No", "None", 0, 0, [](Person&) {});

        AddTask(1, "Due today", 1, today_);
        AddTask(2, "Overdue", 0, DaysFrom(today_, -3));
        AddTask(3, "Tomorrow", 2, DaysFrom(today_, 1));

        Appointment dentist;
        dentist.ID = document_.appointments.IssueID();
        dentist.Description = "Dentist";
        dentist.DueDate = today_;
        dentist.StartTime = At(today_, 9, 0);
        dentist.EndTime = At(today_, 10, 0);
        document_.appointments.Insert(dentist.ID, dentist);

        host_ = std::make_unique<DayViewDriving::HostedDayView>(document_);
        view_ = host_->View();
        ASSERT_TRUE(host_->Open());
        document_.NotifyViews();
    }

    void TearDown() override {
        host_.reset();
    }

    template <typename Fill>
    void AddPerson(int32_t id, const char* name, const char* company, int white, int yellow,
                   Fill fill) {
        Person person;
        person.ID = id;
        person.RName = name;
        person.Company = company;
        person.WhitePages = white;
        person.YellowPages = yellow;
        fill(person);
        document_.persons.Insert(id, person);
    }

    void AddTask(int32_t id, const char* text, int32_t priority, const DateTime& due) {
        Task task;
        task.ID = id;
        task.Description = text;
        task.Priority = priority;
        task.DueDate = due;
        document_.tasks.Insert(id, task);
    }

    HWND Control(int id) const { return GetDlgItem(view_->Handle(), id); }

    std::vector<std::string> Column(int listId, int column) const {
        return DayViewDriving::ColumnTexts(view_->Handle(), listId, column);
    }
    std::string Text(int id) const { return DayViewDriving::ControlText(view_->Handle(), id); }
    void Click(int listId, int row, UINT code = NM_CLICK) {
        DayViewDriving::ClickRow(view_->Handle(), listId, row, code);
    }
    void SelectSlotRow(int row) { DayViewDriving::SelectSlotRow(view_->Handle(), row); }
    void PickDay(const DateTime& day) { ASSERT_TRUE(DayViewDriving::PickDay(view_->Handle(), day)); }

    void Command(UINT id, UINT code = 0) {
        SendMessageA(view_->Handle(), WM_COMMAND, MAKEWPARAM(id, code), 0);
    }

    PimDocument document_;
    DateTime today_;
    std::unique_ptr<DayViewDriving::HostedDayView> host_;
    DayView* view_ = nullptr;
};

using Texts = std::vector<std::string>;

TEST_F(DayViewTest, FillsThePhoneBookWithTheWhitePagesByName) {
    EXPECT_EQ(PhoneBookMode::kWhitePages, view_->Mode());
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(view_->Handle(), IDC_DAY_WHITE_PAGES));
    EXPECT_EQ((Texts{"Baker, Bo", "Zed, Al"}), Column(IDC_DAY_PHONE_LIST, 0));
    EXPECT_EQ((Texts{"ACME", "acme"}), Column(IDC_DAY_PHONE_LIST, 1));
    EXPECT_EQ(2, view_->PersonIDOfRow(0));
}

TEST_F(DayViewTest, TodaysTasksIncludeAnUnfinishedOverdueTaskWithItsOriginalDueDate) {
    EXPECT_EQ((Texts{"Due today", "Overdue"}), Column(IDC_DAY_TASK_LIST, 0));
    const std::string overdue =
        DateText::FormatDate(DaysFrom(today_, -3), LOCALE_USER_DEFAULT, DATE_SHORTDATE);
    ASSERT_FALSE(overdue.empty());
    EXPECT_EQ(overdue, Column(IDC_DAY_TASK_LIST, 1)[1]);
    EXPECT_EQ(2, view_->TaskIDOfRow(1));
}

TEST_F(DayViewTest, TheDayPlannerShowsTheAppointmentInItsQuarterHours) {
    HWND slots = Control(IDC_DAY_TIME_SLOT_LIST);
    ASSERT_EQ(73, ListViewRows::RowCount(slots));
    const Texts times = Column(IDC_DAY_TIME_SLOT_LIST, 0);
    EXPECT_EQ(DateText::FormatTime(At(today_, 5, 0), LOCALE_USER_DEFAULT, TIME_NOSECONDS), times[0]);
    EXPECT_EQ(DateText::FormatTime(At(today_, 9, 0), LOCALE_USER_DEFAULT, TIME_NOSECONDS), times[16]);
    const Texts appointments = Column(IDC_DAY_TIME_SLOT_LIST, 1);
    EXPECT_EQ("", appointments[15]);
    for (int row = 16; row < 20; ++row) {
        EXPECT_EQ("Dentist", appointments[row]) << row;
        EXPECT_EQ(1, ListViewRows::ItemValue(slots, row));
    }
    EXPECT_EQ("", appointments[20]);
    EXPECT_EQ(0, ListViewRows::ItemValue(slots, 20));
    EXPECT_EQ(DateText::FormatDate(today_, LOCALE_USER_DEFAULT, DATE_LONGDATE),
              Text(IDC_DAY_DATE_CAPTION));
}

TEST_F(DayViewTest, PickingADayInTheCalendarShowsThatDaysTasksAndAppointments) {
    const DateTime tomorrow = DaysFrom(today_, 1);
    PickDay(tomorrow);
    EXPECT_EQ(tomorrow, document_.SelectedDate);
    EXPECT_EQ(DayView::ActiveControl::kCalendar, view_->ActiveList());
    EXPECT_EQ((Texts{"Tomorrow"}), Column(IDC_DAY_TASK_LIST, 0));
    EXPECT_EQ("", Column(IDC_DAY_TIME_SLOT_LIST, 1)[16]);
    EXPECT_EQ(DateText::FormatDate(tomorrow, LOCALE_USER_DEFAULT, DATE_LONGDATE),
              Text(IDC_DAY_DATE_CAPTION));
    EXPECT_EQ((Texts{"Baker, Bo", "Zed, Al"}), Column(IDC_DAY_PHONE_LIST, 0));

    PickDay(DaysFrom(today_, -1));
    EXPECT_TRUE(Column(IDC_DAY_TASK_LIST, 0).empty());
    PickDay(today_);
    EXPECT_EQ("Dentist", Column(IDC_DAY_TIME_SLOT_LIST, 1)[16]);
}

TEST_F(DayViewTest, TheYellowPagesListBusinessesByCompanyUpperCaseFirst) {
    Command(IDC_DAY_YELLOW_PAGES, BN_CLICKED);
    EXPECT_EQ(PhoneBookMode::kYellowPages, view_->Mode());
    EXPECT_EQ((Texts{"ACME", "Acme", "acme"}), Column(IDC_DAY_PHONE_LIST, 1));
    EXPECT_EQ((Texts{"Baker, Bo", "Adams, Cy", "Zed, Al"}), Column(IDC_DAY_PHONE_LIST, 0));

    // Clicking the mode already shown leaves the list and the selection alone.
    Click(IDC_DAY_PHONE_LIST, 1);
    EXPECT_EQ(3, view_->SelectedPersonID());
    Command(IDC_DAY_YELLOW_PAGES, BN_CLICKED);
    EXPECT_EQ(3, view_->SelectedPersonID());

    Command(IDC_DAY_WHITE_PAGES, BN_CLICKED);
    EXPECT_EQ(PhoneBookMode::kWhitePages, view_->Mode());
    EXPECT_EQ(-1, view_->SelectedPersonID());
    EXPECT_EQ((Texts{"Baker, Bo", "Zed, Al"}), Column(IDC_DAY_PHONE_LIST, 0));
}

TEST_F(DayViewTest, TheContactPanelShowsTheClickedPersonsNumbers) {
    EXPECT_EQ("Not Available", Text(IDC_DAY_HOME_PHONE));
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_DAY_HOME_PHONE)));

    Click(IDC_DAY_PHONE_LIST, 1);  // Zed, Al
    EXPECT_EQ(1, view_->SelectedPersonID());
    EXPECT_EQ(1, view_->CurrentPersonRow());
    EXPECT_TRUE(view_->PersonSelected());
    EXPECT_EQ("555-0001", Text(IDC_DAY_HOME_PHONE));
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_DAY_HOME_PHONE)));
    EXPECT_EQ("555-1234x12", Text(IDC_DAY_WORK_PHONE));
    EXPECT_EQ("al@example.com", Text(IDC_DAY_EMAIL));
    EXPECT_EQ("555-9999", Text(IDC_DAY_FAX));
    EXPECT_EQ("Not Available", Text(IDC_DAY_PAGER));
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_DAY_PAGER)));
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_DAY_WEB_PAGE)));

    // An extension without a work phone shows nothing.
    Click(IDC_DAY_PHONE_LIST, 0);  // Baker, Bo
    EXPECT_EQ(2, view_->SelectedPersonID());
    EXPECT_EQ("Not Available", Text(IDC_DAY_WORK_PHONE));
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_DAY_WORK_PHONE)));
    EXPECT_EQ("Not Available", Text(IDC_DAY_HOME_PHONE));

    // Empty space clears the selection; the panel keeps its texts.
    Click(IDC_DAY_PHONE_LIST, 1);
    Click(IDC_DAY_PHONE_LIST, -1);
    EXPECT_EQ(-1, view_->SelectedPersonID());
    EXPECT_FALSE(view_->PersonSelected());
    EXPECT_EQ("555-0001", Text(IDC_DAY_HOME_PHONE));
}

TEST_F(DayViewTest, DeletingAPersonRemovesTheRecordAndTheRow) {
    Click(IDC_DAY_PHONE_LIST, 1);  // Zed, Al
    Command(ID_PERSON_DELETE);
    EXPECT_EQ(nullptr, document_.persons.Find(1));
    EXPECT_EQ((Texts{"Baker, Bo"}), Column(IDC_DAY_PHONE_LIST, 0));
    EXPECT_TRUE(document_.IsModified());
    EXPECT_EQ(-1, view_->SelectedPersonID());
    EXPECT_EQ("Not Available", Text(IDC_DAY_HOME_PHONE));
}

// A deleted record is picked no more: a second Delete, Edit or Complete
// does nothing until another row is clicked, whichever list it was in.
TEST_F(DayViewTest, AfterADeleteNothingIsPickedInThatListUntilAnotherClick) {
    Click(IDC_DAY_TASK_LIST, 1);  // Overdue
    EXPECT_EQ(2, view_->SelectedTaskID());
    EXPECT_TRUE(view_->TaskSelected());
    Command(ID_TASK_DELETE);
    EXPECT_EQ(nullptr, document_.tasks.Find(2));
    EXPECT_EQ((Texts{"Due today"}), Column(IDC_DAY_TASK_LIST, 0));
    EXPECT_TRUE(document_.IsModified());
    EXPECT_EQ(-1, view_->SelectedTaskID());
    EXPECT_FALSE(view_->TaskSelected());
    Command(ID_TASK_DELETE);
    Command(ID_TASK_COMPLETE);
    EXPECT_EQ(2u, document_.tasks.size());
    EXPECT_EQ(1, document_.tasks[1].Priority);

    Click(IDC_DAY_PHONE_LIST, 1);
    Command(ID_PERSON_DELETE);
    EXPECT_FALSE(view_->PersonSelected());
    Command(ID_PERSON_DELETE);
    EXPECT_EQ(3u, document_.persons.size());

    SelectSlotRow(17);
    Command(ID_APPOINTMENT_DELETE);
    EXPECT_FALSE(view_->AppointmentSelected());
    EXPECT_EQ(17, view_->CurrentSlotRow());  // Add still begins there

    Click(IDC_DAY_TASK_LIST, 0);
    EXPECT_TRUE(view_->TaskSelected());
}

TEST_F(DayViewTest, TaskCommandsDoNothingUntilATaskIsClickedAgain) {
    Click(IDC_DAY_TASK_LIST, 0);
    PickDay(today_);
    EXPECT_FALSE(view_->TaskSelected());
    Command(ID_TASK_DELETE);
    Command(ID_TASK_COMPLETE);
    EXPECT_EQ(3u, document_.tasks.size());
    EXPECT_EQ(1, document_.tasks[1].Priority);
    EXPECT_FALSE(document_.IsModified());
}

TEST_F(DayViewTest, DeletingAnAppointmentClearsItsRows) {
    SelectSlotRow(17);
    EXPECT_EQ(DayView::ActiveControl::kTimeSlotList, view_->ActiveList());
    EXPECT_EQ(1, view_->SelectedAppointmentID());
    EXPECT_TRUE(view_->AppointmentSelected());
    Command(ID_APPOINTMENT_DELETE);
    EXPECT_TRUE(document_.appointments.empty());
    EXPECT_TRUE(document_.IsModified());
    EXPECT_EQ("", Column(IDC_DAY_TIME_SLOT_LIST, 1)[17]);
    EXPECT_EQ(0, ListViewRows::ItemValue(Control(IDC_DAY_TIME_SLOT_LIST), 16));
    EXPECT_EQ(73, ListViewRows::RowCount(Control(IDC_DAY_TIME_SLOT_LIST)));

    // A free row names no appointment.
    SelectSlotRow(3);
    EXPECT_EQ(-1, view_->SelectedAppointmentID());
}

// An appointment whose ID is 0 (a legal ID, from a file) is shown, picked,
// deleted and moved like any other, and leaves its rows when it goes.
TEST_F(DayViewTest, AnAppointmentWithIdZeroLeavesItsRowsOnRefillAndOnDelete) {
    Appointment zero;
    zero.ID = 0;
    zero.Description = "Zero";
    zero.DueDate = today_;
    zero.StartTime = At(today_, 6, 0);
    zero.EndTime = At(today_, 6, 30);
    document_.appointments.Insert(0, zero);
    document_.NotifyViews();
    ASSERT_EQ("Zero", Column(IDC_DAY_TIME_SLOT_LIST, 1)[4]);
    PickDay(DaysFrom(today_, 1));
    EXPECT_EQ("", Column(IDC_DAY_TIME_SLOT_LIST, 1)[4]);
    PickDay(today_);
    SelectSlotRow(5);
    EXPECT_TRUE(view_->AppointmentSelected());
    EXPECT_EQ(0, view_->SelectedAppointmentID());
    Command(ID_APPOINTMENT_DELETE);
    EXPECT_EQ(nullptr, document_.appointments.Find(0));
    EXPECT_EQ("", Column(IDC_DAY_TIME_SLOT_LIST, 1)[4]);
    EXPECT_EQ("", Column(IDC_DAY_TIME_SLOT_LIST, 1)[5]);
}

// The file keeps dates as 32-bit Unix times: a later day could not be saved.
TEST_F(DayViewTest, TheCalendarOffersOnlyDaysTheFileCanHold) {
    const auto pick = [this](int year, int month, int day) {
        SYSTEMTIME picked = {};
        picked.wYear = static_cast<WORD>(year);
        picked.wMonth = static_cast<WORD>(month);
        picked.wDay = static_cast<WORD>(day);
        return SendMessageA(Control(IDC_DAY_CALENDAR), MCM_SETCURSEL, 0,
                            reinterpret_cast<LPARAM>(&picked)) != 0;
    };
    EXPECT_TRUE(pick(2038, 1, 18));
    EXPECT_TRUE(pick(1970, 1, 1));
    EXPECT_FALSE(pick(2038, 1, 19));
    EXPECT_FALSE(pick(2040, 6, 1));
    EXPECT_FALSE(pick(1969, 12, 31));
}

// West of UTC 2038-01-18 ends after the last moment the file holds.
TEST_F(DayViewTest, InNewYorkTheCalendarEndsOnTheLastDayTheFileHoldsWhole) {
    SYSTEMTIME range[2] = {};
    SendMessageA(Control(IDC_DAY_CALENDAR), MCM_GETRANGE, 0, reinterpret_cast<LPARAM>(range));
    EXPECT_EQ(17, range[1].wDay);
}

TEST_F(DayViewTest, CompletingATaskMarksItDoneToday) {
    Click(IDC_DAY_TASK_LIST, 0);  // Due today
    Command(ID_TASK_COMPLETE);
    EXPECT_EQ(kPriorityDone, document_.tasks[1].Priority);
    EXPECT_EQ(today_, document_.tasks[1].DoneDate);
    EXPECT_TRUE(document_.IsModified());
    EXPECT_EQ((Texts{"Due today", "Overdue"}), Column(IDC_DAY_TASK_LIST, 0));
}

TEST_F(DayViewTest, DoubleClickingATaskCompletesIt) {
    Click(IDC_DAY_TASK_LIST, 1, NM_DBLCLK);  // Overdue
    EXPECT_EQ(kPriorityDone, document_.tasks[2].Priority);
    EXPECT_EQ(today_, document_.tasks[2].DoneDate);
    // Completed today, it stays on today's page.
    EXPECT_EQ((Texts{"Due today", "Overdue"}), Column(IDC_DAY_TASK_LIST, 0));
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = 1;
    SendMessageA(Control(IDC_DAY_TASK_LIST), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(kPriorityDone, item.iImage);

    // A double click on an appointment row does nothing.
    Click(IDC_DAY_TIME_SLOT_LIST, 16, NM_DBLCLK);
    EXPECT_EQ(1u, document_.appointments.size());
}

}  // namespace

// The mouse as the user works it: button messages at a row's position reach
// the list itself, which reports the click to the form.
class DayViewMouseTest : public DayViewTest {
protected:
    POINT RowPoint(int listId, int row) {
        RECT bounds = {};
        bounds.left = LVIR_BOUNDS;
        SendMessageA(Control(listId), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
        return {bounds.left + 20, (bounds.top + bounds.bottom) / 2};
    }

    void PressAndRelease(int listId, POINT point) {
        HWND list = Control(listId);
        const LPARAM position = MAKELPARAM(point.x, point.y);
        // The list waits for the release before it reports the click.
        PostMessageA(list, WM_LBUTTONUP, 0, position);
        SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, position);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
};

TEST_F(DayViewMouseTest, AClickOnARowSelectsItsRecordAndEmptySpaceSelectsNone) {
    PressAndRelease(IDC_DAY_TASK_LIST, RowPoint(IDC_DAY_TASK_LIST, 1));
    EXPECT_EQ(1, view_->CurrentTaskRow());
    EXPECT_EQ(2, view_->SelectedTaskID());
    EXPECT_TRUE(view_->TaskSelected());

    PressAndRelease(IDC_DAY_PHONE_LIST, RowPoint(IDC_DAY_PHONE_LIST, 1));
    EXPECT_EQ(1, view_->SelectedPersonID());
    EXPECT_TRUE(view_->PersonSelected());
    EXPECT_FALSE(view_->TaskSelected());  // the phone list is the active list now
    EXPECT_EQ("555-0001", Text(IDC_DAY_HOME_PHONE));

    RECT client = {};
    GetClientRect(Control(IDC_DAY_TASK_LIST), &client);
    PressAndRelease(IDC_DAY_TASK_LIST, {client.right - 10, client.bottom - 10});
    EXPECT_EQ(-1, view_->CurrentTaskRow());
    EXPECT_EQ(-1, view_->SelectedTaskID());
}

TEST_F(DayViewMouseTest, MovingTheHighlightWithTheKeyboardKeepsTheClickedRecord) {
    PressAndRelease(IDC_DAY_TASK_LIST, RowPoint(IDC_DAY_TASK_LIST, 0));
    ASSERT_EQ(1, view_->SelectedTaskID());
    HWND list = Control(IDC_DAY_TASK_LIST);
    SendMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageA(list, WM_KEYUP, VK_DOWN, 0);
    EXPECT_EQ(1, SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    EXPECT_EQ(0, view_->CurrentTaskRow());
    EXPECT_EQ(1, view_->SelectedTaskID());

    // Delete acts on the clicked task, not on the highlighted one.
    Command(ID_TASK_DELETE);
    EXPECT_EQ(nullptr, document_.tasks.Find(1));
    EXPECT_NE(nullptr, document_.tasks.Find(2));
}

TEST_F(DayViewMouseTest, TypingANamesFirstLettersInThePhoneListSelectsItsRow) {
    HWND list = Control(IDC_DAY_PHONE_LIST);
    ASSERT_EQ((Texts{"Baker, Bo", "Zed, Al"}), Column(IDC_DAY_PHONE_LIST, 0));
    SetFocus(list);
    SendMessageA(list, WM_CHAR, 'z', 1);  // lower case finds "Zed, Al"
    EXPECT_EQ(1, SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));

    LVFINDINFOA find = {};
    find.flags = LVFI_PARTIAL | LVFI_WRAP;
    find.psz = "bak";
    EXPECT_EQ(0, SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(1),
                              reinterpret_cast<LPARAM>(&find)));
    find.flags = LVFI_STRING;
    find.psz = "Zed";  // not the whole name
    EXPECT_EQ(-1, SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(&find)));
}

// A phone book far longer than the list is tall: the rows the list shows
// after scrolling, the click there and the delete all meet the right person.
TEST_F(DayViewMouseTest, ALongPhoneBookShowsPicksAndDeletesRowsFarDown) {
    const int count = 3000;
    for (int i = 0; i < count; ++i) {
        const std::string name = "Row " + std::to_string(100000 + i);
        AddPerson(100 + i, name.c_str(), "Co", 1, 0, [](Person&) {});
    }
    document_.NotifyViews();
    HWND list = Control(IDC_DAY_PHONE_LIST);
    ASSERT_EQ(count + 2, ListViewRows::RowCount(list));
    // "Row ..." sorts between "Baker, Bo" and "Zed, Al".
    const int row = 2500;
    EXPECT_EQ("Row 102499", ListViewRows::CellText(list, row, 0));
    EXPECT_EQ("Co", ListViewRows::CellText(list, row, 1));
    EXPECT_EQ("Zed, Al", ListViewRows::CellText(list, count + 1, 0));

    SendMessageA(list, LVM_ENSUREVISIBLE, row, FALSE);
    PressAndRelease(IDC_DAY_PHONE_LIST, RowPoint(IDC_DAY_PHONE_LIST, row));
    EXPECT_EQ(row, view_->CurrentPersonRow());
    EXPECT_EQ(100 + 2499, view_->SelectedPersonID());
    EXPECT_EQ(row, SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));

    Command(ID_PERSON_DELETE);
    EXPECT_EQ(nullptr, document_.persons.Find(100 + 2499));
    ASSERT_EQ(count + 1, ListViewRows::RowCount(list));
    EXPECT_EQ("Row 102500", ListViewRows::CellText(list, row, 0));
    EXPECT_EQ(-1, SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

namespace {

std::vector<std::string> g_dialled;

LONG WINAPI RecordCall(LPCSTR destination, LPCSTR, LPCSTR, LPCSTR) {
    g_dialled.push_back(destination ? destination : "(null)");
    return 0;
}

}  // namespace

TEST_F(DayViewTest, ContactButtonsDialTheStoredNumberAndOpenWhatTheyRead) {
    g_dialled.clear();
    std::vector<std::string> opened;
    view_->SetTelephony([] { return &RecordCall; });
    view_->SetShellOpener([&](HWND, const std::string& target) -> INT_PTR {
        opened.push_back(target);
        return 42;
    });
    const auto press = [&](int id) {
        SendMessageA(view_->Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Control(id)));
    };

    Click(IDC_DAY_PHONE_LIST, 1);  // Zed, Al: work phone 555-1234 extension 12
    ASSERT_EQ("555-1234x12", Text(IDC_DAY_WORK_PHONE));
    press(IDC_DAY_WORK_PHONE);
    press(IDC_DAY_HOME_PHONE);
    press(IDC_DAY_PAGER);  // empty: nothing to dial
    press(IDC_DAY_EMAIL);
    press(IDC_DAY_WEB_PAGE);  // disabled: nothing to open
    EXPECT_EQ((std::vector<std::string>{"555-1234", "555-0001"}), g_dialled);
    EXPECT_EQ((std::vector<std::string>{"mailto:al@example.com"}), opened);

    // After a click on empty space the panel still shows Al, but does nothing.
    Click(IDC_DAY_PHONE_LIST, -1);
    press(IDC_DAY_HOME_PHONE);
    press(IDC_DAY_EMAIL);
    EXPECT_EQ(2u, g_dialled.size());
    EXPECT_EQ(1u, opened.size());
}
