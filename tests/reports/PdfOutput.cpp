#include "PdfOutput.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace {

std::string ReadWholeFile(const std::string& windowsPath) {
    std::ifstream in(windowsPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// cups-pdf writes the file in place: it is done when it ends with the PDF
// trailer and has stopped growing.
bool IsComplete(const std::string& windowsPath) {
    const std::string first = ReadWholeFile(windowsPath);
    if (first.size() < 8 || first.find("%%EOF", first.size() - 8) == std::string::npos) return false;
    Sleep(100);
    return ReadWholeFile(windowsPath).size() == first.size();
}

}  // namespace

std::string PdfOutput::Folder() {
    char folder[MAX_PATH] = "";
    const DWORD length = GetEnvironmentVariableA("VANTREL_TEST_PDF_DIR", folder, sizeof folder);
    return length > 0 && length < sizeof folder ? std::string(folder) : std::string();
}

std::string PdfOutput::WindowsPath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

bool PdfOutput::RunShell(const std::string& script, const std::string& resultFile,
                         DWORD timeLimitMs) {
    const std::string partial = resultFile + ".part";
    DeleteFileA(WindowsPath(resultFile).c_str());
    // The Windows quoting of the command line becomes the shell's argv.
    std::string line = "/bin/sh -c \"(" + script + ") > '" + partial + "' && mv '" + partial +
                       "' '" + resultFile + "'\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const DWORD start = GetTickCount();
    while (GetFileAttributesA(WindowsPath(resultFile).c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount() - start > timeLimitMs) return false;
        Sleep(20);
    }
    return true;
}

PdfOutput::PdfOutput() : folder_(Folder()), before_(PdfFiles()) {}

PdfOutput::~PdfOutput() {
    for (const std::string& file : read_) {
        DeleteFileA(WindowsPath(file).c_str());
        DeleteFileA(WindowsPath(file + ".txt").c_str());
        DeleteFileA(WindowsPath(file + ".txt.part").c_str());
    }
}

std::set<std::string> PdfOutput::PdfFiles() const {
    std::set<std::string> files;
    if (folder_.empty()) return files;
    WIN32_FIND_DATAA found = {};
    HANDLE search = FindFirstFileA((WindowsPath(folder_) + "\\*.pdf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        files.insert(folder_ + "/" + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
}

size_t PdfOutput::NewFileCount() const {
    size_t count = 0;
    for (const std::string& file : PdfFiles()) count += before_.count(file) ? 0 : 1;
    return count;
}

std::string PdfOutput::NextDocumentText(DWORD timeLimitMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeLimitMs) {
        for (const std::string& file : PdfFiles()) {
            if (before_.count(file) || !IsComplete(WindowsPath(file))) continue;
            before_.insert(file);
            read_.push_back(file);
            lastFile_ = file;
            const std::string text = file + ".txt";
            if (!RunShell("/usr/bin/pdftotext -layout '" + file + "' -", text)) return "";
            return ReadWholeFile(WindowsPath(text));
        }
        Sleep(100);
    }
    return "";
}
