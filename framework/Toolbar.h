// A toolbar built from a strip of 16 by 15 images and a list of buttons, with
// tooltips from the command strings. On a screen at more than 100% its images
// come from a strip drawn larger (ToolbarStrips), not from the small one
// stretched.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "CommandStrings.h"

const int kToolbarImageWidth = 16;
const int kToolbarImageHeight = 15;

// The button face colour of the bitmap strips, shown as transparent.
const COLORREF kToolbarMaskColour = RGB(192, 192, 192);

// One toolbar's image strips (bitmap resources), the same pictures drawn for
// 96, 144 and 192 DPI: 16 by 15, 24 by 22 and 32 by 30 pixels an image.
struct ToolbarStrips {
    UINT at96;
    UINT at144;
    UINT at192;
};

// The size of a toolbar image at `dpi`: 16 by 15 scaled, rounded down, so
// that at 144 and 192 DPI it is the size the larger strips are drawn at.
SIZE ToolbarImageSize(int dpi);

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

    // Replaces the images with those of the strip of `strips` drawn nearest
    // to `dpi`, resized to ToolbarImageSize(dpi) when it was drawn for
    // another resolution, and fits the buttons to them. For a new toolbar
    // and when the window moves to a screen of another scale. False (and
    // the images stay) when the strip does not load.
    bool LoadImages(const ToolbarStrips& strips, int dpi);

    // Ideal size of the toolbar: all buttons in one row.
    SIZE IdealSize() const;

    // Answers TTN_GETDISPINFO (A or W) for a toolbar tooltip with the text
    // after the line feed of the command's string; returns false for any
    // other notification. The notification reaches the toolbar's parent
    // chain, so the frame calls this from its WM_NOTIFY.
    static bool AnswerTooltip(NMHDR* header, const StringLookup& strings);

private:
    // Makes `strip`, whose images are `size`, the toolbar's image list.
    bool SetImages(HBITMAP strip, SIZE size);

    HWND window_ = nullptr;
    HIMAGELIST images_ = nullptr;
};
