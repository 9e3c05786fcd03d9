#include "DailyBackup.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "DocumentFiles.h"
#include "SaveHousekeeping.h"

namespace {

const char kFolderVariable[] = "VANTREL_BACKUP_FOLDER";

// The system's text for an error code, without its line end and full stop.
std::string SystemErrorText(DWORD code) {
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length && buffer ? std::string(buffer, length) : std::string();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == '.' || text.back() == ' ' || text.back() == '\r' ||
                             text.back() == '\n'))
        text.pop_back();
    return text.empty() ? "error " + std::to_string(code) : text;
}

// Creates `folder` and the folders above it that are missing.
bool CreateFolders(const std::string& folder) {
    for (size_t slash = folder.find_first_of("\\/", 1); slash != std::string::npos;
         slash = folder.find_first_of("\\/", slash + 1))
        CreateDirectoryA(folder.substr(0, slash).c_str(), nullptr);  // roots and shares refuse
    CreateDirectoryA(folder.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> DocumentNamesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*.pgr").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

bool Fail(std::string& failure, DWORD error) {
    failure = SystemErrorText(error);
    return false;
}

}  // namespace

std::string DailyBackupFolder() {
    char path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA(kFolderVariable, path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) return path;
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr,
                                SHGFP_TYPE_CURRENT, path)))
        return "";
    return std::string(path) + "\\Vantrel\\Backups";
}

bool KeepDailyBackup(const std::string& documentPath, std::string& failure) {
    // The name's hash is of the full path, however the document was named.
    char full[MAX_PATH];
    const DWORD fullLength = GetFullPathNameA(documentPath.c_str(), MAX_PATH, full, nullptr);
    const std::string path = fullLength > 0 && fullLength < MAX_PATH ? full : documentPath;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;

    const std::string folder = DailyBackupFolder();
    if (folder.empty()) {
        failure = "there is no folder for application data";
        return false;
    }
    if (!CreateFolders(folder)) return Fail(failure, GetLastError());
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::string backup =
        folder + "\\" + DailyBackupName(path, {now.wYear, now.wMonth, now.wDay});
    if (GetFileAttributesA(backup.c_str()) != INVALID_FILE_ATTRIBUTES) return true;

    // Copied under a temporary name first: a copy cut short must not pass
    // for today's backup.
    char temporary[MAX_PATH];
    if (GetTempFileNameA(folder.c_str(), "VTR", 0, temporary) == 0) return Fail(failure, GetLastError());
    if (!CopyFileA(path.c_str(), temporary, FALSE) ||
        // A hidden document's backup is shown in the Open dialog all the same.
        !SetFileAttributesA(temporary, FILE_ATTRIBUTE_NORMAL) ||
        !MoveFileExA(temporary, backup.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        const DWORD error = GetLastError();
        DeleteFileA(temporary);
        return Fail(failure, error);
    }

    for (const std::string& old : DailyBackupsToRemove(DocumentNamesIn(folder), path))
        DeleteFileA((folder + "\\" + old).c_str());  // one the user made read-only stays
    RemoveLeftoverTemporaryFiles(folder);
    return true;
}
