// Command states applied to menus and toolbars.
#include <gtest/gtest.h>

#include <set>

#include "CommandState.h"
#include "FrameworkTestSupport.h"
#include "Toolbar.h"

namespace {

UINT StateOf(HMENU menu, UINT id) { return GetMenuState(menu, id, MF_BYCOMMAND); }

// Save (57603) disabled, Toolbar (59392) checked, everything else enabled.
CommandState FakeStates(UINT id) {
    CommandState state;
    state.enabled = id != 57603;
    state.checked = id == 59392;
    return state;
}

}  // namespace

TEST(FrameworkCommandState, GreysAndChecksMenuItemsInNestedPopups) {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    HMENU nested = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, 57600, "&New");
    AppendMenuA(file, MF_STRING, 57603, "&Save");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(nested, MF_STRING | MF_GRAYED, 59392, "&Toolbar");
    AppendMenuA(file, MF_POPUP, reinterpret_cast<UINT_PTR>(nested), "&View");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");

    ApplyCommandStatesToMenu(bar, FakeStates);
    EXPECT_EQ(0u, StateOf(file, 57600) & (MF_GRAYED | MF_CHECKED));
    EXPECT_TRUE(StateOf(file, 57603) & MF_GRAYED);
    EXPECT_FALSE(StateOf(nested, 59392) & MF_GRAYED);
    EXPECT_TRUE(StateOf(nested, 59392) & MF_CHECKED);

    // And back.
    ApplyCommandStatesToMenu(bar, [](UINT) { return CommandState{}; });
    EXPECT_FALSE(StateOf(file, 57603) & MF_GRAYED);
    EXPECT_FALSE(StateOf(nested, 59392) & MF_CHECKED);
    DestroyMenu(bar);
}

TEST(FrameworkCommandState, AsksOnlyForCommandItems) {
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 10, "a");
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(popup, MF_STRING, 11, "b");
    std::set<UINT> asked;
    ApplyCommandStatesToMenu(popup, [&asked](UINT id) {
        asked.insert(id);
        return CommandState{};
    });
    EXPECT_EQ((std::set<UINT>{10, 11}), asked);
    DestroyMenu(popup);
}

TEST(FrameworkCommandState, DisablesAndChecksToolbarButtonsSkippingSeparators) {
    InitialiseTestControls();
    RecordingFrame frame;
    ASSERT_TRUE(frame.CreateFrame());
    HBITMAP strip = CreateImageStrip(3);
    Toolbar toolbar;
    ASSERT_TRUE(toolbar.Create(frame.Handle(), 59392, strip, {57600, 0, 57603, 59392}));
    DeleteObject(strip);
    HWND bar = toolbar.Handle();

    std::set<UINT> asked;
    ApplyCommandStatesToToolbar(bar, [&asked](UINT id) {
        asked.insert(id);
        return FakeStates(id);
    });
    EXPECT_EQ((std::set<UINT>{57600, 57603, 59392}), asked);
    EXPECT_TRUE(SendMessageA(bar, TB_ISBUTTONENABLED, 57600, 0));
    EXPECT_FALSE(SendMessageA(bar, TB_ISBUTTONENABLED, 57603, 0));
    EXPECT_TRUE(SendMessageA(bar, TB_ISBUTTONCHECKED, 59392, 0));

    CommandStateTargets targets;
    targets.AddToolbar(bar);
    targets.Apply([](UINT) { return CommandState{}; });
    EXPECT_TRUE(SendMessageA(bar, TB_ISBUTTONENABLED, 57603, 0));
    EXPECT_FALSE(SendMessageA(bar, TB_ISBUTTONCHECKED, 59392, 0));
}
