#include "TaskEditor.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "CalendarPlatform.h"
#include "StorableDays.h"
#include "SystemTimeFields.h"
#include "WindowText.h"
#include "resource.h"

namespace {

// The priority buttons in index order: High is 0, Done is 3.
const int kPriorityButtons[] = {IDC_TASK_PRIORITY_HIGH, IDC_TASK_PRIORITY_MEDIUM,
                                IDC_TASK_PRIORITY_LOW, IDC_TASK_PRIORITY_DONE};

const std::vector<HelpTopic>& TaskHelpTopics() {
    static const std::vector<HelpTopic> topics = {
        {IDC_TASK_TEXT, 1301},           {IDC_TASK_TEXT_LABEL, 1301},
        {IDC_TASK_PRIORITY_GROUP, 1302}, {IDC_TASK_PRIORITY_HIGH, 1302},
        {IDC_TASK_PRIORITY_MEDIUM, 1302}, {IDC_TASK_PRIORITY_LOW, 1302},
        {IDC_TASK_PRIORITY_DONE, 1302},  {IDC_TASK_DUE_DATE, 1300},
        {IDC_TASK_DUE_DATE_LABEL, 1300}, {IDOK, 1000},
        {IDCANCEL, 1001},
    };
    return topics;
}

bool DayBefore(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    const WORD left[] = {a.wYear, a.wMonth, a.wDay};
    const WORD right[] = {b.wYear, b.wMonth, b.wDay};
    return std::lexicographical_compare(left, left + 3, right, right + 3);
}

}  // namespace

TaskEditor::TaskEditor(TaskEditorData& data, EditorHelp help)
    : Dialog(IDD_TASK_EDITOR), data_(data), help_(std::move(help)) {}

INT_PTR TaskEditor::DialogMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HELP) {
        const auto* request = reinterpret_cast<const HELPINFO*>(lParam);
        if (request) ShowEditorHelp(help_, *request, TaskHelpTopics());
        SetResult(TRUE);
        return TRUE;
    }
    return Dialog::DialogMessage(message, wParam, lParam);
}

bool TaskEditor::OnInitDialog() {
    working_ = data_;
    SetWindowTextA(Handle(), working_.caption.c_str());
    SetDlgItemTextA(Handle(), IDC_TASK_TEXT, working_.text.c_str());
    for (int index = 0; index < 4; ++index)
        CheckDlgButton(Handle(), kPriorityButtons[index],
                       index == working_.priority ? BST_CHECKED : BST_UNCHECKED);

    // Only days the file can hold in this time zone can be picked.
    SYSTEMTIME range[2] = {};
    StorableDayLimits(range);
    SendDlgItemMessageA(Handle(), IDC_TASK_DUE_DATE, DTM_SETRANGE, GDTR_MIN | GDTR_MAX,
                        reinterpret_cast<LPARAM>(range));
    CalendarFields due;
    if (working_.dueDate.IsValid() && PlatformOleDateToFields(working_.dueDate.Value(), due)) {
        due.hour = due.minute = due.second = due.milliseconds = 0;
        SYSTEMTIME shown = SystemTimeFromFields(due);
        // A task due outside the range shows the nearest day the picker
        // allows; its own day is kept unless the user picks another.
        if (DayBefore(shown, range[0])) shown = range[0];
        if (DayBefore(range[1], shown)) shown = range[1];
        shown.wHour = shown.wMinute = shown.wSecond = 0;
        SendDlgItemMessageA(Handle(), IDC_TASK_DUE_DATE, DTM_SETSYSTEMTIME, GDT_VALID,
                            reinterpret_cast<LPARAM>(&shown));
    }
    UpdateOkButton();
    return true;
}

bool TaskEditor::OnCommand(UINT id, UINT code, HWND control) {
    if (id == IDC_TASK_TEXT && code == EN_CHANGE) {
        UpdateOkButton();
        return true;
    }
    // Enter reaches the dialog as OK even while the button is disabled; an
    // empty text is never taken.
    if (id == IDOK && !IsWindowEnabled(Item(IDOK))) return true;
    return Dialog::OnCommand(id, code, control);
}

bool TaskEditor::OnNotify(NMHDR* header, LRESULT& result) {
    if (header->idFrom == IDC_TASK_DUE_DATE && header->code == DTN_DATETIMECHANGE) {
        const auto* change = reinterpret_cast<const NMDATETIMECHANGE*>(header);
        if (change->dwFlags == GDT_VALID) {
            const SYSTEMTIME& picked = change->st;
            // Only the day counts: the due date is always at 00:00.
            working_.dueDate = DateTime::FromFields(picked.wYear, picked.wMonth, picked.wDay, 0, 0, 0);
        }
        result = 0;
        return true;
    }
    return Dialog::OnNotify(header, result);
}

void TaskEditor::OnOK() {
    HWND field = Item(IDC_TASK_TEXT);
    bool complete = true;
    const std::string text = WindowText(field, &complete);
    if (!complete) {
        // The field changed under us or could not be read whole: say so, and
        // take what was read.
        MessageBeep(MB_OK);
        SetFocus(field);
    }
    working_.text = text;
    working_.priority = CheckedPriority();
    data_ = working_;
    End(IDOK);
}

void TaskEditor::UpdateOkButton() {
    EnableWindow(Item(IDOK), GetWindowTextLengthA(Item(IDC_TASK_TEXT)) > 0);
}

int32_t TaskEditor::CheckedPriority() const {
    for (int index = 0; index < 4; ++index)
        if (IsDlgButtonChecked(Handle(), kPriorityButtons[index]) == BST_CHECKED) return index;
    return -1;
}
