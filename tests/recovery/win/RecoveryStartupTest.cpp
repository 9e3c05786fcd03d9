// The recovery copies in the real frame: the start-up question about the
// copies a run that ended badly left, the copy written when due but not
// under a dialog, and its removal when the changes are saved or discarded.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "DocumentFileDialogs.h"
#include "HelpLibrary.h"
#include "MainFrame.h"
#include "MessageBoxCatcher.h"
#include "MessageLoop.h"
#include "PrivateUserRegistry.h"
#include "resource.h"

namespace {

class RecoveryFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), 0x0504};
        InitCommonControlsEx(&controls);
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "vantrel-recovery-" + std::to_string(GetCurrentProcessId());
        recovery_ = folder_ + "\\Recovery";
        CreateDirectoryA(folder_.c_str(), nullptr);
        CreateDirectoryA(recovery_.c_str(), nullptr);
    }
    void TearDown() override {
        frame_.reset();
        MSG message;
        while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        for (const std::string& name : Files("*.*")) DeleteFileA((recovery_ + "\\" + name).c_str());
        DeleteFileA((folder_ + "\\home.pgr").c_str());
        RemoveDirectoryA(recovery_.c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    MainFrame& CreateFrame() {
        frame_ = std::make_unique<MainFrame>(loop_, chooser_, help_, "C:\\Program Files\\Vantrel");
        frame_->Recovery().SetFolder(recovery_);
        frame_->Recovery().SetClock([this] { return now_; });
        EXPECT_TRUE(frame_->Create());
        ShowWindow(frame_->Handle(), SW_SHOWNOACTIVATE);
        loop_.PumpPending();
        return *frame_;
    }
    // A copy as a program that then ended without closing would leave it.
    void LeaveCopy(const std::string& path, const char* task, int64_t unixTime) {
        PimDocument document;
        document.tasks.Insert(document.tasks.IssueID(), Task());
        document.tasks[1].Description = task;
        document.SetPath(path);
        RecoveryStore store(recovery_);
        ASSERT_TRUE(store.Open());
        ASSERT_TRUE(store.WriteCopy(document, unixTime));
    }
    std::vector<std::string> Files(const char* pattern) const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found = {};
        HANDLE search = FindFirstFileA((recovery_ + "\\" + pattern).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do names.push_back(found.cFileName); while (FindNextFileA(search, &found));
        FindClose(search);
        return names;
    }
    size_t CountFiles(const char* pattern) const { return Files(pattern).size(); }
    void Tick() { SendMessageA(frame_->Handle(), WM_TIMER, MainFrame::kRecoveryTimer, 0); }

    PrivateUserRegistry registry_;
    std::string folder_, recovery_;
    int64_t now_ = 0;
    MessageLoop loop_;
    SystemDocumentFileChooser chooser_;  // never shown: no command here asks for a name
    HelpLibrary help_{[]() -> HtmlHelpEntry { return nullptr; }};
    std::unique_ptr<MainFrame> frame_;
};

TEST_F(RecoveryFrameTest, StartUpAsksNewestFirstAndYesOpensTheCopyModifiedUnderItsOwnPath) {
    const std::string home = folder_ + "\\home.pgr";
    LeaveCopy(home, "call the plumber", 1000000000);  // 2001-09-09 01:46:40 UTC
    LeaveCopy("", "scribbles", 1700000000);           // 2023-11-14 22:13:20 UTC
    MainFrame& frame = CreateFrame();
    {
        MessageBoxCatcher boxes({IDNO, IDYES});
        frame.OfferRecoveryCopies();
        EXPECT_EQ((std::vector<std::string>{
                      "Vantrel! did not close normally. Open the changes to Untitled from 11/14/2023 "
                      "10:13 PM that were not saved?",
                      "Vantrel! did not close normally. Open the changes to " + home +
                          " from 9/9/2001 1:46 AM that were not saved?"}),
                  boxes.Texts());
    }
    ASSERT_EQ(1u, frame.Document().tasks.size());
    EXPECT_EQ("call the plumber", frame.Document().tasks.begin()->second.Description);
    EXPECT_EQ(home, frame.Document().Path());
    EXPECT_TRUE(frame.Document().IsModified());
    char title[512] = "";
    GetWindowTextA(frame.Handle(), title, sizeof title);
    EXPECT_EQ("Vantrel! [" + home + "]", std::string(title));
    EXPECT_EQ(0u, frame.RecentFiles().size());
    EXPECT_EQ(1u, CountFiles("*.pgr"));  // No deleted the untitled copy

    SendMessageA(frame.Handle(), WM_COMMAND, ID_FILE_SAVE, 0);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(home.c_str()));
    EXPECT_EQ(0u, CountFiles("*.pgr") + CountFiles("*.txt"));
}

TEST_F(RecoveryFrameTest, ACopyIsWrittenWhenDueButNotUnderADialogAndGoesWhenTheChangesAreDiscarded) {
    MainFrame& frame = CreateFrame();
    Task task;
    task.ID = frame.Document().tasks.IssueID();
    frame.Document().tasks.Insert(task.ID, task);
    frame.Document().SetModified(true, true);

    now_ = 2 * 60 * 1000;
    EnableWindow(frame.Handle(), FALSE);  // as a modal dialog of ours does
    Tick();
    EXPECT_EQ(0u, CountFiles("*.pgr"));
    EnableWindow(frame.Handle(), TRUE);
    Tick();
    EXPECT_EQ(2u, CountFiles("*.pgr") + CountFiles("*.txt"));

    MessageBoxCatcher no(IDNO);
    SendMessageA(frame.Handle(), WM_COMMAND, ID_FILE_NEW, 0);
    EXPECT_EQ(0u, CountFiles("*.pgr") + CountFiles("*.txt"));
}

}  // namespace
