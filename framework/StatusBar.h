// The status bar: one pane with a size grip that shows the idle text or the
// prompt of the highlighted menu item, and for a while a second, narrow
// pane at its right that names a state of what is shown (the preview's
// zoom).
#pragma once

#include <windows.h>

#include <string>

#include "CommandStrings.h"

const UINT kFirstRecentFileCommand = 57616;
const UINT kLastRecentFileCommand = 57631;
// The string whose prompt every recent-file item shows.
const UINT kRecentFilePromptString = 61402;

// The string id whose prompt describes the item WM_MENUSELECT names, 0 for
// none (the menu closed, a popup or a separator is highlighted). System-menu
// items are their SC_ ids; recent-file items share one prompt.
UINT MenuPromptId(UINT item, UINT flags, HMENU menu);

class StatusBar {
public:
    StatusBar() = default;
    ~StatusBar();
    StatusBar(const StatusBar&) = delete;
    StatusBar& operator=(const StatusBar&) = delete;

    // Shows `idleText` at once. `strings` gives the command texts; the
    // module's string table when not given.
    bool Create(HWND parent, UINT id, const std::string& idleText,
                StringLookup strings = LoadResourceString);

    HWND Handle() const { return window_; }

    // The prompt of string `id`; the idle text for 0 or a string without
    // text.
    void ShowPrompt(UINT id);
    void ShowIdle() { ShowText(idleText_); }
    void ShowText(const std::string& text);
    const std::string& Text() const { return text_; }

    // Shows `text` in the pane at the right, adding the pane if need be;
    // an empty text takes the pane away. The pane is as wide as the widest
    // text it has shown, so it does not jump as its text changes.
    void ShowSideText(const std::string& text);
    const std::string& SideText() const { return sideText_; }

    // Height of the bar as laid out by the system.
    int Height() const;
    // The bar places itself at the bottom of its parent.
    void Reposition();

private:
    // The parts for the bar's present width: one simple pane, or the main
    // pane and the side pane.
    void ApplyParts();

    HWND window_ = nullptr;
    std::string idleText_;
    std::string text_;
    std::string sideText_;
    int sideWidth_ = 0;
    StringLookup strings_;
};
