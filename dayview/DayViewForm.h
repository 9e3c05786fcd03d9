// The day view: the form of dialog template 129 that fills the main window
// between the bars. For now it is the bare form; the frame passes it every
// command it does not carry out itself.
#pragma once

#include <windows.h>

#include "Dialog.h"

class DayViewForm : public Dialog {
public:
    DayViewForm();

    // Creates the form as a child of `frame`; null on failure.
    HWND Create(HWND frame);

protected:
    // The frame forwards keyboard navigation: Enter and Escape reach the form
    // as IDOK and IDCANCEL and must not close it.
    void OnOK() override {}
    void OnCancel() override {}
};
