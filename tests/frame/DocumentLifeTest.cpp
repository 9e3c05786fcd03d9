// The File menu's document commands against real files, the registry and
// real message boxes; only the file dialogs answer through a stand-in.
#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <string>

#include "DocumentFile.h"
#include "DocumentFileDialogs.h"
#include "DocumentFiles.h"
#include "DocumentLife.h"
#include "MessageBoxCatcher.h"
#include "PimDocument.h"
#include "PrivateUserRegistry.h"
#include "RecentFileList.h"
#include "RecentFileRegistry.h"

namespace {

// Answers the file dialogs from a queue; an empty string stands for Cancel.
class ScriptedChooser : public DocumentFileChooser {
public:
    bool ChooseFileToOpen(HWND, std::string& path) override { return Next(path); }
    bool ChooseFileToSave(HWND, const std::string& name, std::string& path) override {
        offeredNames.push_back(name);
        return Next(path);
    }
    std::deque<std::string> answers;
    std::vector<std::string> offeredNames;
    int asked = 0;

private:
    bool Next(std::string& path) {
        ++asked;
        if (answers.empty()) return false;
        path = answers.front();
        answers.pop_front();
        return !path.empty();
    }
};

class DocumentLifeTest : public ::testing::Test {
protected:
    // The recent-file list lives in the registry: this process gets one of
    // its own, so suites running beside it cannot change the list under it.
    PrivateUserRegistry registry_;

