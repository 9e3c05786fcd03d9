// The day view's Add and Edit commands end to end: the real editors are
// driven from a hook as the user would fill them, and the document is checked
// afterwards.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <functional>
#include <memory>
#include <string>

#include "DayView.h"
#include "DayViewDriving.h"
#include "DialogDriver.h"
#include "MessageBoxCatcher.h"
#include "PimDocument.h"
#include "resource.h"

namespace {

using DayViewDriving::ColumnTexts;
using DayViewDriving::ControlText;

DateTime At(const DateTime& day, int hour, int minute) {
    return day + DateSpan::FromParts(0, hour, minute, 0);
}

// Types into a field as the keyboard would leave it: the text, then the
// change notification the dialog reacts to.
void Type(HWND dialog, int id, const char* text) {
    SetDlgItemTextA(dialog, id, text);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, EN_CHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Press(HWND dialog, int id) {
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

bool IsEditor(HWND dialog, int fieldId) { return GetDlgItem(dialog, fieldId) != nullptr; }

class DayViewEditingTest : public testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES |
                                                               ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        // Ahead of today, so the day's tasks are listed whatever their state.
        day_ = DateTime::Today() + DateSpan::FromParts(10, 0, 0, 0);

        Task task;
        task.ID = 4;
        task.Description = "File the taxes";
        task.Priority = kPriorityLow;
        task.DueDate = day_;
        task.DoneDate = DateTime::FromFields(2026, 3, 1, 0, 0, 0);
        document_.tasks.Insert(task.ID, task);
        document_.tasks.SetLastID(4);
        Appointment dentist;
        dentist.ID = 9;
        dentist.Description = "Dentist";
        dentist.DueDate = day_;
        dentist.StartTime = At(day_, 14, 0);
        dentist.EndTime = At(day_, 15, 0);
        dentist.Done = true;
        dentist.AlarmTime = At(day_, 13, 30);
        document_.appointments.Insert(dentist.ID, dentist);
        document_.appointments.SetLastID(9);
        Person person;
        person.ID = 2;
        person.FName = "Ann";
        person.LName = "Lee";
        person.RName = "Lee, Ann";
        person.Notes = "Met at the fair";
        person.WhitePages = 1;
        document_.persons.Insert(person.ID, person);
        document_.persons.SetLastID(2);

        host_ = std::make_unique<DayViewDriving::HostedDayView>(document_);
        view_ = host_->View();
        ASSERT_TRUE(host_->Open());
        ASSERT_TRUE(DayViewDriving::PickDay(Form(), day_));
    }

    void TearDown() override {
        host_.reset();
    }

    HWND Form() const { return view_->Handle(); }
    void Command(UINT id) { SendMessageA(Form(), WM_COMMAND, id, 0); }

    // Runs `command` while `action` works each dialog it opens; returns how
    // many dialogs were driven.
    int Drive(UINT command, const std::function<void(HWND)>& action) {
        DialogDriver driver(action);
        Command(command);
        EXPECT_EQ(0, driver.DialogsCancelled());
        return driver.DialogsDriven();
    }

    PimDocument document_;
    DateTime day_;
    std::unique_ptr<DayViewDriving::HostedDayView> host_;
    DayView* view_ = nullptr;
};

// --- Tasks ----------------------------------------------------------------------

TEST_F(DayViewEditingTest, AddTaskStoresANewTaskDueOnTheCalendarsDay) {
    std::string caption;
    const int driven = Drive(ID_TASK_ADD, [&](HWND editor) {
        char text[64] = {};
        GetWindowTextA(editor, text, sizeof(text));
        caption = text;
        EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(editor, IDC_TASK_PRIORITY_HIGH));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(editor, IDOK)));
        Type(editor, IDC_TASK_TEXT, "Buy stamps");
        Press(editor, IDC_TASK_PRIORITY_MEDIUM);
        Press(editor, IDOK);
    });
    ASSERT_EQ(1, driven);
    EXPECT_EQ("Add Task", caption);
    ASSERT_EQ(2u, document_.tasks.size());
    ASSERT_NE(nullptr, document_.tasks.Find(5));
    const Task& added = document_.tasks[5];
    EXPECT_EQ("Buy stamps", added.Description);
    EXPECT_EQ(kPriorityMedium, added.Priority);
    EXPECT_EQ(day_, added.DueDate);
    EXPECT_FALSE(added.DoneDate.IsValid());
    EXPECT_TRUE(document_.IsModified());
    EXPECT_EQ((std::vector<std::string>{"File the taxes", "Buy stamps"}),
              ColumnTexts(Form(), IDC_DAY_TASK_LIST, 0));
}

