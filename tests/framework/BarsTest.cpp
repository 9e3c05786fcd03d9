// Toolbar tooltips, the band container and the status bar.
#include <gtest/gtest.h>

#include <map>

#include "CommandStrings.h"
#include "FrameworkTestSupport.h"
#include "Rebar.h"
#include "StatusBar.h"
#include "Toolbar.h"

namespace {

std::string TestStrings(UINT id) {
    static const std::map<UINT, std::string> strings = {
        {57600, "Create a new document\nNew"},
        {57667, "Display help file"},
        {61402, "Open this document\nOpen document"},
        {0xF060, "Close the window\nClose"},
        {1, "x\n" + std::string(100, 'y')},
    };
    const auto found = strings.find(id);
    return found == strings.end() ? std::string() : found->second;
}

}  // namespace

TEST(FrameworkCommandStrings, PromptIsBeforeAndTooltipAfterTheLineFeed) {
    EXPECT_EQ("Create a new document", CommandPrompt("Create a new document\nNew"));
    EXPECT_EQ("New", CommandTooltip("Create a new document\nNew"));
    EXPECT_EQ("Display help file", CommandPrompt("Display help file"));
    EXPECT_EQ("", CommandTooltip("Display help file"));
    EXPECT_EQ(79u, CommandTooltip(TestStrings(1)).size());
}

TEST(FrameworkToolbar, CreatesButtonsAndSeparatorsFromTheList) {
    InitialiseTestControls();
    RecordingFrame frame;
    ASSERT_TRUE(frame.CreateFrame());
    HBITMAP strip = CreateImageStrip(3);
    Toolbar toolbar;
    ASSERT_TRUE(toolbar.Create(frame.Handle(), 59392, strip, {57600, 57601, 0, 57609}));
    DeleteObject(strip);
    ASSERT_EQ(4, SendMessageA(toolbar.Handle(), TB_BUTTONCOUNT, 0, 0));
    EXPECT_EQ(3, ImageList_GetImageCount(toolbar.Images()));
    TBBUTTON button = {};
    SendMessageA(toolbar.Handle(), TB_GETBUTTON, 2, reinterpret_cast<LPARAM>(&button));
    EXPECT_TRUE(button.fsStyle & BTNS_SEP);
    SendMessageA(toolbar.Handle(), TB_GETBUTTON, 3, reinterpret_cast<LPARAM>(&button));
    EXPECT_EQ(57609, button.idCommand);
    EXPECT_EQ(2, button.iBitmap);
    EXPECT_EQ(59392, GetDlgCtrlID(toolbar.Handle()));
    EXPECT_TRUE(GetWindowLongA(toolbar.Handle(), GWL_STYLE) & TBSTYLE_TOOLTIPS);
}

TEST(FrameworkToolbar, TooltipIsTheTextAfterTheLineFeed) {
    NMTTDISPINFOA ansi = {};
    ansi.hdr.code = TTN_GETDISPINFOA;
    ansi.hdr.idFrom = 57600;
    ASSERT_TRUE(Toolbar::AnswerTooltip(&ansi.hdr, TestStrings));
    EXPECT_STREQ("New", ansi.lpszText);

    NMTTDISPINFOW wide = {};
    wide.hdr.code = TTN_GETDISPINFOW;
    wide.hdr.idFrom = 1;
    ASSERT_TRUE(Toolbar::AnswerTooltip(&wide.hdr, TestStrings));
    EXPECT_EQ(79u, wcslen(wide.lpszText));

    NMHDR other = {};
    other.code = NM_CLICK;
    EXPECT_FALSE(Toolbar::AnswerTooltip(&other, TestStrings));
}

