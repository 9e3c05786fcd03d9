#include "RecoveryStore.h"

#include <shlobj.h>

#include "DocumentFile.h"
#include "DocumentFiles.h"
#include "PimDocument.h"

namespace {

// FILETIME counts 100 ns from 1601; Unix time seconds from 1970.
const uint64_t kUnixEpochAsFileTime = 116444736000000000ULL;

uint64_t FileTimeValue(const FILETIME& time) {
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

int64_t UnixTimeOf(const FILETIME& time) {
    const uint64_t value = FileTimeValue(time);
    return value < kUnixEpochAsFileTime ? 0 : static_cast<int64_t>((value - kUnixEpochAsFileTime) / 10000000ULL);
}

const int64_t kAbandonedAfterSeconds = 60;

int64_t SecondsSince(const FILETIME& time) {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return static_cast<int64_t>(FileTimeValue(now) - FileTimeValue(time)) / 10000000;
}

bool MakeFolder(const std::string& folder) {
    return CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

// Deletes the file only if nobody has it open: the open without sharing
// fails while a program still writes it, and otherwise the file goes when
// this handle closes.
void DeleteIfUnused(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | DELETE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

}  // namespace

std::string DefaultRecoveryFolder() {
    char base[MAX_PATH] = "";
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, base)))
        return "";
    const std::string vantrel = std::string(base) + "\\Vantrel";
    const std::string recovery = vantrel + "\\Recovery";
    if (!MakeFolder(vantrel) || !MakeFolder(recovery)) return "";
    return recovery;
}

