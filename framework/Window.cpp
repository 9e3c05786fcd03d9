#include "Window.h"

#include <algorithm>

namespace {
HINSTANCE g_moduleInstance = nullptr;
}

HINSTANCE ModuleInstance() {
    if (!g_moduleInstance) g_moduleInstance = GetModuleHandleA(nullptr);
    return g_moduleInstance;
}

void SetModuleInstance(HINSTANCE instance) { g_moduleInstance = instance; }

Window::~Window() {
    // An object that goes away before its window must not be reached again.
    if (window_ && IsWindow(window_)) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

bool Window::RegisterWindowClass(const WindowClass& windowClass) {
    WNDCLASSEXA description = {};
    description.cbSize = sizeof(description);
    description.style = windowClass.style;
    description.lpfnWndProc = WindowProcedure;
    description.hInstance = ModuleInstance();
    description.hIcon = windowClass.icon;
    description.hIconSm = windowClass.smallIcon;
    description.hCursor =
        windowClass.cursor ? windowClass.cursor : LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    description.hbrBackground = windowClass.background;
    description.lpszClassName = windowClass.name;
    if (RegisterClassExA(&description)) return true;
    return GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND Window::Create(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                    int y, int width, int height, HWND parent, HMENU menuOrId) {
    return CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent,
                           menuOrId, ModuleInstance(), this);
}

Window* Window::FromHandle(HWND window) {
    return reinterpret_cast<Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultProcessing(message, wParam, lParam);
}

LRESULT Window::DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window_, message, wParam, lParam);
}

LRESULT CALLBACK Window::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam) {
    // The system called us: no exception may unwind through its frames. A
    // handler that throws leaves the message to the default processing.
    try {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
            auto* self = static_cast<Window*>(create->lpCreateParams);
            if (self) {
                self->window_ = window;
                SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            }
        }
        Window* self = FromHandle(window);
        if (self) {
            if (message != WM_NCDESTROY) return self->HandleMessage(message, wParam, lParam);
            // Last message of the window: the object is unbound after it.
            LRESULT result = 0;
            try {
                result = self->HandleMessage(message, wParam, lParam);
            } catch (...) {
            }
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            self->window_ = nullptr;
            return result;
        }
    } catch (...) {
        // A question the handler could not answer is answered no: the
        // default would destroy the window, or let Windows end the session,
        // as if the user had agreed.
        if (message == WM_CLOSE) return 0;
        if (message == WM_QUERYENDSESSION) return FALSE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void CentreOverOwner(HWND sheet) {
    HWND owner = GetWindow(sheet, GW_OWNER);
    if (!owner || !IsWindowVisible(owner) || IsIconic(owner)) return;
    RECT ownerRect = {}, sheetRect = {};
    GetWindowRect(owner, &ownerRect);
    GetWindowRect(sheet, &sheetRect);
    const int width = sheetRect.right - sheetRect.left;
    const int height = sheetRect.bottom - sheetRect.top;
    int x = ownerRect.left + (ownerRect.right - ownerRect.left - width) / 2;
    int y = ownerRect.top + (ownerRect.bottom - ownerRect.top - height) / 2;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    if (GetMonitorInfoA(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& area = monitor.rcWork;
        x = std::max(static_cast<int>(area.left), std::min(x, static_cast<int>(area.right) - width));
        y = std::max(static_cast<int>(area.top), std::min(y, static_cast<int>(area.bottom) - height));
    }
    SetWindowPos(sheet, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