TEST(FrameworkRebar, HoldsBandsOnTheirOwnRowsAndHidesOne) {
    InitialiseTestControls();
    RecordingFrame frame;
    ASSERT_TRUE(frame.CreateFrame(true));
    Rebar rebar;
    ASSERT_TRUE(rebar.Create(frame.Handle(), 0xE81B));
    HBITMAP strip = CreateImageStrip(2);
    Toolbar first;
    Toolbar second;
    Toolbar third;
    ASSERT_TRUE(first.Create(frame.Handle(), 1, strip, {10, 11}));
    ASSERT_TRUE(second.Create(frame.Handle(), 2, strip, {20, 21}));
    ASSERT_TRUE(third.Create(frame.Handle(), 3, strip, {30, 31}, false));
    DeleteObject(strip);
    EXPECT_EQ(0, rebar.AddBand(first.Handle(), 1, first.IdealSize(), false, false, true));
    EXPECT_EQ(1, rebar.AddBand(second.Handle(), 2, second.IdealSize(), true, false, true));
    EXPECT_EQ(2, rebar.AddBand(third.Handle(), 3, third.IdealSize(), true, true, false));
    EXPECT_EQ(3, rebar.BandCount());
    EXPECT_EQ(rebar.Handle(), GetParent(second.Handle()));
    MoveWindow(rebar.Handle(), 0, 0, 400, 100, TRUE);
    EXPECT_TRUE(rebar.IsBandVisible(1));
    EXPECT_FALSE(rebar.IsBandVisible(3));
    const int twoRows = rebar.Height();
    EXPECT_GT(twoRows, 0);

    rebar.ShowBand(3, true);
    EXPECT_TRUE(rebar.IsBandVisible(3));
    EXPECT_GT(rebar.Height(), twoRows);
    rebar.ShowBand(3, false);
    rebar.ShowBand(2, false);
    EXPECT_FALSE(rebar.IsBandVisible(2));
    EXPECT_LT(rebar.Height(), twoRows);

    NMHDR change = {rebar.Handle(), 0xE81B, static_cast<UINT>(RBN_HEIGHTCHANGE)};
    EXPECT_TRUE(rebar.IsHeightChange(&change));
    change.hwndFrom = frame.Handle();
    EXPECT_FALSE(rebar.IsHeightChange(&change));
}

TEST(FrameworkStatusBar, ShowsTheIdleTextThenPrompts) {
    InitialiseTestControls();
    RecordingFrame frame;
    ASSERT_TRUE(frame.CreateFrame());
    StatusBar status;
    ASSERT_TRUE(status.Create(frame.Handle(), 59393, "Ready", TestStrings));
    EXPECT_EQ(59393, GetDlgCtrlID(status.Handle()));
    EXPECT_TRUE(GetWindowLongA(status.Handle(), GWL_STYLE) & SBARS_SIZEGRIP);
    EXPECT_TRUE(SendMessageA(status.Handle(), SB_ISSIMPLE, 0, 0));
    EXPECT_EQ("Ready", status.Text());

    status.ShowPrompt(57600);
    EXPECT_EQ("Create a new document", status.Text());
    // In simple mode the control answers for its one pane.
    char shown[256] = "";
    SendMessageA(status.Handle(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(shown));
    EXPECT_STREQ("Create a new document", shown);

    status.ShowPrompt(57667);
    EXPECT_EQ("Display help file", status.Text());
    status.ShowPrompt(SC_CLOSE);
    EXPECT_EQ("Close the window", status.Text());
    // No entry, or no command: back to the idle text.
    status.ShowPrompt(12345);
    EXPECT_EQ("Ready", status.Text());
    status.ShowPrompt(57600);
    status.ShowPrompt(0);
    EXPECT_EQ("Ready", status.Text());
}

TEST(FrameworkStatusBar, MenuSelectionNamesThePromptString) {
    HMENU popup = CreatePopupMenu();
    EXPECT_EQ(57600u, MenuPromptId(57600, MF_STRING, popup));
    EXPECT_EQ(61402u, MenuPromptId(57616, MF_STRING, popup));
    EXPECT_EQ(61402u, MenuPromptId(57631, MF_STRING, popup));
    EXPECT_EQ(static_cast<UINT>(SC_CLOSE), MenuPromptId(SC_CLOSE, MF_SYSMENU, popup));
    EXPECT_EQ(0u, MenuPromptId(3, MF_POPUP, popup));
    EXPECT_EQ(0u, MenuPromptId(0, MF_SEPARATOR, popup));
    EXPECT_EQ(0u, MenuPromptId(0, 0xFFFF, nullptr));
    DestroyMenu(popup);
}