    void SetUp() override {
        RegDeleteKeyA(HKEY_CURRENT_USER, kRecentDocumentListKey);
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "vantrel-life-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder_.c_str(), nullptr);
        frame_ = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                 nullptr, nullptr);
        life_.SetFrame(frame_);
        life_.SetRecentFilesChanged([this] { ++menuRebuilds_; });
    }
    void TearDown() override {
        DestroyWindow(frame_);
        for (const char* name : {"a.pgr", "b.pgr", "bad.pgr", "locked.pgr"}) {
            SetFileAttributesA(Path(name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(Path(name).c_str());
        }
        RemoveDirectoryA(folder_.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, kRecentDocumentListKey);
    }

    std::string Path(const char* name) const { return folder_ + "\\" + name; }
    std::string Title() const {
        char title[512] = "";
        GetWindowTextA(frame_, title, sizeof title);
        return title;
    }
    std::string FileBytes(const char* name) const {
        std::string bytes;
        ReadDocumentFile(Path(name), bytes);
        return bytes;
    }
    std::string DocumentText() const {
        std::string text;
        WriteDocument(document_, text);
        return text;
    }
    void AddTask(const char* description, int32_t priority = kPriorityHigh,
                 DateTime due = DateTime::Today()) {
        Task task;
        task.ID = document_.tasks.IssueID();
        task.Description = description;
        task.Priority = priority;
        task.DueDate = due;
        document_.tasks.Insert(task.ID, task);
        document_.SetModified(true, true);
    }
    // A file holding one task, written as another session would have.
    void MakeFile(const char* name, const char* description) {
        PimDocument other;
        Task task;
        task.ID = other.tasks.IssueID();
        task.Description = description;
        other.tasks.Insert(task.ID, task);
        std::string text;
        WriteDocument(other, text);
        ASSERT_TRUE(ReplaceDocumentFile(Path(name), text));
    }
    RecentFileList StoredRecentFiles() const {
        RecentFileList stored(SameFilePath);
        LoadRecentFiles(stored);
        return stored;
    }

    std::string folder_;
    HWND frame_ = nullptr;
    PimDocument document_;
    RecentFileList recent_{SameFilePath};
    ScriptedChooser chooser_;
    DocumentLife life_{document_, recent_, chooser_};
    int menuRebuilds_ = 0;
};

TEST_F(DocumentLifeTest, SaveAsWritesTheFileTitlesItAndListsItAsRecent) {
    AddTask("pay rent");
    chooser_.answers = {Path("a.pgr")};
    MessageBoxCatcher boxes;
    life_.SaveAs();
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(std::vector<std::string>{"Untitled"}, chooser_.offeredNames);
    EXPECT_EQ(DocumentText(), FileBytes("a.pgr"));
    EXPECT_FALSE(document_.IsModified());
    EXPECT_EQ("Vantrel! [" + Path("a.pgr") + "]", Title());
    EXPECT_EQ(std::vector<std::string>{Path("a.pgr")}, StoredRecentFiles().Entries());
    EXPECT_GE(menuRebuilds_, 1);
}

TEST_F(DocumentLifeTest, OpenLoadsTheFileAndNewEmptiesTheDocument) {
    MakeFile("a.pgr", "from disk");
    chooser_.answers = {Path("a.pgr")};
    life_.Open();
    ASSERT_EQ(1u, document_.tasks.size());
    EXPECT_EQ("from disk", document_.tasks[1].Description);
    EXPECT_FALSE(document_.IsModified());
    EXPECT_EQ(Path("a.pgr"), document_.Path());
    EXPECT_EQ("Vantrel! [" + Path("a.pgr") + "]", Title());
    EXPECT_EQ(Path("a.pgr"), recent_.Entries().front());

    life_.New();
    EXPECT_TRUE(document_.tasks.empty());
    EXPECT_EQ("", document_.Path());
    EXPECT_EQ("Vantrel! [Untitled]", Title());
}

TEST_F(DocumentLifeTest, CancelledOpenListsNothingWithoutAPathAndRaisesTheCurrentFile) {
    life_.Open();  // cancelled, untitled
    EXPECT_TRUE(recent_.empty());
    EXPECT_EQ("Vantrel! [Untitled]", Title());

    MakeFile("a.pgr", "a");
    MakeFile("b.pgr", "b");
    chooser_.answers = {Path("a.pgr"), Path("b.pgr"), ""};
    life_.Open();
    life_.Open();
    life_.Open();  // cancelled with b open: b stays on top
    EXPECT_EQ((std::vector<std::string>{Path("b.pgr"), Path("a.pgr")}), recent_.Entries());
    EXPECT_EQ("b", document_.tasks[1].Description);
}

TEST_F(DocumentLifeTest, UnsavedChangesQuestionAnsweredCancelNoAndYes) {
    AddTask("keep me");
    {
        MessageBoxCatcher boxes(IDCANCEL);
        life_.New();
        ASSERT_EQ(1u, boxes.Boxes().size());
        const CaughtMessageBox& box = boxes.Boxes()[0];
        EXPECT_EQ("Save changes to Untitled?", box.text);
        EXPECT_EQ("Pim", box.caption);
        EXPECT_TRUE(box.hasWarningIcon);
        EXPECT_EQ((std::vector<int>{IDYES, IDNO, IDCANCEL}), box.buttons);
        EXPECT_EQ(1u, document_.tasks.size());
    }
    {
        // Yes on an untitled document asks for a name; cancelling it cancels New.
        MessageBoxCatcher boxes(IDYES);
        life_.New();
        EXPECT_EQ(1, chooser_.asked);
        EXPECT_EQ(1u, document_.tasks.size());
    }
    {
        chooser_.answers = {Path("a.pgr")};
        MessageBoxCatcher boxes(IDYES);
        life_.New();
        EXPECT_EQ(1u, boxes.Boxes().size());
        EXPECT_TRUE(document_.tasks.empty());
        EXPECT_NE(std::string::npos, FileBytes("a.pgr").find("keep me"));
    }
    {
        AddTask("drop me");
        MessageBoxCatcher boxes(IDNO);
        life_.Open();  // asks with its own caption, then the dialog is cancelled
        ASSERT_EQ(1u, boxes.Boxes().size());
        EXPECT_EQ("Vantrel", boxes.Boxes()[0].caption);
        EXPECT_TRUE(document_.IsModified());
        EXPECT_EQ("drop me", document_.tasks[1].Description);
    }
}

TEST_F(DocumentLifeTest, RecentFileThatVanishedIsReportedAndForgotten) {
    MakeFile("a.pgr", "a");
    MakeFile("b.pgr", "b");
    chooser_.answers = {Path("a.pgr"), Path("b.pgr")};
    life_.Open();
    life_.Open();
    DeleteFileA(Path("a.pgr").c_str());

    MessageBoxCatcher boxes;
    life_.OpenRecent(1);
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ("Error loading file.", boxes.Boxes()[0].text);
    EXPECT_EQ("Pim", boxes.Boxes()[0].caption);
    EXPECT_TRUE(boxes.Boxes()[0].hasErrorIcon);
    EXPECT_EQ(std::vector<std::string>{Path("b.pgr")}, recent_.Entries());
    EXPECT_EQ(std::vector<std::string>{Path("b.pgr")}, StoredRecentFiles().Entries());
    EXPECT_EQ("b", document_.tasks[1].Description);  // nothing was cleared
}

TEST_F(DocumentLifeTest, RecentFileOpensUnderTheListedPathAndMovesToTheTop) {
    MakeFile("a.pgr", "a");
    MakeFile("b.pgr", "b");
    chooser_.answers = {Path("a.pgr"), Path("b.pgr")};
    life_.Open();
    life_.Open();
    life_.OpenRecent(1);
    EXPECT_EQ("a", document_.tasks[1].Description);
    EXPECT_EQ((std::vector<std::string>{Path("a.pgr"), Path("b.pgr")}), recent_.Entries());
    EXPECT_EQ("Vantrel! [" + Path("a.pgr") + "]", Title());
}

// A failed open leaves the open document exactly as it was, so no later
// Save can write a emptied document over the user's file: a file that does
// not parse, and one that parses but is not ours (another root, a version we
// do not know), through Open and through the recent list.
TEST_F(DocumentLifeTest, AFailedOpenLeavesTheOpenDocumentItsPathTitleAndChanges) {
    struct Case {
        const char* bytes;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"<Pim>\n<Tasks>\n</Pim>\n", {"Parsing error at line 3", "Error loading file."}},
        {"<Pim Version=\"14\"><Tasks LastID=\"1\"><Task ID=\"1\"/></Tasks></Pim>",
         {"Error loading file."}},
        {"<Notes Version=\"1\"/>", {"Error loading file."}},
    };
    MakeFile("a.pgr", "a");
    chooser_.answers = {Path("a.pgr")};
    life_.Open();
    AddTask("unsaved");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        ASSERT_TRUE(ReplaceDocumentFile(Path("bad.pgr"), c.bytes));
        {
            chooser_.answers = {Path("bad.pgr")};
            MessageBoxCatcher boxes(IDNO);  // No to the unsaved changes
            life_.Open();
            std::vector<std::string> expected = {"Save changes to " + Path("a.pgr") + "?"};
            expected.insert(expected.end(), c.messages.begin(), c.messages.end());
            EXPECT_EQ(expected, boxes.Texts());
            EXPECT_EQ("Vantrel", boxes.Boxes().back().caption);
            EXPECT_TRUE(boxes.Boxes().back().hasErrorIcon);
        }
        EXPECT_EQ(Path("a.pgr"), document_.Path());
        EXPECT_EQ("Vantrel! [" + Path("a.pgr") + "]", Title());
        EXPECT_TRUE(document_.IsModified());
        ASSERT_EQ(2u, document_.tasks.size());
        EXPECT_EQ("unsaved", document_.tasks[2].Description);

        // The same through the recent list, where it was entered by hand.
        recent_.Add(Path("bad.pgr"));
        MessageBoxCatcher boxes(IDNO);
        life_.OpenRecent(0);
        EXPECT_EQ("Pim", boxes.Boxes().back().caption);
        EXPECT_EQ(Path("a.pgr"), document_.Path());
        EXPECT_EQ(2u, document_.tasks.size());
        EXPECT_TRUE(document_.IsModified());
    }
    // Saving now writes the document the user still sees.
    life_.Save();
    EXPECT_NE(std::string::npos, FileBytes("a.pgr").find("unsaved"));
}

