// The menu bar: buttons from a menu, popups opened by click and keyboard,
// switching between popups, and toolbar images beside menu items.
#include <gtest/gtest.h>

#include "FrameworkTestSupport.h"
#include "MenuBar.h"
#include "MenuImages.h"
#include "Toolbar.h"

namespace {

class FrameworkMenuBar : public ::testing::Test {
protected:
    void SetUp() override {
        InitialiseTestControls();
        ASSERT_TRUE(frame.CreateFrame(true));
        menu = CreateMenu();
        file = AddPopup("&File");
        AppendMenuA(file, MF_STRING, 57600, "&New\tCtrl+N");
        AppendMenuA(file, MF_STRING, 57601, "&Open...\tCtrl+O");
        edit = AddPopup("&Edit");
        AppendMenuA(edit, MF_STRING, 32771, "&User...");
        help = AddPopup("&Help");
        AppendMenuA(help, MF_STRING, 57664, "&About Vantrel!...");
        ASSERT_TRUE(bar.Create(frame.Handle(), menu, 0xE81A));
        const SIZE size = bar.IdealSize();
        MoveWindow(bar.Handle(), 0, 0, size.cx, size.cy, TRUE);
        frame.onKeyMenu = [this](LPARAM character) { return bar.OnKeyMenu(character); };
        PumpWaiting();
    }
    HMENU AddPopup(const char* text) {
        HMENU popup = CreatePopupMenu();
        AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), text);
        return popup;
    }
    // Closes every popup as soon as it is shown, and closes anything left
    // after a second so a failure cannot hang.
    void CloseEachPopup() {
        frame.onPopup = [](HMENU) { RunLater(20, [] { EndMenu(); }); };
        RunLater(1000, [] { EndMenu(); });
    }
    POINT ButtonCentre(int index) {
        RECT button = {};
        SendMessageA(bar.Handle(), TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&button));
        return {(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    }

    RecordingFrame frame;
    MenuBar bar;
    HMENU menu = nullptr;
    HMENU file = nullptr;
    HMENU edit = nullptr;
    HMENU help = nullptr;
};

}  // namespace

TEST_F(FrameworkMenuBar, HasOneButtonPerPopupWithItsText) {
    ASSERT_EQ(3, bar.ButtonCount());
    EXPECT_EQ("&File", bar.ButtonText(0));
    EXPECT_EQ("&Edit", bar.ButtonText(1));
    EXPECT_EQ("&Help", bar.ButtonText(2));
    EXPECT_EQ(menu, bar.Menu());
    EXPECT_GT(bar.IdealSize().cx, 0);
}

TEST_F(FrameworkMenuBar, FindsPopupsByMnemonicInEitherCase) {
    EXPECT_EQ(0, bar.FindMnemonic('f'));
    EXPECT_EQ(1, bar.FindMnemonic('E'));
    EXPECT_EQ(2, bar.FindMnemonic('h'));
    EXPECT_EQ(-1, bar.FindMnemonic('x'));
}

