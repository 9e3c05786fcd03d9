// The HTML Help entry point, found on first use. When the library cannot be
// loaded every request does nothing, and it is not looked for again.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

using HtmlHelpEntry = HWND(WINAPI*)(HWND owner, LPCSTR topic, UINT command, DWORD_PTR data);

// The library's path registered for the HTML Help control's class id, empty
// when the registry does not name one.
std::string RegisteredHtmlHelpLibrary();

// Loads the registered library, else "hhctrl.ocx", and returns its
// "HtmlHelpA"; null when neither loads or the entry is missing. The library
// stays loaded for the rest of the run.
HtmlHelpEntry LoadHtmlHelpEntry();

class HelpLibrary {
public:
    using Loader = std::function<HtmlHelpEntry()>;

    explicit HelpLibrary(Loader loader = LoadHtmlHelpEntry) : loader_(std::move(loader)) {}

    // Calls HTML Help; returns its window, null when help is unavailable.
    HWND Show(HWND owner, const char* topic, UINT command, DWORD_PTR data);

    // Whether the entry point was found (looks for it on first call).
    bool Available();

private:
    HtmlHelpEntry Entry();

    Loader loader_;
    bool attempted_ = false;
    HtmlHelpEntry entry_ = nullptr;
};
