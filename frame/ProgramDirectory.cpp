#include "ProgramDirectory.h"

#include <windows.h>

std::string FolderOf(const std::string& fileName) {
    const size_t slash = fileName.find_last_of('\\');
    return slash == std::string::npos ? std::string() : fileName.substr(0, slash);
}

std::string ProgramDirectory() {
    char fileName[MAX_PATH] = "";
    const DWORD length = GetModuleFileNameA(nullptr, fileName, MAX_PATH);
    return FolderOf(std::string(fileName, length < MAX_PATH ? length : 0));
}
