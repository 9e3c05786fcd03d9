#include "DialogDriver.h"

namespace {
// Hooks and thread timers are per thread and tests run on one; the callbacks
// find their driver here.
DialogDriver* g_driver = nullptr;

bool IsDialog(HWND window) {
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    return lstrcmpA(className, "#32770") == 0;
}
}  // namespace

DialogDriver::DialogDriver(Action action, UINT timeLimitMs)
    : action_(std::move(action)), timeLimitMs_(timeLimitMs) {
    g_driver = this;
    hook_ = SetWindowsHookExA(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
}

DialogDriver::~DialogDriver() {
    if (hook_) UnhookWindowsHookEx(hook_);
    for (const auto& timer : actionTimers_) KillTimer(nullptr, timer.first);
    for (const auto& timer : limitTimers_) KillTimer(nullptr, timer.first);
    g_driver = nullptr;
}

LRESULT CALLBACK DialogDriver::OnCbt(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && g_driver) {
        HWND window = reinterpret_cast<HWND>(wParam);
        bool known = false;
        for (const auto& timer : g_driver->limitTimers_) known = known || timer.second == window;
        if (IsDialog(window) && !known) {
            // Activation comes before the dialog's modal loop runs: act from
            // a timer that the loop dispatches.
            UINT_PTR action = SetTimer(nullptr, 0, 10, OnActionTimer);
            if (action) g_driver->actionTimers_[action] = window;
            UINT_PTR limit = SetTimer(nullptr, 0, g_driver->timeLimitMs_, OnTimeLimit);
            if (limit) g_driver->limitTimers_[limit] = window;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK DialogDriver::OnActionTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (!g_driver) return;
    auto found = g_driver->actionTimers_.find(id);
    if (found == g_driver->actionTimers_.end()) return;
    HWND dialog = found->second;
    g_driver->actionTimers_.erase(found);
    if (!IsWindow(dialog)) return;
    ++g_driver->driven_;
    if (g_driver->action_) g_driver->action_(dialog);
}

void CALLBACK DialogDriver::OnTimeLimit(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (!g_driver) return;
    auto found = g_driver->limitTimers_.find(id);
    if (found == g_driver->limitTimers_.end()) return;
    HWND dialog = found->second;
    g_driver->limitTimers_.erase(found);
    if (!IsWindow(dialog)) return;
    ++g_driver->cancelled_;
    EndDialog(dialog, IDCANCEL);
}