TEST_F(DayViewEditingTest, EditTaskChangesTheClickedTaskInPlaceAndCancelChangesNothing) {
    // Nothing clicked yet: no editor.
    EXPECT_EQ(0, Drive(ID_TASK_EDIT, [](HWND editor) { EndDialog(editor, IDCANCEL); }));

    DayViewDriving::ClickRow(Form(), IDC_DAY_TASK_LIST, 0);
    Drive(ID_TASK_EDIT, [](HWND editor) {
        Type(editor, IDC_TASK_TEXT, "Something else");
        Press(editor, IDC_TASK_PRIORITY_HIGH);
        Press(editor, IDCANCEL);
    });
    EXPECT_EQ("File the taxes", document_.tasks[4].Description);
    EXPECT_FALSE(document_.IsModified());

    std::string shown;
    Drive(ID_TASK_EDIT, [&](HWND editor) {
        char text[64] = {};
        GetWindowTextA(editor, text, sizeof(text));
        EXPECT_STREQ("Edit Task", text);
        shown = ControlText(editor, IDC_TASK_TEXT);
        EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(editor, IDC_TASK_PRIORITY_LOW));
        Type(editor, IDC_TASK_TEXT, "File the taxes today");
        Press(editor, IDC_TASK_PRIORITY_DONE);
        Press(editor, IDOK);
    });
    EXPECT_EQ("File the taxes", shown);
    ASSERT_EQ(1u, document_.tasks.size());
    const Task& task = document_.tasks[4];
    EXPECT_EQ("File the taxes today", task.Description);
    EXPECT_EQ(kPriorityDone, task.Priority);
    EXPECT_EQ(DateTime::FromFields(2026, 3, 1, 0, 0, 0), task.DoneDate);  // only Complete sets it
    EXPECT_TRUE(document_.IsModified());
}

// Del in a list names the record picked there and deletes it only on Yes.
TEST_F(DayViewEditingTest, DelInAListAsksAboutThePickedRecordAndDeletesItOnYes) {
    const struct {
        int list;
        int row;
        const char* question;
        std::function<size_t()> count;
    } lists[] = {
        {IDC_DAY_TASK_LIST, 0, "Delete the task \"File the taxes\"?", [this] { return document_.tasks.size(); }},
        {IDC_DAY_PHONE_LIST, 0, "Delete Lee, Ann from the phone book?", [this] { return document_.persons.size(); }},
        {IDC_DAY_TIME_SLOT_LIST, 36, "Delete the appointment \"Dentist\"?",
         [this] { return document_.appointments.size(); }},
    };
    for (const auto& l : lists) {
        const HWND list = GetDlgItem(Form(), l.list);
        if (l.list == IDC_DAY_TIME_SLOT_LIST) DayViewDriving::SelectSlotRow(Form(), l.row);
        else DayViewDriving::ClickRow(Form(), l.list, l.row);
        for (int answer : {IDNO, IDYES}) {
            MessageBoxCatcher boxes(answer);
            SendMessageA(list, WM_KEYDOWN, VK_DELETE, 0);
            EXPECT_EQ(std::vector<std::string>{l.question}, boxes.Texts());
            EXPECT_EQ(answer == IDNO ? 1u : 0u, l.count()) << l.question;
        }
        MessageBoxCatcher none(IDYES);  // nothing picked any more: nothing asked
        SendMessageA(list, WM_KEYDOWN, VK_DELETE, 0);
        EXPECT_TRUE(none.Texts().empty()) << l.question;
    }
}

// --- Appointments -----------------------------------------------------------------

