// Daily backups on the real file system, in folders of the tests' own.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "DailyBackup.h"
#include "DocumentFileDialogs.h"
#include "DocumentFiles.h"
#include "DocumentLife.h"
#include "PimDocument.h"
#include "RecentFileList.h"
#include "RecentFileRegistry.h"
#include "SaveHousekeeping.h"

namespace {

std::string TempFolder(const char* name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + name + "-" + std::to_string(GetCurrentProcessId());
}

// Removes a folder with everything in it.
void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

// Every save of every test in this program keeps its backups in a folder of
// its own, never in the user's profile.
class BackupFolderOfTheTests : public ::testing::Environment {
public:
    void SetUp() override {
        SetEnvironmentVariableA("VANTREL_BACKUP_FOLDER", (TempFolder("vantrel-backups") + "\\Backups").c_str());
    }
    void TearDown() override { RemoveTree(TempFolder("vantrel-backups")); }
};
::testing::Environment* const kBackupFolder = ::testing::AddGlobalTestEnvironment(new BackupFolderOfTheTests);

class DailyBackupTest : public ::testing::Test {
protected:
    void SetUp() override {
        char previous[MAX_PATH] = "";
        GetEnvironmentVariableA("VANTREL_BACKUP_FOLDER", previous, MAX_PATH);
        previous_ = previous;
        CreateDirectoryA(folder_.c_str(), nullptr);
        // Two levels that do not exist yet.
        SetEnvironmentVariableA("VANTREL_BACKUP_FOLDER", backups_.c_str());
    }
    void TearDown() override {
        SetEnvironmentVariableA("VANTREL_BACKUP_FOLDER", previous_.c_str());
        RemoveTree(folder_);
    }

    std::vector<std::string> BackupNames() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        const HANDLE search = FindFirstFileA((backups_ + "\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        std::sort(names.begin(), names.end());
        return names;
    }
    static std::string Today(const std::string& document) {
        SYSTEMTIME now;
        GetLocalTime(&now);
        return DailyBackupName(document, {now.wYear, now.wMonth, now.wDay});
    }

    std::string folder_ = TempFolder("vantrel-daily");
    std::string backups_ = folder_ + "\\Local\\Backups";
    std::string previous_;
};

TEST_F(DailyBackupTest, FirstSaveOfTheDayKeepsTheReplacedVersionAndTheNewestSeven) {
    const std::string document = folder_ + "\\Budget.pgr";
    std::string failure;
    EXPECT_TRUE(KeepDailyBackup(document, failure));  // nothing to keep yet
    EXPECT_TRUE(BackupNames().empty());

    // Another document's first backup makes the folders.
    const std::string notes = folder_ + "\\Notes.pgr";
    ASSERT_TRUE(ReplaceDocumentFile(notes, "notes"));
    EXPECT_TRUE(KeepDailyBackup(notes, failure)) << failure;

    ASSERT_TRUE(ReplaceDocumentFile(document, "version 1"));
    SetFileAttributesA(document.c_str(), FILE_ATTRIBUTE_HIDDEN);
    // Eight older backups of this document and one of another of its name.
    std::vector<std::string> kept;
    for (int day = 1; day <= 8; ++day) {
        const std::string name = DailyBackupName(document, {2001, 1, day});
        ASSERT_TRUE(ReplaceDocumentFile(backups_ + "\\" + name, "old"));
        if (day > 2) kept.push_back(name);
    }
    const std::string other = DailyBackupName(folder_ + "\\Other\\Budget.pgr", {2000, 1, 1});
    ASSERT_TRUE(ReplaceDocumentFile(backups_ + "\\" + other, "other"));

    EXPECT_TRUE(KeepDailyBackup(document, failure)) << failure;
    ASSERT_TRUE(ReplaceDocumentFile(document, "version 2"));
    EXPECT_TRUE(KeepDailyBackup(document, failure)) << failure;  // today's is there already

    const std::string today = Today(document);
    std::string bytes;
    ASSERT_TRUE(ReadDocumentFile(backups_ + "\\" + today, bytes));
    EXPECT_EQ("version 1", bytes);
    EXPECT_FALSE(GetFileAttributesA((backups_ + "\\" + today).c_str()) & FILE_ATTRIBUTE_HIDDEN);
    // Six older ones and today's; the other documents' stay; no temporary file.
    kept.push_back(today);
    kept.push_back(other);
    kept.push_back(Today(notes));
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(kept, BackupNames());
}

// Stands in for the file dialogs, which these saves never open.
class NoDialogs : public DocumentFileChooser {
public:
    bool ChooseFileToOpen(HWND, std::string&) override { return false; }
    bool ChooseFileToSave(HWND, const std::string&, std::string&) override { return false; }
};

TEST_F(DailyBackupTest, ABackupThatCannotBeWrittenLeavesTheSaveToGoOnAndSaysWhy) {
    // The backup folder would have to be made inside a file.
    const std::string blocker = folder_ + "\\Local";
    ASSERT_TRUE(ReplaceDocumentFile(blocker, "a file"));
    const std::string document = folder_ + "\\Budget.pgr";
    ASSERT_TRUE(ReplaceDocumentFile(document, "version 1"));

    PimDocument pim;
    RecentFileList recent(SameFilePath);
    NoDialogs dialogs;
    DocumentLife life(pim, recent, dialogs);
    std::vector<std::string> shown;
    life.SetStatusText([&shown](const std::string& text) { shown.push_back(text); });
    EXPECT_TRUE(life.SaveTo(document));

    std::string bytes;
    ASSERT_TRUE(ReadDocumentFile(document, bytes));
    EXPECT_NE("version 1", bytes);
    ASSERT_EQ(1u, shown.size());
    const std::string lead = "The daily backup could not be written: ";
    EXPECT_EQ(lead, shown[0].substr(0, lead.size()));
    EXPECT_GT(shown[0].size(), lead.size() + 1);
    EXPECT_EQ('.', shown[0].back());
    EXPECT_NE("..", shown[0].substr(shown[0].size() - 2));
}

}  // namespace
