// The "Recent Files" popup.
#include <gtest/gtest.h>

#include <string>

#include "RecentFileMenu.h"

namespace {

std::string ItemText(HMENU menu, int position) {
    char text[300] = "";
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

UINT ItemId(HMENU menu, int position) { return GetMenuItemID(menu, position); }

}  // namespace

TEST(FrameworkRecentFileMenu, ListsEntriesNewestFirstFromTheFirstId) {
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING | MF_GRAYED, 57616, "(Empty)");
    RecentFileMenu recent;
    recent.Attach(popup);
    recent.Update({"C:\\data\\new.pgr", "C:\\data\\old.pgr"});
    ASSERT_EQ(2, GetMenuItemCount(popup));
    EXPECT_EQ("&1 C:\\data\\new.pgr", ItemText(popup, 0));
    EXPECT_EQ(57616u, ItemId(popup, 0));
    EXPECT_EQ("&2 C:\\data\\old.pgr", ItemText(popup, 1));
    EXPECT_EQ(57617u, ItemId(popup, 1));
    EXPECT_FALSE(GetMenuState(popup, 0, MF_BYPOSITION) & MF_GRAYED);
    DestroyMenu(popup);
}

TEST(FrameworkRecentFileMenu, EmptyListShowsTheDisabledTextOfTheResource) {
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 57616, "(Empty)");
    RecentFileMenu recent;
    recent.Attach(popup);
    recent.Update({"C:\\a.pgr"});
    recent.Update({});
    ASSERT_EQ(1, GetMenuItemCount(popup));
    EXPECT_EQ("(Empty)", ItemText(popup, 0));
    EXPECT_EQ(57616u, ItemId(popup, 0));
    EXPECT_TRUE(GetMenuState(popup, 0, MF_BYPOSITION) & MF_GRAYED);
    DestroyMenu(popup);
}

TEST(FrameworkRecentFileMenu, PopupWithoutItemsGetsTheDefaultEmptyText) {
    HMENU popup = CreatePopupMenu();
    RecentFileMenu recent;
    recent.Attach(popup);
    recent.Update({});
    EXPECT_EQ("(empty)", ItemText(popup, 0));
    DestroyMenu(popup);
}

TEST(FrameworkRecentFileMenu, NumbersPastNineAndStopsAtSixteen) {
    HMENU popup = CreatePopupMenu();
    RecentFileMenu recent;
    recent.Attach(popup);
    std::vector<std::string> paths;
    for (int i = 0; i < 20; ++i) paths.push_back("f" + std::to_string(i));
    recent.Update(paths);
    ASSERT_EQ(16, GetMenuItemCount(popup));
    EXPECT_EQ("&10 f9", ItemText(popup, 9));
    EXPECT_EQ(57631u, ItemId(popup, 15));
    EXPECT_EQ(0, RecentFileMenu::EntryOfCommand(57616));
    EXPECT_EQ(15, RecentFileMenu::EntryOfCommand(57631));
    EXPECT_EQ(-1, RecentFileMenu::EntryOfCommand(57632));
    DestroyMenu(popup);
}