TEST_F(DayViewEditingTest, AddAppointmentBeginsAtTheSelectedRow) {
    DayViewDriving::SelectSlotRow(Form(), 18);  // 09:30, free
    std::string begin, end;
    Drive(ID_APPOINTMENT_ADD, [&](HWND editor) {
        begin = ControlText(editor, IDC_APPOINTMENT_BEGIN);
        end = ControlText(editor, IDC_APPOINTMENT_END);
        Type(editor, IDC_APPOINTMENT_TEXT, "Stand-up");
        Press(editor, IDOK);
    });
    EXPECT_EQ("09:30 AM", begin);
    EXPECT_EQ("09:45 AM", end);
    ASSERT_EQ(2u, document_.appointments.size());
    ASSERT_NE(nullptr, document_.appointments.Find(10));
    const Appointment& added = document_.appointments[10];
    EXPECT_EQ("Stand-up", added.Description);
    EXPECT_EQ(day_, added.DueDate);
    EXPECT_EQ(At(day_, 9, 30), added.StartTime);
    EXPECT_EQ(At(day_, 9, 45), added.EndTime);
    EXPECT_FALSE(added.Alarm);
    EXPECT_FALSE(added.Done);
    EXPECT_TRUE(document_.IsModified());
    EXPECT_EQ("Stand-up", ColumnTexts(Form(), IDC_DAY_TIME_SLOT_LIST, 1)[18]);
}

