#include "RecentFileMenu.h"

void RecentFileMenu::Attach(HMENU popup) {
    popup_ = popup;
    emptyText_ = "(empty)";
    if (popup_ && GetMenuItemCount(popup_) > 0) {
        char text[260] = "";
        if (GetMenuStringA(popup_, 0, text, sizeof text, MF_BYPOSITION) > 0) emptyText_ = text;
    }
}

void RecentFileMenu::Update(const std::vector<std::string>& paths) {
    if (!popup_) return;
    while (GetMenuItemCount(popup_) > 0) DeleteMenu(popup_, 0, MF_BYPOSITION);
    if (paths.empty()) {
        AppendMenuA(popup_, MF_STRING | MF_GRAYED, kFirstRecentFileCommand, emptyText_.c_str());
        return;
    }
    const size_t capacity = kLastRecentFileCommand - kFirstRecentFileCommand + 1;
    for (size_t index = 0; index < paths.size() && index < capacity; ++index) {
        const std::string text = "&" + std::to_string(index + 1) + " " + paths[index];
        AppendMenuA(popup_, MF_STRING, kFirstRecentFileCommand + index, text.c_str());
    }
}

int RecentFileMenu::EntryOfCommand(UINT command) {
    if (command < kFirstRecentFileCommand || command > kLastRecentFileCommand) return -1;
    return static_cast<int>(command - kFirstRecentFileCommand);
}