TEST_F(FrameworkMenuBar, ClickOpensThePopupUnderTheButton) {
    CloseEachPopup();
    const POINT centre = ButtonCentre(1);
    SendMessageA(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    ASSERT_EQ(1u, frame.initialisedPopups.size());
    EXPECT_EQ(edit, frame.initialisedPopups[0]);
    EXPECT_EQ(-1, bar.OpenIndex());
}

TEST_F(FrameworkMenuBar, AltLetterOpensThePopupWithThatMnemonic) {
    CloseEachPopup();
    // As the keyboard delivers Alt+H: DefWindowProc turns it into
    // SC_KEYMENU, which the frame passes to the bar.
    SendMessageA(frame.Handle(), WM_SYSCHAR, 'h', 1 << 29);
    ASSERT_EQ(1u, frame.initialisedPopups.size());
    EXPECT_EQ(help, frame.initialisedPopups[0]);
}

TEST_F(FrameworkMenuBar, UnknownMnemonicIsLeftToTheSystem) {
    EXPECT_FALSE(bar.OnKeyMenu('q'));
    EXPECT_FALSE(bar.OnKeyMenu(' '));
    EXPECT_TRUE(frame.initialisedPopups.empty());
}

TEST_F(FrameworkMenuBar, RightArrowInAnOpenPopupMovesToTheNextPopup) {
    int shown = 0;
    frame.onPopup = [this, &shown](HMENU) {
        ++shown;
        if (shown == 1)
            RunLater(20, [this] { PostMessageA(bar.Handle(), WM_KEYDOWN, VK_RIGHT, 0); });
        else
            RunLater(20, [] { EndMenu(); });
    };
    RunLater(1500, [] { EndMenu(); });
    bar.OpenPopup(0, true);
    ASSERT_EQ(2u, frame.initialisedPopups.size());
    EXPECT_EQ(file, frame.initialisedPopups[0]);
    EXPECT_EQ(edit, frame.initialisedPopups[1]);
}

TEST_F(FrameworkMenuBar, LeftArrowFromTheFirstPopupWrapsToTheLast) {
    int shown = 0;
    frame.onPopup = [this, &shown](HMENU) {
        if (++shown == 1)
            RunLater(20, [this] { PostMessageA(bar.Handle(), WM_KEYDOWN, VK_LEFT, 0); });
        else
            RunLater(20, [] { EndMenu(); });
    };
    RunLater(1500, [] { EndMenu(); });
    bar.OpenPopup(0, true);
    ASSERT_EQ(2u, frame.initialisedPopups.size());
    EXPECT_EQ(help, frame.initialisedPopups[1]);
}

TEST_F(FrameworkMenuBar, MovingTheMouseToAnotherButtonSwitchesPopups) {
    int shown = 0;
    const POINT helpCentre = ButtonCentre(2);
    frame.onPopup = [this, &shown, helpCentre](HMENU) {
        if (++shown == 1)
            RunLater(20, [this, helpCentre] {
                PostMessageA(bar.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(helpCentre.x, helpCentre.y));
            });
        else
            RunLater(20, [] { EndMenu(); });
    };
    RunLater(1500, [] { EndMenu(); });
    bar.OpenPopup(0, false);
    ASSERT_EQ(2u, frame.initialisedPopups.size());
    EXPECT_EQ(file, frame.initialisedPopups[0]);
    EXPECT_EQ(help, frame.initialisedPopups[1]);
}

TEST_F(FrameworkMenuBar, AltAloneEntersMenuModeAndArrowsMoveTheHotButton) {
    EXPECT_TRUE(bar.OnKeyMenu(0));
    EXPECT_TRUE(bar.InMenuMode());
    EXPECT_EQ(0, bar.HotIndex());
    MSG right = {frame.Handle(), WM_KEYDOWN, VK_RIGHT, 0, 0, {0, 0}};
    EXPECT_TRUE(bar.PreTranslate(right));
    EXPECT_EQ(1, bar.HotIndex());
    MSG left = {frame.Handle(), WM_KEYDOWN, VK_LEFT, 0, 0, {0, 0}};
    EXPECT_TRUE(bar.PreTranslate(left));
    EXPECT_TRUE(bar.PreTranslate(left));
    EXPECT_EQ(2, bar.HotIndex());
    MSG escape = {frame.Handle(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
    EXPECT_TRUE(bar.PreTranslate(escape));
    EXPECT_FALSE(bar.InMenuMode());
    // The release of Escape is swallowed, later keys are not.
    MSG escapeUp = {frame.Handle(), WM_KEYUP, VK_ESCAPE, 0, 0, {0, 0}};
    EXPECT_TRUE(bar.PreTranslate(escapeUp));
    MSG other = {frame.Handle(), WM_KEYDOWN, 'A', 0, 0, {0, 0}};
    EXPECT_FALSE(bar.PreTranslate(other));
}

TEST_F(FrameworkMenuBar, EnterInMenuModeOpensTheHotPopup) {
    CloseEachPopup();
    bar.EnterMenuMode(0);
    MSG right = {frame.Handle(), WM_KEYDOWN, VK_RIGHT, 0, 0, {0, 0}};
    bar.PreTranslate(right);
    MSG enter = {frame.Handle(), WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    EXPECT_TRUE(bar.PreTranslate(enter));
    ASSERT_EQ(1u, frame.initialisedPopups.size());
    EXPECT_EQ(edit, frame.initialisedPopups[0]);
}

TEST_F(FrameworkMenuBar, LetterInMenuModeOpensItsPopup) {
    CloseEachPopup();
    bar.EnterMenuMode(0);
    MSG letter = {frame.Handle(), WM_KEYDOWN, 'H', 0, 0, {0, 0}};
    EXPECT_TRUE(bar.PreTranslate(letter));
    ASSERT_EQ(1u, frame.initialisedPopups.size());
    EXPECT_EQ(help, frame.initialisedPopups[0]);
    EXPECT_FALSE(bar.InMenuMode());
}

TEST_F(FrameworkMenuBar, OutsideMenuModeKeysPassThrough) {
    MSG right = {frame.Handle(), WM_KEYDOWN, VK_RIGHT, 0, 0, {0, 0}};
    EXPECT_FALSE(bar.PreTranslate(right));
}

TEST_F(FrameworkMenuBar, PopupCommandsReachTheFrame) {
    PostMessageA(bar.Handle(), WM_COMMAND, 57601, 0);
    PumpWaiting();
    ASSERT_EQ(1u, frame.commands.size());
    EXPECT_EQ(57601u, frame.commands[0]);
}

TEST_F(FrameworkMenuBar, ItemsMatchingToolbarButtonsGetTheirImages) {
    HBITMAP strip = CreateImageStrip(2);
    Toolbar toolbar;
    ASSERT_TRUE(toolbar.Create(frame.Handle(), 59392, strip, {57600, 0, 57664}));
    DeleteObject(strip);
    MenuImages images;
    EXPECT_EQ(2, images.Apply(menu, toolbar.Handle()));

    MENUITEMINFOA item = {};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_BITMAP;
    ASSERT_TRUE(GetMenuItemInfoA(file, 57600, FALSE, &item));
    ASSERT_NE(nullptr, item.hbmpItem);
    BITMAP bitmap = {};
    GetObjectA(item.hbmpItem, sizeof bitmap, &bitmap);
    EXPECT_EQ(16, bitmap.bmWidth);
    EXPECT_EQ(15, bitmap.bmHeight);
    ASSERT_TRUE(GetMenuItemInfoA(help, 57664, FALSE, &item));
    EXPECT_NE(nullptr, item.hbmpItem);
    ASSERT_TRUE(GetMenuItemInfoA(file, 57601, FALSE, &item));
    EXPECT_EQ(nullptr, item.hbmpItem);
}

TEST(FrameworkMenuImages, MaskGreyBecomesTransparentAndTheImageOpaque) {
    InitialiseTestControls();
    RecordingFrame frame;
    ASSERT_TRUE(frame.CreateFrame());
    HBITMAP strip = CreateImageStrip(1);
    Toolbar toolbar;
    ASSERT_TRUE(toolbar.Create(frame.Handle(), 59392, strip, {57600}));
    DeleteObject(strip);
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 57600, "&New");
    MenuImages images;
    ASSERT_EQ(1, images.Apply(popup, toolbar.Handle()));
    MENUITEMINFOA item = {};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_BITMAP;
    ASSERT_TRUE(GetMenuItemInfoA(popup, 0, TRUE, &item));
    DIBSECTION section = {};
    ASSERT_EQ(static_cast<int>(sizeof section), GetObjectA(item.hbmpItem, sizeof section, &section));
    const auto* pixels = static_cast<const DWORD*>(section.dsBm.bmBits);
    ASSERT_NE(nullptr, pixels);
    // Top-down rows: the corner is background, (8, 7) is inside the drawn
    // square of colour RGB(0, 0, 200) (stored as 0x00RRGGBB).
    EXPECT_EQ(0u, pixels[0]);
    EXPECT_EQ(0xFF0000C8u, pixels[7 * 16 + 8]);
    DestroyMenu(popup);
}
