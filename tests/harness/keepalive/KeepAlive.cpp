// keepalive: owns one hidden top-level window and waits.
//
// Wine's desktop process (explorer.exe) quits when no process has a window on
// the desktop any more, and the next test process then pays for starting a
// new one. scripts/wine-session.sh runs this helper for the whole test run so
// the desktop stays up between tests. It ends when its window is closed or
// the process is killed.
//
// Usage: keepalive.exe [ready-file]
// When a path is given, the helper creates that file once its window exists,
// so the caller knows the desktop is up.
#include <windows.h>

namespace {

LRESULT CALLBACK KeepAliveProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool SignalReady(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = KeepAliveProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "VantrelKeepAlive";
    if (!RegisterClassA(&windowClass)) return 1;

    // Never shown: creating it is enough to bring up and hold the desktop.
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, windowClass.lpszClassName, "keepalive",
                                  WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;

    // The command line is the path alone, possibly quoted.
    char path[MAX_PATH] = {};
    const char* source = commandLine ? commandLine : "";
    if (*source == '"') ++source;
    lstrcpynA(path, source, MAX_PATH);
    for (char* end = path + lstrlenA(path); end > path && (end[-1] == '"' || end[-1] == ' '); --end) {
        end[-1] = '\0';
    }
    if (*path && !SignalReady(path)) return 1;

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
