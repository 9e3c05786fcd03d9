#include "StatusBar.h"

#include <commctrl.h>

#include <algorithm>

#include "Dpi.h"
#include "Window.h"

namespace {
const WPARAM kSimplePane = 255;  // SB_SIMPLEID
const WPARAM kMainPane = 0;
const WPARAM kSidePane = 1;
// Room around the side pane's text: its edges and a little air.
const int kSidePadding = 16;
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
    if (window_) {
        const WPARAM pane = sideText_.empty() ? kSimplePane : kMainPane;
        SendMessageA(window_, SB_SETTEXTA, pane, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void StatusBar::ShowSideText(const std::string& text) {
    if (text == sideText_) return;
    const bool opening = sideText_.empty();
    sideText_ = text;
    if (!window_) return;
    if (text.empty()) {
        sideWidth_ = 0;
        ApplyParts();
        SendMessageA(window_, SB_SETTEXTA, kSimplePane, reinterpret_cast<LPARAM>(text_.c_str()));
        return;
    }
    HDC dc = GetDC(window_);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(window_, WM_GETFONT, 0, 0));
    HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    if (previous) SelectObject(dc, previous);
    ReleaseDC(window_, dc);
    // The size grip sits in the last pane: it gets room of its own.
    const int width =
        extent.cx + ScaleForDpi(kSidePadding, WindowDpi(window_)) + GetSystemMetrics(SM_CXVSCROLL);
    const bool wider = width > sideWidth_;
    if (wider) sideWidth_ = width;
    if (opening || wider) ApplyParts();
    if (opening)
        SendMessageA(window_, SB_SETTEXTA, kMainPane, reinterpret_cast<LPARAM>(text_.c_str()));
    SendMessageA(window_, SB_SETTEXTA, kSidePane, reinterpret_cast<LPARAM>(text.c_str()));
}

void StatusBar::ApplyParts() {
    if (sideText_.empty()) {
        SendMessageA(window_, SB_SIMPLE, TRUE, 0);
        return;
    }
    RECT bounds = {};
    GetClientRect(window_, &bounds);
    int edges[2] = {std::max(static_cast<int>(bounds.right) - sideWidth_, 0), -1};
    SendMessageA(window_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    SendMessageA(window_, SB_SIMPLE, FALSE, 0);
}

int StatusBar::Height() const {
    RECT bounds = {};
    GetWindowRect(window_, &bounds);
    return bounds.bottom - bounds.top;
}

void StatusBar::Reposition() {
    SendMessageA(window_, WM_SIZE, 0, 0);
    // The side pane's left edge is counted from the bar's left.
    if (!sideText_.empty()) ApplyParts();
    // The size grip goes when the frame is maximised and moves with its
    // right edge; the whole bar is drawn again so no old grip stays behind.
    InvalidateRect(window_, nullptr, TRUE);
}
