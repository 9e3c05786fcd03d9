// The frame against other writers of its file and failures while saving:
// two programs on one document, a changed file on activation, a save that
// throws on the way out, Compact that cannot write.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <new>
#include <stdexcept>

#include "DocumentFile.h"
#include "DocumentFileDialogs.h"
#include "DocumentFiles.h"
#include "HelpLibrary.h"
#include "MainFrame.h"
#include "MessageBoxCatcher.h"
#include "OutsideChanges.h"
#include "PrivateUserRegistry.h"
#include "resource.h"

namespace {

using Texts = std::vector<std::string>;

// Answers the file dialogs with `path` (Open and Save As alike), counting.
struct OneFileChooser : DocumentFileChooser {
    bool ChooseFileToOpen(HWND, std::string& chosen) override {
        return ChooseFileToSave(nullptr, "", chosen);
    }
    bool ChooseFileToSave(HWND, const std::string&, std::string& chosen) override {
        ++asked;
        chosen = path;
        return true;
    }
    std::string path;
    int asked = 0;
};

void AddTask(PimDocument& document, const char* description, int32_t priority = kPriorityHigh,
             DateTime due = DateTime::Today()) {
    Task task;
    task.ID = document.tasks.IssueID();
    task.Description = description;
    task.Priority = priority;
    task.DueDate = due;
    document.tasks.Insert(task.ID, task);
    document.SetModified(true, true);
}

class DocumentFileSafetyTest : public ::testing::Test {
protected:
    PrivateUserRegistry registry_;  // the recent-file list Open writes

    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "vantrel-safety-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder_.c_str(), nullptr);
    }
    void TearDown() override {
        CloseFrame();
        for (const char* name : {"a.pgr", "b.pgr"}) {
            SetFileAttributesA(Path(name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(Path(name).c_str());
        }
        WIN32_FIND_DATAA found;
        const HANDLE search = FindFirstFileA(Path("recovery\\*.*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do DeleteFileA(Path(("recovery\\" + std::string(found.cFileName)).c_str()).c_str());
            while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(Path("recovery").c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    std::string Path(const char* name) const { return folder_ + "\\" + name; }
    std::string Bytes(const char* name) const {
        std::string bytes;
        ReadDocumentFile(Path(name), bytes);
        return bytes;
    }
    // Another program writes a.pgr with one task of its own.
    void WriteFromOutside(const char* description) {
        PimDocument other;
        AddTask(other, description);
        std::string text;
        WriteDocument(other, text);
        ASSERT_TRUE(ReplaceDocumentFile(Path("a.pgr"), text));
    }
    void CloseFrame() {
        frame_.reset();
        MSG message;  // its quit message would end the next modal loop
        while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    // A new frame with a.pgr (one task, "ours") open.
    PimDocument& OpenInFrame() {
        CloseFrame();
        DeleteFileA(Path("b.pgr").c_str());
        WriteFromOutside("ours");
        frame_ = std::make_unique<MainFrame>(loop_, chooser_, help_, "C:\\Vantrel");
        // Its recovery copies (ending the session writes one) stay in the
        // test's folder, not the prefix's, where the program would offer them.
        frame_->Recovery().SetFolder(Path("recovery"));
        EXPECT_TRUE(frame_->Create());
        chooser_.path = Path("a.pgr");
        Send(WM_COMMAND, ID_FILE_OPEN);
        chooser_.path = Path("b.pgr");
        chooser_.asked = 0;
        return frame_->Document();
    }
    LRESULT Send(UINT message, WPARAM wParam = 0) {
        const LRESULT result = SendMessageA(frame_->Handle(), message, wParam, 0);
        PostMessageA(frame_->Handle(), WM_NULL, 0, 0);  // makes the idle work due
        loop_.PumpPending();
        return result;
    }

    std::string folder_;
    MessageLoop loop_;
    OneFileChooser chooser_;
    HelpLibrary help_{[]() -> HtmlHelpEntry { return nullptr; }};
    std::unique_ptr<MainFrame> frame_;
};

TEST(CompareFileStampsTest, SizeTimeAndPresenceDecide) {
    const DocumentFileStamp was{true, 100, 5};
    EXPECT_EQ(FileChange::kSame, CompareFileStamps(was, {true, 100, 5}));
    EXPECT_EQ(FileChange::kChanged, CompareFileStamps(was, {true, 99, 5}));
    EXPECT_EQ(FileChange::kTimeOnly, CompareFileStamps(was, {true, 100, 6}));
    EXPECT_EQ(FileChange::kVanished, CompareFileStamps(was, {false, 0, 0}));
    EXPECT_EQ(FileChange::kChanged, CompareFileStamps({}, was));
}

// Two programs have a.pgr open; the other one saves first. Our Save asks,
// and each answer does what it says. The same bytes written again ask nothing.
TEST_F(DocumentFileSafetyTest, TheSecondSaveAsksAndEachAnswerDoesWhatItSays) {
    for (int answer : {IDYES, IDNO, IDCANCEL}) {
        PimDocument& document = OpenInFrame();
        PimDocument otherDocument;
        RecentFileList otherRecent(nullptr);
        DocumentLife other(otherDocument, otherRecent, chooser_);
        ASSERT_TRUE(other.OpenFrom(Path("a.pgr")));
        otherDocument.SetPath(Path("a.pgr"));
        AddTask(otherDocument, "theirs");
        other.Save();
        const std::string theirs = Bytes("a.pgr");

        AddTask(document, "unsaved");
        MessageBoxCatcher boxes(answer);
        Send(WM_COMMAND, ID_FILE_SAVE);
        ASSERT_EQ(Texts{Path("a.pgr") +
                        " was changed by another program since you opened it. Save your version "
                        "over it?"},
                  boxes.Texts());
        EXPECT_TRUE(boxes.Boxes()[0].hasWarningIcon);
        EXPECT_EQ((std::vector<int>{IDYES, IDNO, IDCANCEL}), boxes.Boxes()[0].buttons);
        EXPECT_EQ(answer == IDYES, Bytes("a.pgr").find("unsaved") != std::string::npos);
        EXPECT_EQ(answer != IDYES, Bytes("a.pgr") == theirs);
        EXPECT_EQ(answer == IDNO, chooser_.asked == 1);
        EXPECT_EQ(answer == IDNO, Bytes("b.pgr").find("unsaved") != std::string::npos);
        EXPECT_EQ(answer == IDCANCEL, document.IsModified());
    }
    PimDocument& document = OpenInFrame();
    ASSERT_TRUE(ReplaceDocumentFile(Path("a.pgr"), Bytes("a.pgr")));
    AddTask(document, "unsaved");
    MessageBoxCatcher boxes(IDCANCEL);
    Send(WM_COMMAND, ID_FILE_SAVE);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_FALSE(document.IsModified());
}

TEST_F(DocumentFileSafetyTest, ActivationOffersToReloadAChangedFileOncePerChange) {
    PimDocument& document = OpenInFrame();
    const Texts question = {Path("a.pgr") + " was changed by another program. Reload it?"};
    WriteFromOutside("first outside");
    {
        MessageBoxCatcher boxes(IDNO);
        Send(WM_ACTIVATEAPP, TRUE);
        Send(WM_ACTIVATEAPP, TRUE);
        EXPECT_EQ(question, boxes.Texts());
        EXPECT_EQ("ours", document.tasks[1].Description);
    }
    WriteFromOutside("second outside");
    {
        MessageBoxCatcher boxes(IDYES);
        Send(WM_ACTIVATEAPP, TRUE);
        Send(WM_ACTIVATEAPP, TRUE);
        EXPECT_EQ(question, boxes.Texts());
        EXPECT_EQ("second outside", document.tasks[1].Description);
        EXPECT_FALSE(document.IsModified());
    }
    AddTask(document, "unsaved");  // unsaved changes are never offered away
    WriteFromOutside("third outside");
    MessageBoxCatcher boxes(IDYES);
    Send(WM_ACTIVATEAPP, TRUE);
    EXPECT_TRUE(boxes.Boxes().empty());
}

// Yes to the unsaved changes, and the save throws: the program stays open,
// the file keeps its bytes, and the user hears why.
TEST_F(DocumentFileSafetyTest, ASaveThatThrowsOnTheWayOutKeepsTheProgramAndTheFile) {
    const std::string name = Path("a.pgr");
    const std::string noMemory = "Not enough memory to save " + name +
                                 ". Close other programs, then save again.";
    struct Case {
        UINT message;
        WPARAM wParam;
        bool badAlloc;
        Texts told;
    };
    const Case cases[] = {
        {WM_CLOSE, 0, true, {"Save changes to " + name + "?", noMemory}},
        {WM_QUERYENDSESSION, 0, false,
         {"Save changes to " + name + "?", "Unable to save " + name + ".\n\nthe disk went away"}},
        {WM_COMMAND, ID_APP_EXIT, true, {"Save changes to " + name + "?", noMemory}},
        {WM_COMMAND, ID_FILE_SAVE, true, {noMemory}},
    };
    PimDocument& document = OpenInFrame();
    AddTask(document, "unsaved");
    const std::string before = Bytes("a.pgr");
    for (const Case& c : cases) {
        frame_->Life().SetWritingHook([&c] {
            if (c.badAlloc) throw std::bad_alloc();
            throw std::runtime_error("the disk went away");
        });
        MessageBoxCatcher boxes(IDYES);
        const LRESULT answer = Send(c.message, c.wParam);
        EXPECT_EQ(c.told, boxes.Texts()) << c.message;
        EXPECT_TRUE(boxes.Boxes().back().hasErrorIcon);
        EXPECT_TRUE(IsWindow(frame_->Handle()));
        if (c.message == WM_QUERYENDSESSION) {
            EXPECT_FALSE(answer);
        }
        EXPECT_EQ(before, Bytes("a.pgr"));
        EXPECT_TRUE(document.IsModified());
    }
}

TEST_F(DocumentFileSafetyTest, CompactThatCannotWriteSaysSoAndKeepsTheRemovalUnsaved) {
    PimDocument& document = OpenInFrame();
    AddTask(document, "done", kPriorityDone, DateTime::Today() - DateSpan(2.0));
    SetFileAttributesA(Path("a.pgr").c_str(), FILE_ATTRIBUTE_READONLY);
    MessageBoxCatcher boxes;
    Send(WM_COMMAND, ID_FILE_COMPACT);
    EXPECT_EQ(Texts{"Unable to write file!"}, boxes.Texts());
    EXPECT_EQ(1u, document.tasks.size());
    EXPECT_TRUE(document.IsModified());
}

}  // namespace