TEST_F(DocumentLifeTest, ASaveThatFailsAfterYesIsToldAndStopsTheCommand) {
    chooser_.answers = {Path("locked.pgr")};
    AddTask("first");
    life_.SaveAs();
    SetFileAttributesA(Path("locked.pgr").c_str(), FILE_ATTRIBUTE_READONLY);
    AddTask("second");

    MessageBoxCatcher boxes(IDYES);
    life_.New();
    EXPECT_EQ((std::vector<std::string>{"Save changes to " + Path("locked.pgr") + "?",
                                        "Unable to write file!"}),
              boxes.Texts());
    EXPECT_EQ("Vantrel", boxes.Boxes()[1].caption);
    EXPECT_TRUE(boxes.Boxes()[1].hasErrorIcon);
    EXPECT_EQ(2u, document_.tasks.size());  // New did not go on
    EXPECT_TRUE(document_.IsModified());
}

TEST_F(DocumentLifeTest, SaveToAReadOnlyFileKeepsTheOldBytesAndTheChanges) {
    chooser_.answers = {Path("locked.pgr")};
    AddTask("first");
    life_.SaveAs();
    const std::string saved = FileBytes("locked.pgr");
    SetFileAttributesA(Path("locked.pgr").c_str(), FILE_ATTRIBUTE_READONLY);
    AddTask("second");

    MessageBoxCatcher boxes;
    life_.Save();
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ("Unable to write file!", boxes.Boxes()[0].text);
    EXPECT_EQ("Vantrel", boxes.Boxes()[0].caption);
    EXPECT_TRUE(boxes.Boxes()[0].hasErrorIcon);
    EXPECT_EQ(saved, FileBytes("locked.pgr"));
    EXPECT_TRUE(document_.IsModified());
}

