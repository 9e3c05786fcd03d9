// Looks at an installed Vantrel! from inside Wine, for the installer test
// (installer/tests/test-installer.sh). Not part of the program.
//
//   install_probe window SECONDS   waits for the main window; prints its title
//   install_probe help SECONDS     asks the main window for Help Topics and
//                                  waits for the help window; prints its title
//   install_probe close SECONDS    closes the main window and waits until it
//                                  is gone
//   install_probe message TITLE SECONDS
//                                  waits for a message box whose title starts
//                                  with TITLE, prints its text and presses OK
//   install_probe icon FILE,INDEX  prints how many icons FILE holds; succeeds
//                                  when its icon INDEX (a DefaultIcon value)
//                                  is the program's document icon
// Exit code 0 when the awaited thing happened, 1 when not, 2 on bad use.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "../../resources/resource.h"

namespace {

const UINT kHelpTopicsCommand = 57667;

struct Search {
    const char* prefix;
    HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    char title[256] = "";
    GetWindowTextA(window, title, sizeof title);
    if (IsWindowVisible(window) &&
        std::strncmp(title, search->prefix, std::strlen(search->prefix)) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The first visible top-level window whose title starts with `prefix`.
HWND FindTitled(const char* prefix) {
    Search search = {prefix, nullptr};
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The program's main window: titled "Vantrel! [<document>]".
HWND FindFrame() { return FindTitled("Vantrel! ["); }

HWND WaitFor(HWND (*find)(), DWORD seconds) {
    const DWORD end = GetTickCount() + seconds * 1000;
    for (;;) {
        if (HWND window = find()) return window;
        if (GetTickCount() > end) return nullptr;
        Sleep(100);
    }
}

HWND FindHelp() { return FindTitled("Vantrel! Help"); }

int Report(HWND window) {
    if (!window) return 1;
    char title[256] = "";
    GetWindowTextA(window, title, sizeof title);
    std::printf("%s\n", title);
    return 0;
}

const char* g_prefix = "";
HWND FindPrefixed() { return FindTitled(g_prefix); }

// The colour pixels of an icon, drawn as 32-bit rows; empty when unreadable.
std::vector<DWORD> PixelsOf(HICON icon) {
    std::vector<DWORD> pixels;
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info)) return pixels;
    BITMAP bitmap = {};
    if (info.hbmColor && GetObjectA(info.hbmColor, sizeof bitmap, &bitmap)) {
        BITMAPINFO format = {};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = bitmap.bmWidth;
        format.bmiHeader.biHeight = bitmap.bmHeight;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        pixels.resize(static_cast<size_t>(bitmap.bmWidth) * bitmap.bmHeight);
        HDC screen = GetDC(nullptr);
        if (!GetDIBits(screen, info.hbmColor, 0, bitmap.bmHeight, pixels.data(), &format,
                       DIB_RGB_COLORS))
            pixels.clear();
        ReleaseDC(nullptr, screen);
    }
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return pixels;
}

// Explorer's reading of a DefaultIcon value "FILE,INDEX", compared with the
// document icon loaded from the same file by its resource id.
int CheckDocumentIcon(const std::string& location) {
    const size_t comma = location.rfind(',');
    if (comma == std::string::npos) return 2;
    const std::string file = location.substr(0, comma);
    const int index = std::atoi(location.c_str() + comma + 1);
    std::printf("%u\n", ExtractIconExA(file.c_str(), -1, nullptr, nullptr, 0));
    HICON shown = nullptr;
    if (ExtractIconExA(file.c_str(), index, &shown, nullptr, 1) != 1) return 1;
    HMODULE module = LoadLibraryExA(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HICON document = module ? static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(IDI_DOCUMENT),
                                                            IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                            GetSystemMetrics(SM_CYICON), 0))
                            : nullptr;
    const std::vector<DWORD> shownPixels = PixelsOf(shown);
    const bool same = !shownPixels.empty() && shownPixels == PixelsOf(document);
    DestroyIcon(shown);
    if (document) DestroyIcon(document);
    if (module) FreeLibrary(module);
    return same ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "message") {
        g_prefix = argv[2];
        HWND box = WaitFor(FindPrefixed, static_cast<DWORD>(std::atoi(argv[3])));
        if (!box) return 1;
        char text[2048] = "";
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        std::printf("%s\n", text);
        SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return 0;
    }
    if (argc != 3) return 2;
    const std::string command = argv[1];
    if (command == "icon") return CheckDocumentIcon(argv[2]);
    const DWORD seconds = static_cast<DWORD>(std::atoi(argv[2]));
    if (command == "window") return Report(WaitFor(FindFrame, seconds));
    HWND frame = WaitFor(FindFrame, seconds);
    if (!frame) return 1;
    if (command == "help") {
        PostMessageA(frame, WM_COMMAND, MAKEWPARAM(kHelpTopicsCommand, 0), 0);
        return Report(WaitFor(FindHelp, seconds));
    }
    if (command == "close") {
        PostMessageA(frame, WM_CLOSE, 0, 0);
        const DWORD end = GetTickCount() + seconds * 1000;
        while (IsWindow(frame)) {
            if (GetTickCount() > end) return 1;
            Sleep(100);
        }
        return 0;
    }
    return 2;
}
