// The recovery kill test's victim: loads a document, then until killed adds
// a task "Kill step N" and writes the recovery copy with the program's code,
// logging "begin N" and "done N" around it for the test to read.
//
//   recovery_kill_child <recovery folder> <document> <log>
#include <windows.h>

#include <ctime>
#include <string>

#include "DocumentFile.h"
#include "DocumentFiles.h"
#include "PimDocument.h"
#include "RecoveryStore.h"

namespace {

void Log(HANDLE log, const std::string& line) {
    const std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(log, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    RecoveryStore store(argv[1]);
    if (!store.Open()) return 3;
    PimDocument document;
    std::string bytes;
    if (!ReadDocumentFile(argv[2], bytes) ||
        LoadDocumentText(document, bytes.data(), bytes.size()) != LoadResult::kLoaded)
        return 4;
    document.SetPath(argv[2]);
    HANDLE log = CreateFileA(argv[3], GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) return 5;
    Log(log, "loaded");
    for (int step = 1;; ++step) {
        Task task;
        task.ID = document.tasks.IssueID();
        task.Description = "Kill step " + std::to_string(step);
        document.tasks.Insert(task.ID, task);
        document.SetModified(true, false);
        Log(log, "begin " + std::to_string(step));
        // The test's own look at the folder may take a temporary file away
        // between its writing and its move: the copy then stays as it was.
        const bool written = store.WriteCopy(document, static_cast<int64_t>(std::time(nullptr)));
        Log(log, (written ? "done " : "failed ") + std::to_string(step));
    }
}
