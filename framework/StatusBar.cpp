#include "StatusBar.h"

#include <commctrl.h>

#include "Window.h"

namespace {
const WPARAM kSimplePane = 255;  // SB_SIMPLEID
}

UINT MenuPromptId(UINT item, UINT flags, HMENU menu) {
    if (flags == 0xFFFF && !menu) return 0;  // the menu was closed
    if (flags & (MF_POPUP | MF_SEPARATOR)) return 0;
    if (item >= kFirstRecentFileCommand && item <= kLastRecentFileCommand)
        return kRecentFilePromptString;
    return item;
}

StatusBar::~StatusBar() {
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

bool StatusBar::Create(HWND parent, UINT id, const std::string& idleText, StringLookup strings) {
    idleText_ = idleText;
    strings_ = std::move(strings);
    window_ = CreateWindowExA(0, STATUSCLASSNAMEA, "",
                              WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SBARS_SIZEGRIP, 0, 0, 0,
                              0, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                              ModuleInstance(), nullptr);
    if (!window_) return false;
    SendMessageA(window_, SB_SIMPLE, TRUE, 0);
    ShowIdle();
    return true;
}

void StatusBar::ShowPrompt(UINT id) {
    std::string prompt;
    if (id && strings_) prompt = CommandPrompt(strings_(id));
    ShowText(prompt.empty() ? idleText_ : prompt);
}

void StatusBar::ShowText(const std::string& text) {
    if (text == text_ && window_) return;  // nothing to redraw
    text_ = text;
    if (window_)
        SendMessageA(window_, SB_SETTEXTA, kSimplePane | 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int StatusBar::Height() const {
    RECT bounds = {};
    GetWindowRect(window_, &bounds);
    return bounds.bottom - bounds.top;
}

void StatusBar::Reposition() {
    SendMessageA(window_, WM_SIZE, 0, 0);
    // The size grip goes when the frame is maximised and moves with its
    // right edge; the whole bar is drawn again so no old grip stays behind.
    InvalidateRect(window_, nullptr, TRUE);
}
