// Start-up of Vantrel!: initialises COM and the common controls, creates the
// frame window titled for the untitled document, and runs the message loop
// until the frame is closed.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <string>

namespace {

const char kFrameClassName[] = "VantrelFrame";
const char kApplicationName[] = "Vantrel!";
const char kUntitledName[] = "Untitled";
const int kProgramIconId = 128;

// The frame: one top-level window. The object is bound to its window when the
// window is created, so every later message reaches the object.
class FrameWindow {
public:
    static bool RegisterWindowClass(HINSTANCE instance);
    bool Create(HINSTANCE instance);
    HWND Handle() const { return window_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
};

bool FrameWindow::RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kProgramIconId));
    windowClass.hIconSm = static_cast<HICON>(LoadImageA(
        instance, MAKEINTRESOURCEA(kProgramIconId), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
        GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kFrameClassName;
    return RegisterClassExA(&windowClass) != 0;
}

bool FrameWindow::Create(HINSTANCE instance) {
    const std::string title = std::string(kApplicationName) + " [" + kUntitledName + "]";
    HWND window = CreateWindowExA(WS_EX_APPWINDOW | WS_EX_WINDOWEDGE, kFrameClassName,
                                  title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  nullptr, nullptr, instance, this);
    return window != nullptr;
}

LRESULT CALLBACK FrameWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam) {
    // The system called us; an exception must not unwind through its frames.
    try {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
            auto* self = static_cast<FrameWindow*>(create->lpCreateParams);
            self->window_ = window;
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        auto* self = reinterpret_cast<FrameWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self) return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT FrameWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_;
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        // No message after this one may reach the object.
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        window_ = nullptr;
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Initialises COM for the lifetime of the program.
class ComScope {
public:
    ComScope() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ComScope() {
        if (initialised_) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool initialised_;
};

int RunMessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    ComScope com;

    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);

    if (!FrameWindow::RegisterWindowClass(instance)) return 1;
    FrameWindow frame;
    if (!frame.Create(instance)) return 1;
    ShowWindow(frame.Handle(), showCommand);
    UpdateWindow(frame.Handle());
    return RunMessageLoop();
}
