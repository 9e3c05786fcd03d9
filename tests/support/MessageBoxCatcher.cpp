#include "MessageBoxCatcher.h"

#include <algorithm>

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

MessageBoxCatcher::MessageBoxCatcher(int answer) : MessageBoxCatcher({answer}) {}

MessageBoxCatcher::MessageBoxCatcher(std::initializer_list<int> answers) : answers_(answers) {
    if (answers_.empty()) answers_.push_back(IDOK);
    g_active = this;
    hook_ = SetWindowsHookExA(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
}

std::vector<std::string> MessageBoxCatcher::Texts() const {
    std::vector<std::string> texts;
    for (const CaughtMessageBox& box : boxes_) texts.push_back(box.text);
    return texts;
}

MessageBoxCatcher::~MessageBoxCatcher() {
    if (hook_) UnhookWindowsHookEx(hook_);
    g_active = nullptr;
}

LRESULT CALLBACK MessageBoxCatcher::OnCbt(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_DESTROYWND && g_active) {
        std::vector<HWND>& met = g_active->met_;
        met.erase(std::remove(met.begin(), met.end(), reinterpret_cast<HWND>(wParam)), met.end());
    }
    if (code == HCBT_ACTIVATE && g_active) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char className[32] = "";
        GetClassNameA(window, className, sizeof className);
        std::vector<HWND>& met = g_active->met_;
        if (lstrcmpA(className, "#32770") == 0 && std::find(met.begin(), met.end(), window) == met.end()) {
            met.push_back(window);
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

bool MessageBoxCatcher::Read(HWND box, CaughtMessageBox& caught) {
    HWND text = GetDlgItem(box, 0xFFFF);
    if (!IsWindow(box) || !text) return false;
    caught = CaughtMessageBox();
    caught.caption = WindowText(box);
    caught.text = WindowText(GetDlgItem(box, 0xFFFF));
    // The icon is a static control of its own (its ID differs between
    // systems); the error icon is the system's hand.
    HICON errorIcon = LoadIconA(nullptr, IDI_HAND);
    HICON warningIcon = LoadIconA(nullptr, IDI_EXCLAMATION);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = "";
        GetClassNameA(child, className, sizeof className);
        if (lstrcmpiA(className, "Button") == 0) {
            if (IsWindowVisible(child)) caught.buttons.push_back(GetDlgCtrlID(child));
            continue;
        }
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) continue;
        HICON shown = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        if (shown && shown == errorIcon) caught.hasErrorIcon = true;
        if (shown && shown == warningIcon) caught.hasWarningIcon = true;
    }
    return true;
}

void MessageBoxCatcher::Answer(HWND box) {
    CaughtMessageBox caught;
    if (!Read(box, caught)) return;
    const size_t turn = boxes_.size() < answers_.size() ? boxes_.size() : answers_.size() - 1;
    boxes_.push_back(caught);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(answers_[turn], BN_CLICKED), 0);
}
