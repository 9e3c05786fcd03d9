// The task editor: the modal dialog (template 136) in which a task's text,
// priority and due day are entered. The caller fills the data, runs the
// dialog and, on OK, reads the data back.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "DateTime.h"
#include "Dialog.h"
#include "EditorHelp.h"

struct TaskEditorData {
    std::string caption;  // "Add Task" or "Edit Task"
    std::string text;     // the task's Description
    int32_t priority = 0;  // radio index 0 High .. 3 Done; -1 when none is checked at OK
    DateTime dueDate;      // the due day
};

class TaskEditor : public Dialog {
public:
    // `data` must outlive the editor.
    TaskEditor(TaskEditorData& data, EditorHelp help);

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
    // OK is enabled exactly when the task has a text.
    void UpdateOkButton();
    // The index of the checked priority button, -1 when none is.
    int32_t CheckedPriority() const;

    TaskEditorData& data_;
    EditorHelp help_;
    // What the dialog shows while it runs; it becomes `data_` on OK only.
    TaskEditorData working_;
};
