// The system's own Open and Save As dialogs, driven as a user would: a name
// typed into the file name box and OK pressed.
#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>

#include <string>

#include "DialogDriver.h"
#include "DocumentFileDialogs.h"
#include "DocumentFiles.h"

namespace {

const int kFileNameBox = 0x47c;  // the explorer dialogs' file name combo box

bool IsMessageBox(HWND dialog) { return GetDlgItem(dialog, 0xFFFF) != nullptr; }

class SystemFileDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "vantrel-dialogs-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder_.c_str(), nullptr);
    }
    void TearDown() override {
        for (const char* name : {"kept.pgr", "new.pgr"}) DeleteFileA(Path(name).c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    std::string Path(const char* name) const { return folder_ + "\\" + name; }

    // Types `name` into the file dialog and presses OK; answers a question
    // box that follows with `answer`.
    DialogDriver::Action TypeAndConfirm(const std::string& name, int answer = IDYES) {
        return [this, name, answer](HWND dialog) {
            if (IsMessageBox(dialog)) {
                questions_++;
                PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
                return;
            }
            SendMessageA(dialog, CDM_SETCONTROLTEXT, kFileNameBox, reinterpret_cast<LPARAM>(name.c_str()));
            SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        };
    }

    std::string folder_;
    int questions_ = 0;
    SystemDocumentFileChooser chooser_;
};

TEST_F(SystemFileDialogs, OpenReturnsTheChosenFile) {
    ASSERT_TRUE(ReplaceDocumentFile(Path("kept.pgr"), "<Pim/>"));
    std::string path;
    DialogDriver driver(TypeAndConfirm(Path("kept.pgr")));
    EXPECT_TRUE(chooser_.ChooseFileToOpen(nullptr, path));
    EXPECT_EQ(Path("kept.pgr"), path);
    EXPECT_EQ(0, driver.DialogsCancelled());
}

TEST_F(SystemFileDialogs, SaveAsAddsTheExtensionAndAsksBeforeReplacing) {
    std::string path;
    {
        DialogDriver driver(TypeAndConfirm(Path("new")));
        EXPECT_TRUE(chooser_.ChooseFileToSave(nullptr, "Untitled", path));
        EXPECT_EQ(0, driver.DialogsCancelled());
    }
    EXPECT_EQ(Path("new.pgr"), path);
    EXPECT_EQ(0, questions_);

    ASSERT_TRUE(ReplaceDocumentFile(Path("kept.pgr"), "<Pim/>"));
    DialogDriver driver(TypeAndConfirm(Path("kept.pgr"), IDYES));
    EXPECT_TRUE(chooser_.ChooseFileToSave(nullptr, "Untitled", path));
    EXPECT_EQ(Path("kept.pgr"), path);
    EXPECT_EQ(1, questions_);
}

TEST_F(SystemFileDialogs, CancelGivesNoPath) {
    std::string path = "unchanged";
    DialogDriver driver([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_FALSE(chooser_.ChooseFileToOpen(nullptr, path));
    EXPECT_EQ("unchanged", path);
}

}  // namespace
