// The appointment editor: the modal dialog (template 141) in which an
// appointment's text, day, begin and end (in quarter hours) and an optional
// alarm some minutes before the beginning are entered. The caller fills the
// data, runs the dialog and, on OK, reads the data back.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "DateTime.h"
#include "Dialog.h"
#include "EditorHelp.h"

struct AppointmentEditorData {
    std::string text;     // Description
    std::string caption;  // "Add Appointment" or "Edit Appointment"
    bool alarm = false;   // Alarm
    bool done = false;    // Done: not shown, carried through unchanged
    int32_t alarmBox = 0;  // the check state of "&Set Alarm" while the dialog runs
    int32_t minutes = 0;   // minutes before the beginning, 0 to 60
    int32_t year = 0, month = 0, day = 0;  // the day the begin and end times lie on
    DateTime date;       // DueDate (00:00)
    DateTime begin;      // StartTime
    DateTime end;        // EndTime
    DateTime alarmTime;  // AlarmTime
};

class AppointmentEditor : public Dialog {
public:
    // `data` must outlive the editor.
    AppointmentEditor(AppointmentEditorData& data, EditorHelp help);

    // Runs the dialog modally, owned by `owner`: IDOK or IDCANCEL (-1 when
    // it could not be shown).
    INT_PTR Run(HWND owner) { return DoModal(owner); }

protected:
    INT_PTR DialogMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;
    void OnOK() override;

private:
    // OK is enabled exactly when the appointment has a text.
    void UpdateOkButton();
    // One step of the begin (or end) time, up or down, and the push of the
    // other time that keeps the end after the beginning.
    void StepBegin(bool up);
    void StepEnd(bool up);
    void ShowTimes();
    // The remembered day at the given minute of the day.
    DateTime OnDay(int minuteOfDay) const;
    void OnDateChanged(const SYSTEMTIME& picked);

    AppointmentEditorData& data_;
    EditorHelp help_;
    // What the dialog shows while it runs; it becomes `data_` on OK only.
    AppointmentEditorData working_;
    HWND datePicker_ = nullptr;
    HWND beginSpin_ = nullptr;
    HWND endSpin_ = nullptr;
    HWND minutesSpin_ = nullptr;
    HWND beginField_ = nullptr;
    HWND endField_ = nullptr;
};
