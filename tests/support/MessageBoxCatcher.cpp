#include "MessageBoxCatcher.h"

namespace {
// Hooks are per thread and tests run on one; the hook procedure finds its
// catcher here.
MessageBoxCatcher* g_active = nullptr;

std::string WindowText(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}
}  // namespace

MessageBoxCatcher::MessageBoxCatcher(int answer) : answer_(answer) {
    g_active = this;
    hook_ = SetWindowsHookExA(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
}

MessageBoxCatcher::~MessageBoxCatcher() {
    if (hook_) UnhookWindowsHookEx(hook_);
    g_active = nullptr;
}

LRESULT CALLBACK MessageBoxCatcher::OnCbt(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && g_active) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char className[32] = "";
        GetClassNameA(window, className, sizeof className);
        if (lstrcmpA(className, "#32770") == 0) {
            // Answer from inside the box's own modal loop, after it is set up.
            g_active->pending_.push_back(window);
            SetTimer(nullptr, 0, 10, OnTimer);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK MessageBoxCatcher::OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (!g_active) return;
    std::vector<HWND> pending;
    pending.swap(g_active->pending_);
    for (HWND box : pending) g_active->Answer(box);
}

void MessageBoxCatcher::Answer(HWND box) {
    if (!IsWindow(box)) return;
    CaughtMessageBox caught;
    caught.caption = WindowText(box);
    caught.text = WindowText(GetDlgItem(box, 0xFFFF));
    // The icon is a static control of its own (its ID differs between
    // systems); the error icon is the system's hand.
    HICON errorIcon = LoadIconA(nullptr, IDI_HAND);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) continue;
        HICON shown = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        if (shown && shown == errorIcon) caught.hasErrorIcon = true;
    }
    boxes_.push_back(caught);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer_, BN_CLICKED), 0);
}
