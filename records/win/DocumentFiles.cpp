#include "DocumentFiles.h"

#include <windows.h>

#include <algorithm>

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

}  // namespace

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
    if (!written || !MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temporary);
        return false;
    }
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
