// The day view: the form of dialog template 129 that fills the main window
// between the bars. It shows the calendar, the day planner of the selected
// day, that day's tasks and the phone book with the current person's contact
// panel, keeps track of which list the user last clicked and which record is
// current, and carries out the record commands the frame passes on.
#pragma once

#include <windows.h>

#include <cstdint>

#include "DayRows.h"
#include "DayViewLayout.h"
#include "Dialog.h"
#include "PimDocument.h"
#include "TimeSlotList.h"

class DayView : public Dialog, public PimDocumentView {
public:
    // The list (or the calendar) that last received a click; Delete, Edit
    // and Complete act only on the list named here.
    enum class ActiveControl { kNone, kCalendar, kPhoneList, kTaskList, kTimeSlotList };

    // The document must outlive the view.
    explicit DayView(PimDocument& document);
    ~DayView() override;

    // Creates the form as a child of `frame`; null on failure.
    HWND Create(HWND frame);

    // Refills the phone list, the task list and the day planner, in that order.
    void RefreshLists();
    void FillPhoneBook();
    void FillTasks();
    void FillTimeSlots();
    // Fills the contact panel from the person with `personID`; -1 (or an ID
    // no longer in the document) shows "Not Available" everywhere.
    void ShowContact(int32_t personID);

    void OnDocumentChanged() override { RefreshLists(); }

    ActiveControl ActiveList() const { return activeList_; }
    PhoneBookMode Mode() const { return mode_; }
    int CurrentPersonRow() const { return currentPersonRow_; }
    int CurrentTaskRow() const { return currentTaskRow_; }
    int CurrentSlotRow() const { return currentSlotRow_; }
    int32_t SelectedPersonID() const { return selectedPersonID_; }
    int32_t SelectedTaskID() const { return selectedTaskID_; }
    int32_t SelectedAppointmentID() const { return selectedAppointmentID_; }
    const TimeSlotRows& TimeSlots() const { return timeSlots_; }

    // What the frame's Delete, Edit and Complete items follow.
    bool TaskSelected() const;
    bool PersonSelected() const;
    bool AppointmentSelected() const;

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
    DateTime CalendarDay() const;
    void OnCalendarSelection();
    void SetPhoneBookMode(PhoneBookMode mode);
    void SortPhoneListByCompany();

    void OnPhoneListClick(POINT point);
    void OnPhoneListDoubleClick();
    void OnTaskListClick(POINT point, bool complete);
    void OnTimeSlotListClick();

    void DeletePerson();
    void DeleteTask();
    void DeleteAppointment();
    void CompleteTask();

    PimDocument& document_;
    TimeSlotRows timeSlots_;
    TimeSlotList timeSlotDrawing_;
    DayViewLayout layout_;

    HWND calendar_ = nullptr;
    HWND phoneList_ = nullptr;
    HWND taskList_ = nullptr;
    HWND timeSlotList_ = nullptr;
    HWND dateCaption_ = nullptr;

    PhoneBookMode mode_ = PhoneBookMode::kWhitePages;
    ActiveControl activeList_ = ActiveControl::kNone;
    int currentPersonRow_ = -1;
    int currentTaskRow_ = -1;
    int currentSlotRow_ = -1;
    int32_t selectedPersonID_ = -1;
    int32_t selectedTaskID_ = -1;
    int32_t selectedAppointmentID_ = -1;
};
