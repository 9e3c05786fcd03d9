#include "HelpLibrary.h"

namespace {
const char kHtmlHelpServerKey[] =
    "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
}

std::string RegisteredHtmlHelpLibrary() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kHtmlHelpServerKey, 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return std::string();
    char value[MAX_PATH + 1] = "";
    DWORD size = MAX_PATH;
    DWORD type = 0;
    const LONG status =
        RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::string();
    value[MAX_PATH] = '\0';
    if (type == REG_SZ) return value;
    char expanded[MAX_PATH] = "";
    const DWORD length = ExpandEnvironmentStringsA(value, expanded, sizeof expanded);
    return length > 0 && length <= sizeof expanded ? expanded : std::string();
}

HtmlHelpEntry LoadHtmlHelpEntry() {
    HMODULE library = nullptr;
    const std::string registered = RegisteredHtmlHelpLibrary();
    if (!registered.empty()) library = LoadLibraryA(registered.c_str());
    if (!library) library = LoadLibraryA("hhctrl.ocx");
    if (!library) return nullptr;
    return reinterpret_cast<HtmlHelpEntry>(
        reinterpret_cast<void*>(GetProcAddress(library, "HtmlHelpA")));
}

HtmlHelpEntry HelpLibrary::Entry() {
    if (!attempted_) {
        attempted_ = true;
        if (loader_) entry_ = loader_();
    }
    return entry_;
}

bool HelpLibrary::Available() { return Entry() != nullptr; }

HWND HelpLibrary::Show(HWND owner, const char* topic, UINT command, DWORD_PTR data) {
    HtmlHelpEntry entry = Entry();
    if (!entry) return nullptr;
    return entry(owner, topic, command, data);
}
