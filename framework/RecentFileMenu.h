// The "Recent Files" popup: one item per recent document, newest first, or
// a single disabled placeholder when there is none.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "StatusBar.h"

class RecentFileMenu {
public:
    // The placeholder's text is the popup's first item's text as found here
    // ("(empty)" when the popup has none).
    void Attach(HMENU popup);
    HMENU Popup() const { return popup_; }
    const std::string& EmptyText() const { return emptyText_; }

    // Rebuilds the popup from `paths`, newest first: "&1 path" with id
    // 57616, "&2 path" with 57617 and so on, up to 16 entries.
    void Update(const std::vector<std::string>& paths);

    // The entry a command chooses, -1 for a command of another menu.
    static int EntryOfCommand(UINT command);

private:
    HMENU popup_ = nullptr;
    std::string emptyText_ = "(empty)";
};
