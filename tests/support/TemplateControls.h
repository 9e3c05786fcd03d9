// Checks a dialog made from a template against the controls it should have:
// their order, classes, styles, texts and places in dialog units.
#pragma once

#include <windows.h>

#include <vector>

// One control of the template: its kind, style bits, text (null: not
// checked) and place in dialog units (zero size: not checked; only the
// corner when the control sizes itself).
struct TemplateControl {
    int id;
    const char* className;
    DWORD styleMask;
    DWORD style;
    const char* text;
    RECT place;
    bool sizesItself = false;
};

// The dialog's children, in creation (and tab) order, are `controls`.
void ExpectControls(HWND dialog, const std::vector<TemplateControl>& controls);
