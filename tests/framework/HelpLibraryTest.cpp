// Finding HTML Help, and doing nothing without it.
#include <gtest/gtest.h>

#include "HelpLibrary.h"

TEST(FrameworkHelpLibrary, MissingLibraryMakesEveryRequestDoNothingAndIsLookedForOnce) {
    int loads = 0;
    HelpLibrary help([&loads]() -> HtmlHelpEntry {
        ++loads;
        return nullptr;
    });
    EXPECT_EQ(nullptr, help.Show(nullptr, "C:\\Vantrel.chm", 1, 0));
    EXPECT_EQ(nullptr, help.Show(nullptr, "C:\\Vantrel.chm", 1, 0));
    EXPECT_FALSE(help.Available());
    EXPECT_EQ(1, loads);
}

namespace {
int g_calls = 0;
UINT g_command = 0;
HWND WINAPI RecordingHelp(HWND, LPCSTR, UINT command, DWORD_PTR) {
    ++g_calls;
    g_command = command;
    return nullptr;
}
}  // namespace

TEST(FrameworkHelpLibrary, FoundEntryIsCalledWithTheRequest) {
    int loads = 0;
    HelpLibrary help([&loads]() -> HtmlHelpEntry {
        ++loads;
        return RecordingHelp;
    });
    g_calls = 0;
    help.Show(nullptr, "x.chm", 1, 0);
    help.Show(nullptr, "x.chm", 15, 0);
    EXPECT_EQ(1, loads);
    EXPECT_EQ(2, g_calls);
    EXPECT_EQ(15u, g_command);
}

TEST(FrameworkHelpLibrary, SystemLibraryIsTheHtmlHelpEntryByOrdinal14) {
    HtmlHelpEntry entry = LoadHtmlHelpEntry();
    ASSERT_NE(nullptr, entry);
    HMODULE library = GetModuleHandleA("hhctrl.ocx");
    ASSERT_NE(nullptr, library);
    EXPECT_EQ(reinterpret_cast<void*>(entry),
              reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(14))));
    // A help file that does not exist: HTML Help returns at once, no window.
    HelpLibrary help;
    EXPECT_EQ(nullptr, help.Show(nullptr, "C:\\nowhere\\missing.chm::/html/Introduction.htm", 1, 0));
}