TEST_F(DayViewEditingTest, AddingOverAnAppointmentAsksFirstAndReplacesItOnlyOnOk) {
    DayViewDriving::SelectSlotRow(Form(), 36);  // 14:00, the dentist
    ASSERT_EQ(9, view_->SelectedAppointmentID());
    {
        MessageBoxCatcher no(IDNO);
        int editors = 0;
        Drive(ID_APPOINTMENT_ADD, [&](HWND dialog) { editors += IsEditor(dialog, IDC_APPOINTMENT_TEXT); });
        EXPECT_EQ(0, editors);
        ASSERT_EQ(1u, no.Boxes().size());
        EXPECT_EQ("You already have an appointment scheduled for this time. Do you want to replace it?",
                  no.Boxes()[0].text);
        EXPECT_EQ("Replace Appointment?", no.Boxes()[0].caption);
        EXPECT_EQ((std::vector<int>{IDYES, IDNO}), no.Boxes()[0].buttons);
    }
    EXPECT_NE(nullptr, document_.appointments.Find(9));

    MessageBoxCatcher yes(IDYES);
    int editors = 0;
    Drive(ID_APPOINTMENT_ADD, [&](HWND dialog) {
        if (!IsEditor(dialog, IDC_APPOINTMENT_TEXT)) return;  // the question
        ++editors;
        EXPECT_EQ("02:00 PM", ControlText(dialog, IDC_APPOINTMENT_BEGIN));
        Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(1, editors);
    EXPECT_NE(nullptr, document_.appointments.Find(9));  // Cancel keeps it
    EXPECT_FALSE(document_.IsModified());

    Drive(ID_APPOINTMENT_ADD, [&](HWND dialog) {
        if (!IsEditor(dialog, IDC_APPOINTMENT_TEXT)) return;
        Type(dialog, IDC_APPOINTMENT_TEXT, "Haircut");
        Press(dialog, IDOK);
    });
    EXPECT_EQ(nullptr, document_.appointments.Find(9));
    ASSERT_EQ(1u, document_.appointments.size());
    EXPECT_EQ("Haircut", document_.appointments[10].Description);
    EXPECT_TRUE(document_.IsModified());
    EXPECT_EQ("Haircut", ColumnTexts(Form(), IDC_DAY_TIME_SLOT_LIST, 1)[36]);
}

// Once the largest ID was issued no record can be added: Add says so before
// any editor opens, and Add over an appointment neither asks nor erases it.
TEST_F(DayViewEditingTest, AddSaysWhenTheDocumentHasNoIdLeftAndChangesNothing) {
    document_.tasks.SetLastID(INT32_MAX);
    document_.appointments.SetLastID(INT32_MAX);
    document_.persons.SetLastID(INT32_MAX);
    DayViewDriving::SelectSlotRow(Form(), 36);  // 14:00, the dentist
    MessageBoxCatcher ok(IDOK);
    int editors = 0;
    for (UINT command : {ID_TASK_ADD, ID_APPOINTMENT_ADD, ID_PERSON_ADD}) {
        CaughtMessageBox box;
        Drive(command, [&](HWND dialog) { editors += !MessageBoxCatcher::Read(dialog, box); });
    }
    EXPECT_EQ(0, editors);
    ASSERT_EQ(3u, ok.Boxes().size());
    EXPECT_EQ(0u, ok.Boxes()[1].text.find("This document has no room for more appointments")) << ok.Boxes()[1].text;
    EXPECT_EQ(1u, document_.tasks.size() * document_.persons.size() * document_.appointments.size());
    EXPECT_NE(nullptr, document_.appointments.Find(9));
    EXPECT_FALSE(document_.IsModified());
}

TEST_F(DayViewEditingTest, WithNoRowClickedANewAppointmentTakesTheFirstQuarterHour) {
    std::string begin, end, minutes;
    Drive(ID_APPOINTMENT_ADD, [&](HWND editor) {
        begin = ControlText(editor, IDC_APPOINTMENT_BEGIN);
        end = ControlText(editor, IDC_APPOINTMENT_END);
        minutes = ControlText(editor, IDC_APPOINTMENT_MINUTES);
        EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(editor, IDC_APPOINTMENT_SET_ALARM));
        Press(editor, IDCANCEL);
    });
    EXPECT_EQ("05:00 AM", begin);
    EXPECT_EQ("05:15 AM", end);
    EXPECT_EQ("0", minutes);
    EXPECT_EQ(1u, document_.appointments.size());
}

// The question is asked only about what the user sees: once the calendar
// shows another day, the row clicked last names nothing there, so nothing
// is asked and the earlier day's appointment stays. The row still gives the
// new appointment its time.
TEST_F(DayViewEditingTest, AFreeRowOfAnotherDayAsksNothingAndErasesNothing) {
    DayViewDriving::SelectSlotRow(Form(), 36);
    ASSERT_TRUE(DayViewDriving::PickDay(Form(), day_ + DateSpan::FromParts(1, 0, 0, 0)));
    MessageBoxCatcher yes(IDYES);
    Drive(ID_APPOINTMENT_ADD, [&](HWND dialog) {
        if (!IsEditor(dialog, IDC_APPOINTMENT_TEXT)) return;
        Type(dialog, IDC_APPOINTMENT_TEXT, "Haircut");
        Press(dialog, IDOK);
    });
    EXPECT_TRUE(yes.Boxes().empty());
    EXPECT_NE(nullptr, document_.appointments.Find(9));
    ASSERT_NE(nullptr, document_.appointments.Find(10));
    EXPECT_EQ(day_ + DateSpan::FromParts(1, 0, 0, 0), document_.appointments[10].DueDate);
    EXPECT_EQ(At(day_ + DateSpan::FromParts(1, 0, 0, 0), 14, 0), document_.appointments[10].StartTime);
}

TEST_F(DayViewEditingTest, EditAppointmentWritesBackTheAlarmAndKeepsDone) {
    DayViewDriving::SelectSlotRow(Form(), 38);  // 14:30, inside the dentist
    Drive(ID_APPOINTMENT_EDIT, [](HWND editor) {
        EXPECT_EQ("Dentist", ControlText(editor, IDC_APPOINTMENT_TEXT));
        EXPECT_EQ("02:00 PM", ControlText(editor, IDC_APPOINTMENT_BEGIN));
        EXPECT_EQ("03:00 PM", ControlText(editor, IDC_APPOINTMENT_END));
        EXPECT_EQ("30", ControlText(editor, IDC_APPOINTMENT_MINUTES));
        EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(editor, IDC_APPOINTMENT_SET_ALARM));
        Press(editor, IDC_APPOINTMENT_SET_ALARM);
        Press(editor, IDOK);
    });
    ASSERT_EQ(1u, document_.appointments.size());
    const Appointment& dentist = document_.appointments[9];
    EXPECT_TRUE(dentist.Alarm);
    EXPECT_EQ(At(day_, 13, 30), dentist.AlarmTime);
    EXPECT_TRUE(dentist.Done);
    EXPECT_EQ(At(day_, 14, 0), dentist.StartTime);
    EXPECT_TRUE(document_.IsModified());
}

