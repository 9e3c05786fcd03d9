#include "DocumentArrival.h"

#include <windows.h>
#include <shellapi.h>

namespace {

const char kOneDocument[] =
    "Vantrel! opens one document at a time: name one document after the "
    "program's name, or none.";

}  // namespace

std::string StartUsageText() {
    return "Vantrel.exe [document]\r\n\r\n"
           "document  -  the Vantrel! document (.pgr) to open; without one, "
           "Vantrel! starts with an empty document\r\n"
           "/?  -  show this list";
}

StartRequest ReadStartArguments(const std::vector<std::string>& arguments) {
    StartRequest request;
    std::vector<std::string> names;
    for (const std::string& argument : arguments) {
        if (argument.empty()) continue;
        if (argument[0] != '/') {
            names.push_back(argument);
        } else if (argument == "/?") {
            request.usage = true;
        } else {
            request.complaint = "Vantrel! does not know the switch " + argument + ".";
        }
    }
    if (request.complaint.empty() && names.size() > 1) request.complaint = kOneDocument;
    // Nothing is opened when anything was wrong: the user sees why and
    // starts again.
    if (!request.complaint.empty()) {
        request.complaint += "\r\n\r\n" + StartUsageText();
        return request;
    }
    if (names.size() == 1) request.document = names[0];
    return request;
}

namespace {

// `text` in the ANSI code page; false when a character has no spelling there.
bool Narrow(const wchar_t* text, std::string& narrow) {
    BOOL lossy = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, nullptr, 0,
                                         nullptr, &lossy);
    if (size <= 0) return false;
    std::string buffer(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, &buffer[0], size, nullptr,
                        &lossy);
    buffer.resize(static_cast<size_t>(size - 1));
    narrow = buffer;
    return !lossy;
}

}  // namespace

std::string AnsiFileName(const wchar_t* name, std::string& spelled) {
    if (Narrow(name, spelled)) return spelled;
    // The short name of an existing file spells only ASCII.
    wchar_t shortName[MAX_PATH];
    const DWORD length = GetShortPathNameW(name, shortName, MAX_PATH);
    std::string narrow;
    if (length == 0 || length >= MAX_PATH || !Narrow(shortName, narrow)) return std::string();
    return narrow;
}

std::vector<std::string> ProgramArguments(std::string& unusable) {
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return arguments;
    for (int i = 1; i < count; ++i) {
        std::string spelled;
        arguments.push_back(AnsiFileName(wide[i], spelled));
        if (arguments.back().empty() && wide[i][0] != L'\0') unusable = spelled;
    }
    LocalFree(wide);
    return arguments;
}

std::string UnusableNameText(const std::string& spelled) {
    return "Vantrel! cannot open " + spelled +
           ": its name holds characters that Vantrel! cannot use. Rename the document, "
           "or move it into a folder whose name has none of them, and open it again.";
}

DropVerdict JudgeDroppedFiles(const std::vector<std::string>& paths,
                              bool (*isFolder)(const std::string& path)) {
    DropVerdict verdict;
    if (paths.size() != 1) {
        verdict.complaint = "Drop one Vantrel! document at a time.";
        return verdict;
    }
    const std::string& path = paths[0];
    const size_t slash = path.find_last_of("\\/");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    const bool document = dot != std::string::npos && lstrcmpiA(name.c_str() + dot, ".pgr") == 0;
    if (!document || isFolder(path)) {
        verdict.complaint = name + " is not a Vantrel! document.\r\n\r\n"
                            "Only Vantrel! documents (.pgr) open when dropped here. "
                            "Delimited text comes in through File > Import.";
        return verdict;
    }
    verdict.document = path;
    return verdict;
}

std::string FullDocumentPath(const std::string& name) {
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(name.c_str(), MAX_PATH, full, nullptr);
    return length == 0 || length >= MAX_PATH ? name : std::string(full, length);
}
