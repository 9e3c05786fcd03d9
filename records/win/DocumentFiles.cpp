#include "DocumentFiles.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "SaveHousekeeping.h"

namespace {

// Closes a file handle when the function using it returns, whichever way.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    bool Close() {
        if (!IsOpen()) return true;
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

// The folder part of a path ("." when it names none), where the temporary
// file goes so that the final move stays within one volume.
std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos) {
        // "C:name" is relative to drive C's current folder.
        return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : std::string(".");
    }
    if (slash == 0 || (slash == 2 && path[1] == ':')) return path.substr(0, slash + 1);  // a root
    return path.substr(0, slash);
}

// `name` in `folder`, which may be a root ("C:\\") or a drive's current
// folder ("C:").
std::string InFolder(const std::string& folder, const std::string& name) {
    const char last = folder.empty() ? '\\' : folder.back();
    return last == '\\' || last == '/' || last == ':' ? folder + name : folder + "\\" + name;
}

bool WriteWhole(HANDLE file, const char* bytes, size_t size) {
    // WriteFile takes a 32-bit count; write larger pieces in parts.
    size_t written = 0;
    while (written < size) {
        const DWORD piece = static_cast<DWORD>(std::min<size_t>(size - written, 1u << 30));
        DWORD done = 0;
        if (!WriteFile(file, bytes + written, piece, &done, nullptr) || done != piece) return false;
        written += done;
    }
    return true;
}

bool WriteTemporaryFile(const std::string& temporary,
                        const std::function<bool(const FilePieceWriter& write)>& produce) {
    FileHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) return false;
    bool written = true;
    const FilePieceWriter write = [&file, &written](const char* bytes, size_t size) {
        written = written && WriteWhole(file.Get(), bytes, size);
        return written;
    };
    // The bytes must be on the disk before the file takes the document's
    // place, or a crash could leave an empty document behind.
    if (!produce(write) || !written || !FlushFileBuffers(file.Get())) return false;
    return file.Close();
}

// What the user set on the file being replaced, carried over to its
// replacement: hidden, system and not-indexed, the creation time and who
// may read and write it.
// ReplaceFile does this and more on Windows, but not every system that runs
// us does it, and the plain move done where ReplaceFile refuses does not.
// The archive mark stays set, as a changed file's should.
void TakeOverFileProperties(const std::string& target, const char* temporary, DWORD attributes) {
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA(target.c_str(), GetFileExInfoStandard, &data)) {
        FileHandle file(CreateFileA(temporary, FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.IsOpen()) SetFileTime(file.Get(), &data.ftCreationTime, nullptr, nullptr);
    }
    SetFileAttributesA(temporary, (attributes & kept) | FILE_ATTRIBUTE_ARCHIVE);
    // Who may read and write the document: its own access list, if it has one.
    DWORD size = 0;
    GetFileSecurityA(target.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &size);
    if (size > 0) {
        std::vector<char> security(size);
        if (GetFileSecurityA(target.c_str(), DACL_SECURITY_INFORMATION, security.data(), size, &size))
            SetFileSecurityA(temporary, DACL_SECURITY_INFORMATION, security.data());
    }
}

// Windows' ReplaceFile renames the replacement over the target in one step
// once it has taken over the target's properties. Wine's moves the target
// aside and deletes it before the replacement takes its name, so a save
// killed in between would leave no document at all: there the plain move,
// which is one step, serves, with the properties taken over by us.
bool ReplaceFileKeepsTheTargetWhole() {
    static const bool whole =
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") == nullptr;
    return whole;
}

// Puts the finished temporary file in the target's place. An existing
// target is replaced with ReplaceFile, which keeps its attributes, security,
// alternate streams and identity (shortcuts to it keep working); a new one,
// or one on a file system where ReplaceFile refuses, with one move, as
// before. Hard links to the old file go on naming the old bytes.
bool PutInPlace(const char* temporary, const std::string& path) {
    const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return MoveFileExA(temporary, path.c_str(), flags) != 0;
    TakeOverFileProperties(path, temporary, attributes);
    if (!ReplaceFileKeepsTheTargetWhole()) return MoveFileExA(temporary, path.c_str(), flags) != 0;
    if (ReplaceFileA(path.c_str(), temporary, nullptr,
                     REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr, nullptr))
        return true;
    // Whatever ReplaceFile refused, the temporary file is still there: either
    // both files are as they were (a file system without its support, for
    // one) or the target was taken away before the replacement could be
    // renamed (ERROR_UNABLE_TO_MOVE_REPLACEMENT). The move serves both.
    return MoveFileExA(temporary, path.c_str(), flags) != 0;
}

}  // namespace

void RemoveLeftoverTemporaryFiles(const std::string& folder) {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& time) {
        return static_cast<long long>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) |
                                      time.dwLowDateTime);
    };
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(InFolder(folder, "VTR*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        // We never make our temporary files read-only, system files or folders.
        if (found.dwFileAttributes &
            (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM))
            continue;
        const long long ageSeconds = (ticks(now) - ticks(found.ftLastWriteTime)) / 10000000;
        if (!IsLeftoverTemporaryFile(found.cFileName, ageSeconds)) continue;
        // Only a file nobody has open can be opened without sharing; it goes
        // when that handle closes, so no program can open it in between.
        const HANDLE file = CreateFileA(InFolder(folder, found.cFileName).c_str(), DELETE, 0, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

bool ReadDocumentFile(const std::string& path, std::string& bytes) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) >= 0x7fffffffULL)
        return false;
    std::string contents(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!contents.empty() &&
        (!ReadFile(file.Get(), &contents[0], static_cast<DWORD>(contents.size()), &read, nullptr) ||
         read != contents.size()))
        return false;
    bytes.swap(contents);
    return true;
}

bool ReplaceDocumentFile(const std::string& path, const std::string& text) {
    return ReplaceDocumentFileInPieces(
        path, [&text](const FilePieceWriter& write) { return write(text.data(), text.size()); });
}

bool ReplaceDocumentFileInPieces(const std::string& path,
                                 const std::function<bool(const FilePieceWriter& write)>& produce) {
    // Windows refuses to move a file over a read-only one, but not every
    // system that runs us does: a document the user protected stays as it is.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
    char temporary[MAX_PATH];
    if (GetTempFileNameA(FolderOf(path).c_str(), "VTR", 0, temporary) == 0) return false;
    bool written = false;
    try {
        written = WriteTemporaryFile(temporary, produce);
    } catch (...) {
        // Whatever stopped the bytes, the half-written file goes and the
        // caller hears of a failure; the window that asked must not see the
        // exception.
        written = false;
    }
    if (!written) {
        DeleteFileA(temporary);
        return false;
    }
    if (!PutInPlace(temporary, path)) {
        // While the target is there, the temporary file is of no use. Should
        // a failed replacement have taken the target away, the temporary
        // file holds the only copy of the document on the disk: it stays.
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) DeleteFileA(temporary);
        return false;
    }
    // Saves killed midway leave their temporary files here; this one went
    // well, so it tidies up after them.
    RemoveLeftoverTemporaryFiles(FolderOf(path));
    return true;
}

DocumentFileStamp ReadDocumentFileStamp(const std::string& path) {
    DocumentFileStamp stamp;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return stamp;
    stamp.exists = true;
    stamp.size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp.lastWrite = (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                      data.ftLastWriteTime.dwLowDateTime;
    return stamp;
}
