// Recovery copies against a killed program: a child writes copies of a
// 100,000-record document in a loop and is killed at a random moment; the
// copy left must load and hold a state the child wrote, the document stay
// untouched, nothing else remain. VANTREL_KILL_ROUNDS rounds (default 10).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "DocumentFile.h"
#include "DocumentFiles.h"
#include "PimDocument.h"
#include "RecoveryStore.h"

namespace {

const int kRecords = 100000;

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found = {};
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// The steps the child's log says it began and finished last (0: none). The
// C library opens the file shared, so the child may go on writing it.
void ReadLog(const std::string& path, int& begun, int& done, bool& loaded) {
    std::ifstream log(path);
    begun = done = 0;
    loaded = false;
    int step = 0;
    for (std::string line; std::getline(log, line);) {
        loaded = loaded || line.compare(0, 6, "loaded") == 0;
        if (std::sscanf(line.c_str(), "begin %d", &step) == 1) begun = step;
        if (std::sscanf(line.c_str(), "done %d", &step) == 1) done = step;
    }
}

TEST(RecoveryKill, ALeftCopyAlwaysLoadsAndHoldsTheStateOfACompletedCopy) {
    char roundsText[16] = "";
    const int rounds = GetEnvironmentVariableA("VANTREL_KILL_ROUNDS", roundsText, sizeof roundsText)
                           ? std::atoi(roundsText) : 10;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string work = std::string(temp) + "vantrel-kill-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(work.c_str(), nullptr);
    const std::string folder = work + "\\Recovery";
    const std::string documentPath = work + "\\large.pgr";
    const std::string logPath = work + "\\child.log";
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string child = program;
    child = child.substr(0, child.find_last_of('\\') + 1) + "recovery_kill_child.exe";

    // A run that stopped halfway may have left its files (Wine gives process ids again).
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const std::string& name : FilesIn(folder)) DeleteFileA((folder + "\\" + name).c_str());
    std::string original;
    {
        PimDocument document;
        for (int i = 0; i < kRecords; ++i) {
            const int kind = i % 3;
            const std::string text = "Record " + std::to_string(i) + " & <more>";
            if (kind == 0) { Person p; p.ID = document.persons.IssueID(); p.RName = text; p.WhitePages = 1; document.persons.Insert(p.ID, p); }
            if (kind == 1) { Task t; t.ID = document.tasks.IssueID(); t.Description = text; document.tasks.Insert(t.ID, t); }
            if (kind == 2) { Appointment a; a.ID = document.appointments.IssueID(); a.Description = text; a.DueDate = DateTime::Today(); a.StartTime = a.EndTime = a.DueDate; document.appointments.Insert(a.ID, a); }
        }
        WriteDocument(document, original);
        ASSERT_TRUE(ReplaceDocumentFile(documentPath, original));
    }
    const size_t baseTasks = (kRecords + 1) / 3;

    std::mt19937 random(20261207);
    int killedWhileWriting = 0, leftCopies = 0;
    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        std::string command = "\"" + child + "\" \"" + folder + "\" \"" + documentPath + "\" \"" + logPath + "\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process = {};
        DeleteFileA(logPath.c_str());
        ASSERT_TRUE(CreateProcessA(child.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &process));
        int begun = 0, done = 0;
        bool loaded = false;
        for (int wait = 0; wait < 6000 && !loaded && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT; ++wait) {
            Sleep(10);
            ReadLog(logPath, begun, done, loaded);
        }
        Sleep(std::uniform_int_distribution<int>(0, 2500)(random));
        {
            // While the child runs, its copy is not offered to anybody.
            RecoveryStore other(folder);
            ASSERT_TRUE(other.Open());
            EXPECT_TRUE(other.FindLeftovers().empty());
        }
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        ASSERT_TRUE(loaded) << "the child did not load the document";
        ReadLog(logPath, begun, done, loaded);
        if (begun > done) ++killedWhileWriting;

        {
            RecoveryStore next(folder);
            ASSERT_TRUE(next.Open());
            const std::vector<RecoveryLeftover> leftovers = next.FindLeftovers();
            // A copy the child finished is always left, and never more than one.
            ASSERT_EQ(done > 0 ? 1u : std::min<size_t>(leftovers.size(), 1), leftovers.size())
                << "done " << done << ", files " << ::testing::PrintToString(FilesIn(folder));
            if (!leftovers.empty()) {
                ++leftCopies;
                EXPECT_EQ(documentPath, leftovers[0].note.documentPath);
                std::string bytes;
                PimDocument copy;
                ASSERT_TRUE(ReadDocumentFile(next.PathOf(leftovers[0].copyFile), bytes));
                ASSERT_EQ(LoadResult::kLoaded, LoadDocumentText(copy, bytes.data(), bytes.size()));
                const int step = static_cast<int>(copy.tasks.size() - baseTasks);
                EXPECT_TRUE(step == done || step == begun) << step << " begun " << begun << " done " << done;
                EXPECT_EQ("Kill step " + std::to_string(step), copy.tasks[copy.tasks.LargestID()].Description);
                EXPECT_EQ(static_cast<size_t>((kRecords + 2) / 3), copy.persons.size());
                next.Discard(leftovers[0]);
            }
        }
        // Only temporary files of killed writes may stay (they go once a minute old).
        for (const std::string& name : FilesIn(folder)) {
            EXPECT_EQ(0u, name.find("VTR")) << name;
            DeleteFileA((folder + "\\" + name).c_str());
        }
        std::string document;
        ASSERT_TRUE(ReadDocumentFile(documentPath, document));
        EXPECT_TRUE(document == original) << "the document changed";
    }
    std::printf("%d rounds: %d left a copy, %d killed while writing\n", rounds, leftCopies, killedWhileWriting);
    DeleteFileA(logPath.c_str());
    DeleteFileA(documentPath.c_str());
    RemoveDirectoryA(folder.c_str());
    RemoveDirectoryA(work.c_str());
}

}  // namespace
