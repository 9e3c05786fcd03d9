// Base of the program's own windows: the object is bound to its window when
// the window is created, and every message after that reaches the object's
// HandleMessage. Subclasses override HandleMessage and call the base for what
// they do not handle.
#pragma once

#include <windows.h>

// The module whose resources the windows and dialogs use. Set once at
// start-up; the program's own executable until then.
HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE instance);

// Puts a window (a dialog, a property sheet) centred over its owner and
// wholly on the owner's screen, as the program's dialogs open. Does nothing
// without a visible owner.
void CentreOverOwner(HWND window);

// What a window class of the program differs in. Every class uses the
// framework's window procedure.
struct WindowClass {
    const char* name = nullptr;
    UINT style = CS_DBLCLKS;
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
    HCURSOR cursor = nullptr;       // the arrow when null
    HBRUSH background = nullptr;
};

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Registers a class whose windows are driven by Window objects. A class
    // registered before counts as success, so each user may register it.
    static bool RegisterWindowClass(const WindowClass& windowClass);

    // Creates the window and binds this object to it; null on failure.
    // `menuOrId` is the menu of a top-level window or the id of a child.
    HWND Create(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                int y, int width, int height, HWND parent, HMENU menuOrId);

    HWND Handle() const { return window_; }

    // The object bound to `window`, or null when it has none.
    static Window* FromHandle(HWND window);

protected:
    // One call per message; the default is the system's processing. When it
    // throws, the message gets the default processing, except WM_CLOSE (the
    // window stays) and WM_QUERYENDSESSION (answered FALSE).
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);

    HWND window_ = nullptr;
};
