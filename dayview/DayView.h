// The day view: the form of dialog template 129 that fills the main window
// between the bars. It shows the calendar, the day planner of the selected
// day, that day's tasks and the phone book with the current person's contact
// panel, keeps track of which list the user last clicked and which record is
// current, and carries out the record commands the frame passes on.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "AlarmSoundChooser.h"
#include "ContactActions.h"
#include "DayRows.h"
#include "DayViewLayout.h"
#include "DayViewSelection.h"
#include "Dialog.h"
#include "EditorHelp.h"
#include "PimDocument.h"
#include "ReminderDialog.h"
#include "ReportSelection.h"
#include "TimeSlotList.h"

class HelpLibrary;

class DayView : public Dialog, public PimDocumentView {
public:
    using ActiveControl = ::ActiveControl;

    // The document must outlive the view.
    explicit DayView(PimDocument& document);
    ~DayView() override;

    // Creates the form as a child of `frame` and fills its lists from the
    // document as it is now; null on failure.
    HWND Create(HWND frame);

    // Where help requests go: the help file `fileName` in `directory`
    // through `help`, which must outlive the view. Without it help does
    // nothing.
    void SetHelp(HelpLibrary* help, std::string directory, std::string fileName);
    bool InHelpMode() const { return helpMode_; }

    // The alarm monitor's tick.
    static const UINT_PTR kMinuteTimer = 1;
    static const UINT kMinuteTimerPeriod = 60000;

    // Once a minute: a reminder for every appointment the planner shows whose
    // alarm is due, one after the other in the order of their rows; an alarm
    // turned off in its reminder is cleared in the document. One reminder at
    // a time: while one is up, a further check does nothing. A reminder is
    // owned by this thread's active window, else by the form's top-level
    // window, and so keeps the frame disabled until OK.
    void CheckAlarms();
    // Where the alarm check takes the time from (the local clock by default),
    // what plays the alarm sound and how the sound file is chosen; each must
    // outlive the view.
    void SetClock(std::function<DateTime()> clock) { clock_ = std::move(clock); }
    void SetSoundPlayer(AlarmSoundPlayer* sound) { sound_ = sound ? sound : &systemSound_; }
    void SetAlarmSoundChooser(AlarmSoundChooser chooser) { chooseSound_ = std::move(chooser); }
    // Where the contact panel's calls and pages go.
    void SetTelephony(Telephony::Loader loader) { telephony_ = Telephony(std::move(loader)); }
    void SetShellOpener(ShellOpener open) { shellOpen_ = std::move(open); }
    // The wave file the reminders play.
    const std::string& AlarmSoundFile() const { return alarmSoundFile_; }

    // Refills the phone list, the task list and the day planner, in that order.
    void RefreshLists();
    void FillPhoneBook();
    void FillTasks();
    void FillTimeSlots();
    // Fills the contact panel from the person with `personID`; -1 (or an ID
    // no longer in the document) shows "Not Available" everywhere.
    void ShowContact(int32_t personID);

    void OnDocumentChanged() override { RefreshLists(); }

    // The form moved to a screen at `dpi` (the frame passes WM_DPICHANGED
    // on): the lists' pictures, the planner's rows and the layout's design
    // follow. The dialog's own controls and font the system has rescaled.
    void ApplyDpi(int dpi);
    // The resolution the form's pictures are drawn for.
    int Dpi() const { return timeSlotDrawing_.Dpi(); }

    ActiveControl ActiveList() const { return selection_.active; }
    PhoneBookMode Mode() const { return mode_; }
    int CurrentPersonRow() const { return selection_.person.row; }
    int CurrentTaskRow() const { return selection_.task.row; }
    int CurrentSlotRow() const { return selection_.slot.row; }
    // The picked records' IDs, -1 for none.
    int32_t SelectedPersonID() const { return selection_.person.IdOrNone(); }
    int32_t SelectedTaskID() const { return selection_.task.IdOrNone(); }
    int32_t SelectedAppointmentID() const { return selection_.slot.IdOrNone(); }
    const TimeSlotRows& TimeSlots() const { return timeSlots_; }
    // The record a row of the phone or task list shows, 0 for no such row.
    // The lists hold no item values: their rows live here.
    int32_t PersonIDOfRow(int row) const;
    int32_t TaskIDOfRow(int row) const;

    // What Delete, Edit and Complete act on: the frame's items, the context
    // menus and the commands themselves all follow these.
    bool TaskSelected() const { return selection_.TaskSelected(document_.tasks); }
    bool PersonSelected() const { return selection_.PersonSelected(document_.persons); }
    bool AppointmentSelected() const {
        return selection_.AppointmentSelected(timeSlots_, document_.appointments);
    }
    // Whether a record command of this view would act now (others: always).
    bool CommandEnabled(UINT id) const;