void RegisterForRestart() {
    // Vista and later; the import is looked up so that older systems and
    // headers without it still run the program.
    using RegisterRestart = HRESULT(WINAPI*)(PCWSTR, DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (!kernel) return;
    auto registerRestart =
        reinterpret_cast<RegisterRestart>(reinterpret_cast<void*>(GetProcAddress(kernel, "RegisterApplicationRestart")));
    if (registerRestart) registerRestart(L"", 0);
}

RecoveryStore::RecoveryStore(std::string folder) : folder_(std::move(folder)) {}

RecoveryStore::~RecoveryStore() {
    if (IsOpen()) CloseHandle(lock_);
}

bool RecoveryStore::Open() {
    if (IsOpen()) return true;
    if (folder_.empty()) folder_ = DefaultRecoveryFolder();
    if (folder_.empty() || !MakeFolder(folder_)) return false;
    FILETIME now = {};
    GetSystemTimeAsFileTime(&now);
    // A clock coarser than two starts in a row gives one name twice: the
    // later start then takes the next one.
    for (uint64_t start = FileTimeValue(now); !IsOpen() && start < FileTimeValue(now) + 16; ++start) {
        session_ = RecoverySessionName(GetCurrentProcessId(), start);
        // Deleted when the handle closes, also when the process is killed: a
        // lock that is gone or that opens belongs to a program that has ended.
        lock_ = CreateFileA(PathOf(RecoveryLockFileName(session_)).c_str(), GENERIC_WRITE | DELETE, 0,
                            nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE,
                            nullptr);
    }
    return IsOpen();
}

bool RecoveryStore::WriteCopy(const PimDocument& document, int64_t unixTime) {
    if (!IsOpen()) return false;
    const std::string copy = RecoveryCopyFileName(session_, document.Path());
    const std::string note = RecoveryNoteFileName(copy);
    const std::string noteText = FormatRecoveryNote({document.Path(), unixTime});
    if (!ReplaceDocumentFile(PathOf(note), noteText)) return false;
    // The document goes to the disk exactly as File > Save would write it.
    std::string text;
    WriteDocument(document, text);
    if (!ReplaceDocumentFile(PathOf(copy), text)) {
        // The note must not claim a time its copy does not hold.
        if (copy == copyFile_) ReplaceDocumentFile(PathOf(note), lastNote_);
        else DeleteFileA(PathOf(note).c_str());
        return false;
    }
    if (!copyFile_.empty() && copyFile_ != copy) RemoveCopy();
    copyFile_ = copy;
    lastNote_ = noteText;
    return true;
}

void RecoveryStore::RemoveCopy() {
    if (copyFile_.empty()) return;
    DeleteFileA(PathOf(copyFile_).c_str());
    DeleteFileA(PathOf(RecoveryNoteFileName(copyFile_)).c_str());
    copyFile_.clear();
    lastNote_.clear();
}

bool RecoveryStore::SessionRuns(const std::string& session) const {
    if (session == session_) return true;
    HANDLE lock = CreateFileA(PathOf(RecoveryLockFileName(session)).c_str(), GENERIC_READ | DELETE, 0,
                              nullptr, OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (lock != INVALID_HANDLE_VALUE) {
        CloseHandle(lock);  // and with it the stale lock
        return false;
    }
    // Only a lock that is not there says the program ended; a refused open
    // (held without sharing, or anything unexpected) keeps its copies safe.
    const DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

std::vector<RecoveryLeftover> RecoveryStore::FindLeftovers() {
    struct Found {
        std::string name;
        RecoveryFileKind kind;
        std::string session;
        FILETIME written;
    };
    std::vector<Found> files;
    WIN32_FIND_DATAA found = {};
    HANDLE search = FindFirstFileA(PathOf("*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return {};
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::string name = found.cFileName;
        std::string session;
        const RecoveryFileKind kind = ClassifyRecoveryFile(name, session);
        if (kind != RecoveryFileKind::kNotOurs) {
            files.push_back({name, kind, session, found.ftLastWriteTime});
        } else if (name.size() > 3 &&
                   CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name.c_str(), 3, "VTR", 3) == CSTR_EQUAL &&
                   SecondsSince(found.ftLastWriteTime) >= kAbandonedAfterSeconds) {
            // A copy's temporary file, left by a program killed while it
            // wrote; one written within the last minute may be about to take
            // its copy's place, between its last write and its move.
            DeleteIfUnused(PathOf(name));
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);

    std::vector<RecoveryLeftover> leftovers;
    for (const Found& file : files) {
        if (file.kind == RecoveryFileKind::kLock || SessionRuns(file.session)) continue;
        const std::string note = RecoveryNoteFileName(file.name);
        if (file.kind == RecoveryFileKind::kNote) {
            if (GetFileAttributesA(PathOf(file.name.substr(0, file.name.size() - 4) + ".pgr").c_str()) ==
                INVALID_FILE_ATTRIBUTES)
                DeleteFileA(PathOf(file.name).c_str());
            continue;
        }
        RecoveryLeftover leftover{file.name, note, {}};
        std::string text;
        if (!ReadDocumentFile(PathOf(note), text) || !ParseRecoveryNote(text, leftover.note)) {
            // The note is always written first, so this is rare; the copy is
            // still offered, as an untitled document from its file's time.
            leftover.note = {"", UnixTimeOf(file.written)};
        }
        leftovers.push_back(leftover);
    }
    SortNewestFirst(leftovers);
    return leftovers;
}

void RecoveryStore::Discard(const RecoveryLeftover& leftover) {
    DeleteFileA(PathOf(leftover.copyFile).c_str());
    DeleteFileA(PathOf(leftover.noteFile).c_str());
}

bool RecoveryStore::Adopt(const RecoveryLeftover& leftover, const std::string& documentPath) {
    if (!IsOpen()) return false;
    const std::string copy = RecoveryCopyFileName(session_, documentPath);
    const std::string noteText = FormatRecoveryNote({documentPath, leftover.note.unixTime});
    // Our note first, then the copy under our name: killed in between, the
    // copy is still offered once with its note.
    if (!ReplaceDocumentFile(PathOf(RecoveryNoteFileName(copy)), noteText)) return false;
    if (!MoveFileExA(PathOf(leftover.copyFile).c_str(), PathOf(copy).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(PathOf(RecoveryNoteFileName(copy)).c_str());
        return false;
    }
    DeleteFileA(PathOf(leftover.noteFile).c_str());
    if (!copyFile_.empty() && copyFile_ != copy) RemoveCopy();
    copyFile_ = copy;
    lastNote_ = noteText;
    return true;
}