// --- Persons and the owner --------------------------------------------------------

HWND CurrentPage(HWND sheet) { return PropSheet_GetCurrentPageHwnd(sheet); }

TEST_F(DayViewEditingTest, AddPersonStoresTheDisplayNameAndListsThePerson) {
    Drive(ID_PERSON_ADD, [](HWND sheet) {
        HWND general = CurrentPage(sheet);
        Type(general, IDC_PERSON_FIRST_NAME, "Bo");
        Type(general, IDC_PERSON_LAST_NAME, "Baker");
        PropSheet_SetCurSel(sheet, nullptr, 1);
        Type(CurrentPage(sheet), IDC_PERSON_HOME_PHONE, "555-0100");
        PropSheet_PressButton(sheet, PSBTN_OK);
    });
    ASSERT_EQ(2u, document_.persons.size());
    ASSERT_NE(nullptr, document_.persons.Find(3));
    const Person& added = document_.persons[3];
    EXPECT_EQ("Baker, Bo", added.RName);
    EXPECT_EQ("555-0100", added.HmPhone);
    EXPECT_EQ(1, added.WhitePages);
    EXPECT_EQ(0, added.YellowPages);
    EXPECT_TRUE(document_.IsModified());
    EXPECT_EQ((std::vector<std::string>{"Baker, Bo", "Lee, Ann"}),
              ColumnTexts(Form(), IDC_DAY_PHONE_LIST, 0));
}

TEST_F(DayViewEditingTest, DoubleClickingAPersonEditsItKeepingTheUnseenNotes) {
    DayViewDriving::ClickRow(Form(), IDC_DAY_PHONE_LIST, 0);
    std::string title;
    {
        DialogDriver driver([&](HWND sheet) {
            char text[64] = {};
            GetWindowTextA(sheet, text, sizeof(text));
            title = text;
            Type(CurrentPage(sheet), IDC_PERSON_LAST_NAME, "Lee-Smith");
            PropSheet_PressButton(sheet, PSBTN_OK);
        });
        DayViewDriving::ClickRow(Form(), IDC_DAY_PHONE_LIST, 0, NM_DBLCLK);
        EXPECT_EQ(1, driver.DialogsDriven());
    }
    EXPECT_EQ("Edit Person", title);
    const Person& person = document_.persons[2];
    EXPECT_EQ("Lee-Smith, Ann", person.RName);
    EXPECT_EQ("Met at the fair", person.Notes);
    EXPECT_EQ((std::vector<std::string>{"Lee-Smith, Ann"}), ColumnTexts(Form(), IDC_DAY_PHONE_LIST, 0));
}

TEST_F(DayViewEditingTest, EditUserWritesTheOwnersDetailsOnlyOnOk) {
    Drive(ID_EDIT_USER, [](HWND sheet) {
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(sheet, IDOK)));  // no name yet
        Type(CurrentPage(sheet), IDC_PERSON_COMPANY, "Brennix");
        PropSheet_PressButton(sheet, PSBTN_CANCEL);
    });
    EXPECT_EQ("", document_.user.Company);
    EXPECT_FALSE(document_.IsModified());

    Drive(ID_EDIT_USER, [](HWND sheet) {
        Type(CurrentPage(sheet), IDC_PERSON_FIRST_NAME, "Sam");
        PropSheet_SetCurSel(sheet, nullptr, 1);
        Type(CurrentPage(sheet), IDC_PERSON_CITY, "Springfield");
        PropSheet_PressButton(sheet, PSBTN_OK);
    });
    EXPECT_EQ("Sam", document_.user.FName);
    EXPECT_EQ("Springfield", document_.user.City);
    EXPECT_TRUE(document_.IsModified());
}

}  // namespace
