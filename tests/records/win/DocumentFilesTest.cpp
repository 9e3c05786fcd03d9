// Reading and replacing document files on the real file system.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "DocumentFiles.h"

namespace {

// A fresh folder under the temporary folder, removed with what it holds.
class DocumentFolder : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "vantrel-files-" + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr) ||
                    GetLastError() == ERROR_ALREADY_EXISTS);
    }
    void TearDown() override {
        for (const std::string& name : Names()) {
            const std::string path = folder_ + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
        RemoveDirectoryA(folder_.c_str());
    }

    std::string Path(const char* name) const { return folder_ + "\\" + name; }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder_ + "\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            const std::string name = found.cFileName;
            if (name != "." && name != "..") names.push_back(name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return names;
    }

    std::string Read(const char* name) const {
        std::string bytes;
        EXPECT_TRUE(ReadDocumentFile(Path(name), bytes));
        return bytes;
    }

    std::string folder_;
};

TEST_F(DocumentFolder, WritesNewAndReplacesExistingFilesLeavingNoTemporaryFile) {
    const std::string first = "<Pim>\r\n\0with a zero</Pim>";
    ASSERT_TRUE(ReplaceDocumentFile(Path("diary.pgr"), first));
    EXPECT_EQ(first, Read("diary.pgr"));
    ASSERT_TRUE(ReplaceDocumentFile(Path("diary.pgr"), "shorter"));
    EXPECT_EQ("shorter", Read("diary.pgr"));
    EXPECT_EQ(std::vector<std::string>{"diary.pgr"}, Names());

    // The string keeps a zero byte after what was read, for the parser.
    std::string bytes;
    ASSERT_TRUE(ReadDocumentFile(Path("diary.pgr"), bytes));
    EXPECT_EQ('\0', bytes.c_str()[bytes.size()]);
}

TEST_F(DocumentFolder, ReadOnlyTargetStaysIntactAndTheTemporaryFileGoes) {
    ASSERT_TRUE(ReplaceDocumentFile(Path("locked.pgr"), "old bytes"));
    ASSERT_TRUE(SetFileAttributesA(Path("locked.pgr").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(ReplaceDocumentFile(Path("locked.pgr"), "new bytes"));
    EXPECT_EQ("old bytes", Read("locked.pgr"));
    EXPECT_EQ(std::vector<std::string>{"locked.pgr"}, Names());
}

TEST_F(DocumentFolder, ReplacedFileKeepsWhatTheUserSetOnIt) {
    // Wine keeps every file's archive mark, so only files that have it are
    // asked about; a changed file should have it anyway.
    const DWORD cases[] = {FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE,
                           FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE};
    const DWORD shown = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    for (const DWORD attributes : cases) {
        ASSERT_TRUE(ReplaceDocumentFile(Path("set.pgr"), "old bytes"));
        ASSERT_TRUE(SetFileAttributesA(Path("set.pgr").c_str(), attributes));
        ASSERT_EQ(attributes, GetFileAttributesA(Path("set.pgr").c_str()) & shown);
        ASSERT_TRUE(ReplaceDocumentFile(Path("set.pgr"), "new bytes"));
        EXPECT_EQ("new bytes", Read("set.pgr"));
        EXPECT_EQ(attributes, GetFileAttributesA(Path("set.pgr").c_str()) & shown);
        EXPECT_EQ(std::vector<std::string>{"set.pgr"}, Names());
        SetFileAttributesA(Path("set.pgr").c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(DocumentFolder, ASaveRemovesOnlyTemporaryFilesOfOursThatNobodyWritesAnyMore) {
    // name, last written minutes ago, held open, left after the save
    const struct {
        const char* name;
        int minutesAgo;
        bool held;
        bool stays;
    } files[] = {
        {"VTR1A.tmp", 60, false, false},
        {"VTR1B.tmp", 1, false, true},   // a save may be writing it
        {"VTR1C.tmp", 60, true, true},   // a program still has it open
        {"VTRX.tmp", 60, false, true},   // not a name of ours
        {"old.tmp", 60, false, true},
    };
    std::vector<HANDLE> held;
    std::vector<std::string> staying = {"diary.pgr"};
    for (const auto& file : files) {
        HANDLE handle = CreateFileA(Path(file.name).c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, handle);
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        ULARGE_INTEGER time = {{now.dwLowDateTime, now.dwHighDateTime}};
        time.QuadPart -= file.minutesAgo * 60ULL * 10000000ULL;
        const FILETIME written = {time.LowPart, time.HighPart};
        ASSERT_TRUE(SetFileTime(handle, nullptr, nullptr, &written));
        if (file.held) held.push_back(handle);
        else CloseHandle(handle);
        if (file.stays) staying.push_back(file.name);
    }
    ASSERT_TRUE(ReplaceDocumentFile(Path("diary.pgr"), "bytes"));
    for (HANDLE handle : held) CloseHandle(handle);
    std::vector<std::string> names = Names();
    std::sort(names.begin(), names.end());
    std::sort(staying.begin(), staying.end());
    EXPECT_EQ(staying, names);
}

TEST_F(DocumentFolder, VanishedFolderFailsWithoutWritingAnything) {
    const std::string gone = folder_ + "\\no such folder\\diary.pgr";
    EXPECT_FALSE(ReplaceDocumentFile(gone, "bytes"));
    EXPECT_TRUE(Names().empty());
}

TEST_F(DocumentFolder, ReadingFailsForMissingAndLockedFiles) {
    std::string bytes = "untouched";
    EXPECT_FALSE(ReadDocumentFile(Path("missing.pgr"), bytes));
    EXPECT_EQ("untouched", bytes);

    ASSERT_TRUE(ReplaceDocumentFile(Path("busy.pgr"), "bytes"));
    HANDLE holder = CreateFileA(Path("busy.pgr").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    EXPECT_FALSE(ReadDocumentFile(Path("busy.pgr"), bytes));
    CloseHandle(holder);
    EXPECT_EQ("bytes", Read("busy.pgr"));
}

}  // namespace