TEST_F(DocumentLifeTest, SaveAsIntoAVanishedFolderOffersRetryAndChangesNothing) {
    AddTask("task");
    chooser_.answers = {folder_ + "\\gone\\x.pgr"};
    MessageBoxCatcher boxes(IDRETRY);
    life_.SaveAs();
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ("Error saving Untitled.", boxes.Boxes()[0].text);
    EXPECT_EQ("Pim", boxes.Boxes()[0].caption);
    EXPECT_EQ((std::vector<int>{IDRETRY, IDCANCEL}), boxes.Boxes()[0].buttons);
    EXPECT_EQ(1, chooser_.asked);  // Retry is not acted upon
    EXPECT_EQ("", document_.Path());
    EXPECT_TRUE(document_.IsModified());
    EXPECT_TRUE(recent_.empty());
}

TEST_F(DocumentLifeTest, SavingAnUnchangedDocumentWritesNothing) {
    AddTask("task");
    chooser_.answers = {Path("a.pgr")};
    life_.SaveAs();
    ASSERT_TRUE(DeleteFileA(Path("a.pgr").c_str()));
    life_.Save();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(Path("a.pgr").c_str()));
}

TEST_F(DocumentLifeTest, CompactRemovesDoneTasksDueBeforeTodayAndSaves) {
    const DateTime yesterday = DateTime::Today() - DateSpan(1.0);
    AddTask("done yesterday", kPriorityDone, yesterday);
    AddTask("done today", kPriorityDone, DateTime::Today());
    AddTask("open yesterday", kPriorityLow, yesterday);
    chooser_.answers = {Path("a.pgr")};
    life_.SaveAs();
    life_.Compact();
    EXPECT_EQ(nullptr, document_.tasks.Find(1));
    EXPECT_EQ(2u, document_.tasks.size());
    EXPECT_EQ(3, document_.tasks.LastID());
    EXPECT_FALSE(document_.IsModified());
    EXPECT_EQ(DocumentText(), FileBytes("a.pgr"));
}

TEST_F(DocumentLifeTest, CompactWithoutAFileAsksForANameAndCancelSkipsTheWrite) {
    AddTask("done long ago", kPriorityDone, DateTime::FromFields(2002, 3, 4, 0, 0, 0));
    document_.SetModified(false, false);
    life_.Compact();  // the name is not given
    EXPECT_EQ(1, chooser_.asked);
    EXPECT_TRUE(document_.tasks.empty());
    EXPECT_TRUE(document_.IsModified());

    chooser_.answers = {Path("b.pgr")};
    life_.Compact();
    EXPECT_EQ(Path("b.pgr"), document_.Path());
    EXPECT_FALSE(document_.IsModified());
    EXPECT_EQ(DocumentText(), FileBytes("b.pgr"));
}

}  // namespace

namespace {

TEST_F(DocumentLifeTest, SaveIntoAFolderThatVanishedReportsAndKeepsTheChanges) {
    const std::string inner = folder_ + "\\inner";
    ASSERT_TRUE(CreateDirectoryA(inner.c_str(), nullptr));
    chooser_.answers = {inner + "\\diary.pgr"};
    AddTask("first");
    life_.SaveAs();
    ASSERT_TRUE(DeleteFileA((inner + "\\diary.pgr").c_str()));
    ASSERT_TRUE(RemoveDirectoryA(inner.c_str()));
    AddTask("second");

    MessageBoxCatcher boxes;
    life_.Save();
    EXPECT_EQ(std::vector<std::string>{"Unable to write file!"}, boxes.Texts());
    EXPECT_TRUE(document_.IsModified());
    EXPECT_EQ(inner + "\\diary.pgr", document_.Path());
}

TEST_F(DocumentLifeTest, RecentFileAsksAboutUnsavedChangesFirst) {
    MakeFile("a.pgr", "a");
    chooser_.answers = {Path("a.pgr")};
    life_.Open();
    AddTask("unsaved");
    {
        MessageBoxCatcher boxes(IDCANCEL);
        life_.OpenRecent(0);
        ASSERT_EQ(1u, boxes.Boxes().size());
        EXPECT_EQ("Save changes to " + Path("a.pgr") + "?", boxes.Boxes()[0].text);
        EXPECT_EQ("Pim", boxes.Boxes()[0].caption);
        EXPECT_EQ(2u, document_.tasks.size());  // nothing was opened
    }
    MessageBoxCatcher boxes(IDNO);
    life_.OpenRecent(0);
    EXPECT_EQ(1u, document_.tasks.size());
    EXPECT_FALSE(document_.IsModified());
}

}  // namespace