    // The report chosen last; the Report items' check marks and Print follow
    // its kind.
    const ReportSelection& Reports() const { return reports_; }
    // No report chosen, as at start: for a document that replaced the one
    // the report's records were copied from.
    void ForgetReports() { reports_ = ReportSelection(); }

protected:
    // Adds the drawing of the day planner's rows, their height and the
    // layout on a size change to the dialog's own messages.
    INT_PTR DialogMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;
    // The frame forwards keyboard navigation: Enter and Escape reach the form
    // as IDOK and IDCANCEL and must not close it.
    void OnOK() override {}
    void OnCancel() override {}

private:
    void CreateColumns();
    // Sets the columns from each list's client width after a size change.
    void FitColumns();
    void OnSize(int width, int height);
    // Quarter-hour rows tall enough for the text and the clock mark.
    UINT TimeSlotRowHeight() const;
    // The priority discs and the planner's row height for a screen at `dpi`;
    // the planner's rows are measured again.
    void SetListImages(int dpi);
    DateTime CalendarDay() const;
    void OnCalendarSelection();
    void SetPhoneBookMode(PhoneBookMode mode);
    // Fills the phone list with the rows of the current pages.
    void ShowPhoneBook();

    void OnPhoneListClick(POINT point);
    void OnPhoneListDoubleClick();
    void OnTaskListClick(POINT point, bool complete);
    void OnTimeSlotListClick();
    // The phone and task lists ask for what their rows show.
    void AnswerPhoneRow(NMHDR* header) const;
    void AnswerTaskRow(NMHDR* header) const;
    // The pick of a row hit in a list (-1 for none), from what the row shows.
    ListPick PickPersonRow(int row) const;
    ListPick PickTaskRow(int row) const;
    ListPick PickSlotRow(int row) const;

    // Right button released over a list: that list's popup of the main
    // menu at `screenPoint`, its row picked by that point. From the keyboard
    // (`fromKeyboard`) the popup opens at the row clicked last and acts on it.
    void ShowContextMenu(HWND list, POINT screenPoint, bool fromKeyboard);
    // Where a popup from the keyboard opens: below the list's picked row, or
    // at the list's corner when none is in view.
    POINT KeyboardMenuPoint(HWND list, int row) const;
    // Help on a control, and pointer help that picks the control by click.
    void ShowHelpFor(int controlId);
    void EnterHelpMode();
    void OnLeftButtonUp(POINT formPoint);
    void OnMinuteTick() { CheckAlarms(); }
    void ChooseAlarmSound();
    // A button of the contact panel: dial its number, or open its e-mail
    // address or web page, for the person last clicked.
    void OnContactButton(UINT id);

    void DeletePerson();
    // Del pressed in the list `listId`.
    void OnDeleteKey(int listId);
    void DeleteTask();
    void DeleteAppointment();
    void CompleteTask();

    // The record editors, run from the Add and Edit commands.
    EditorHelp HelpForEditors() const;
    HWND EditorOwner() const;
    void AddTask();
    void EditTask();
    void AddAppointment();
    void EditAppointment();
    void AddPerson();
    void EditPerson();
    void EditUser();

    // Report > Daily Tasks and Appointments, Daily Tasks and Daily
    // Appointments: the rows of the task list and the day planner as they
    // stand become the report's records.
    void ChooseDailyReport(ReportKind kind);
    // Report > Phone Book and Envelopes: the persons picked in "Persons To
    // Include" become the report's; its Preview and Print buttons go on to
    // the frame's Print Preview and Print.
    void ChoosePeopleReport(ReportKind kind);

    PimDocument& document_;
    // The rows of both pages (the persons' IDs), worked out when the
    // document changes, so that a switch of pages costs no ordering; and how
    // many persons the document held then.
    std::vector<int32_t> whitePages_;
    std::vector<int32_t> yellowPages_;
    size_t pagedPersons_ = 0;
    // The rows of the phone list (the persons' IDs) and of the task list, in
    // the order shown.
    std::vector<int32_t> phoneRows_;
    std::vector<TaskRow> taskRows_;
    TimeSlotRows timeSlots_;
    TimeSlotList timeSlotDrawing_;
    DayViewLayout layout_;

    HWND calendar_ = nullptr;
    HWND phoneList_ = nullptr;
    HWND taskList_ = nullptr;
    HWND timeSlotList_ = nullptr;
    HWND dateCaption_ = nullptr;

    HelpLibrary* help_ = nullptr;
    std::string helpDirectory_;
    std::string helpFileName_;
    bool helpMode_ = false;

    PhoneBookMode mode_ = PhoneBookMode::kWhitePages;
    DayViewSelection selection_;
    ReportSelection reports_;

    std::function<DateTime()> clock_ = DateTime::Now;
    SystemAlarmSoundPlayer systemSound_;
    AlarmSoundPlayer* sound_ = &systemSound_;
    AlarmSoundChooser chooseSound_ = ChooseWaveFile;
    std::string alarmSoundFile_;
    // Set while the alarm check runs, reminders included: a minute's tick
    // that the reminder's own loop delivers then does nothing.
    bool checkingAlarms_ = false;

    Telephony telephony_;
    ShellOpener shellOpen_ = ShellOpen;
};
