// A toolbar built from a strip of 16 by 15 images and a list of buttons, with
// tooltips from the command strings.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "CommandStrings.h"

const int kToolbarImageWidth = 16;
const int kToolbarImageHeight = 15;

// The button face colour of the bitmap strips, shown as transparent.
const COLORREF kToolbarMaskColour = RGB(192, 192, 192);

class Toolbar {
public:
    Toolbar() = default;
    ~Toolbar();
    Toolbar(const Toolbar&) = delete;
    Toolbar& operator=(const Toolbar&) = delete;

    // `buttons` holds one command id per button, 0 for a separator; the
    // images of `strip` belong in order to the buttons that are not
    // separators. The strip stays the caller's. `visible` false creates
    // the toolbar hidden.
    bool Create(HWND parent, UINT id, HBITMAP strip, const std::vector<UINT>& buttons,
                bool visible = true);

    HWND Handle() const { return window_; }
    HIMAGELIST Images() const { return images_; }

    // Ideal size of the toolbar: all buttons in one row.
    SIZE IdealSize() const;

    // Answers TTN_GETDISPINFO (A or W) for a toolbar tooltip with the text
    // after the line feed of the command's string; returns false for any
    // other notification. The notification reaches the toolbar's parent
    // chain, so the frame calls this from its WM_NOTIFY.
    static bool AnswerTooltip(NMHDR* header, const StringLookup& strings);

private:
    HWND window_ = nullptr;
    HIMAGELIST images_ = nullptr;
};
