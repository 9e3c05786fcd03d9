#include "MenuBar.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cctype>

#include "Window.h"

namespace {

const UINT_PTR kSubclassId = 1;
// Button ids are the popup's index plus this, so that no id can be taken
// for a command.
const int kFirstButtonId = 1;

// The bar tracking a popup now; WH_MSGFILTER hooks carry no context.
MenuBar* g_trackingBar = nullptr;

char MnemonicOf(const std::string& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;  // "&&" is a literal ampersand
            continue;
        }
        return static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1])));
    }
    return 0;
}

}  // namespace

MenuBar::~MenuBar() {
    if (filterHook_) UnhookWindowsHookEx(filterHook_);
    if (g_trackingBar == this) g_trackingBar = nullptr;
    if (window_ && IsWindow(window_)) {
        RemoveWindowSubclass(window_, ToolbarProcedure, kSubclassId);
        DestroyWindow(window_);
    }
    if (menu_) DestroyMenu(menu_);
}

bool MenuBar::Create(HWND frame, HMENU menu, UINT id) {
    frame_ = frame;
    menu_ = menu;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_LIST |
                        CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN;
    window_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", style, 0, 0, 0, 0, frame,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                              ModuleInstance(), nullptr);
    if (!window_) return false;
    SendMessageA(window_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(window_, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    SendMessageA(window_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);

    const int count = menu ? GetMenuItemCount(menu) : 0;
    for (int index = 0; index < count; ++index) {
        char text[128] = "";
        GetMenuStringA(menu, index, text, sizeof text, MF_BYPOSITION);
        mnemonics_.push_back(MnemonicOf(text));
        TBBUTTON button = {};
        button.iBitmap = I_IMAGENONE;
        button.idCommand = kFirstButtonId + index;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = BTNS_DROPDOWN | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
        button.iString = reinterpret_cast<INT_PTR>(text);
        SendMessageA(window_, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
    }
    ShowKeyboardCues(false);
    SendMessageA(window_, TB_AUTOSIZE, 0, 0);
    SetWindowSubclass(window_, ToolbarProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    return true;
}

int MenuBar::ButtonCount() const {
    return static_cast<int>(SendMessageA(window_, TB_BUTTONCOUNT, 0, 0));
}

std::string MenuBar::ButtonText(int index) const {
    char text[128] = "";
    const LRESULT length = SendMessageA(window_, TB_GETBUTTONTEXTA, kFirstButtonId + index,
                                        reinterpret_cast<LPARAM>(text));
    return length > 0 ? std::string(text, static_cast<size_t>(length)) : std::string();
}

SIZE MenuBar::IdealSize() const {
    SIZE size = {0, 0};
    SendMessageA(window_, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    return size;
}

int MenuBar::FindMnemonic(char character) const {
    const char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(character)));
    if (!wanted) return -1;
    for (size_t index = 0; index < mnemonics_.size(); ++index)
        if (mnemonics_[index] == wanted) return static_cast<int>(index);
    return -1;
}

bool MenuBar::OnKeyMenu(LPARAM character) {
    if (character == 0) {
        if (menuMode_)
            LeaveMenuMode();
        else
            EnterMenuMode(0);
        return true;
    }
    const int index = FindMnemonic(static_cast<char>(character));
    if (index < 0) return false;
    LeaveMenuMode();
    OpenPopup(index, true);
    return true;
}

bool MenuBar::PreTranslate(MSG& message) {
    if (!menuMode_) {
        if (swallowKeyUp_ && (message.message == WM_KEYUP || message.message == WM_SYSKEYUP)) {
            // The release of the key that left menu mode: without this, a
            // released Alt would enter it again.
            swallowKeyUp_ = false;
            return true;
        }
        return false;
    }
    switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        switch (message.wParam) {
        case VK_LEFT:
            SetHot(Neighbour(hotIndex_, -1));
            return true;
        case VK_RIGHT:
            SetHot(Neighbour(hotIndex_, +1));
            return true;
        case VK_RETURN:
        case VK_DOWN:
        case VK_UP: {
            const int index = hotIndex_;
            LeaveMenuMode();
            OpenPopup(index, true);
            return true;
        }
        case VK_ESCAPE:
        case VK_F10:
        case VK_MENU:
            LeaveMenuMode();
            swallowKeyUp_ = true;
            return true;
        default: {
            const UINT character = MapVirtualKeyA(static_cast<UINT>(message.wParam), MAPVK_VK_TO_CHAR);
            const int index = FindMnemonic(static_cast<char>(character & 0xFF));
            if (index >= 0) {
                LeaveMenuMode();
                OpenPopup(index, true);
            }
            return true;
        }
        }
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
        return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        // A click anywhere ends menu mode and still does what it does.
        LeaveMenuMode();
        return false;
    }
    return false;
}

void MenuBar::EnterMenuMode(int hotIndex) {
    if (ButtonCount() == 0) return;
    menuMode_ = true;
    ShowKeyboardCues(true);
    SetHot(hotIndex < 0 ? 0 : hotIndex);
}

void MenuBar::LeaveMenuMode() {
    if (!menuMode_) return;
    menuMode_ = false;
    SetHot(-1);
    ShowKeyboardCues(false);
}

void MenuBar::SetHot(int index) {
    hotIndex_ = index;
    SendMessageA(window_, TB_SETHOTITEM, static_cast<WPARAM>(index), 0);
}

void MenuBar::ShowKeyboardCues(bool show) {
    SendMessageA(window_, TB_SETDRAWTEXTFLAGS, DT_HIDEPREFIX, show ? 0 : DT_HIDEPREFIX);
    InvalidateRect(window_, nullptr, TRUE);
}

int MenuBar::Neighbour(int index, int step) const {
    const int count = ButtonCount();
    if (count == 0) return -1;
    return ((index < 0 ? 0 : index) + step + count) % count;
}

void MenuBar::OpenPopup(int index, bool fromKeyboard) {
    if (openIndex_ >= 0 || index < 0 || index >= ButtonCount()) return;
    int next = index;
    bool keyboard = fromKeyboard;
    int last = index;
    escapedToBar_ = false;
    if (keyboard) ShowKeyboardCues(true);
    while (next >= 0) {
        last = next;
        nextIndex_ = -1;
        TrackOne(next, keyboard);
        next = nextIndex_;
        keyboard = nextFromKeyboard_;
    }
    ShowKeyboardCues(false);
    // Escape at a popup's top level goes back to the bar, as a window menu does.
    if (escapedToBar_) EnterMenuMode(last);
}

void MenuBar::TrackOne(int index, bool fromKeyboard) {
    HMENU popup = GetSubMenu(menu_, index);
    if (!popup) return;
    const int buttonId = kFirstButtonId + index;
    RECT button = {};
    SendMessageA(window_, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&button));
    MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&button), 2);
    TPMPARAMS exclude = {};
    exclude.cbSize = sizeof(exclude);
    exclude.rcExclude = button;

    openIndex_ = index;
    selectedMenu_ = nullptr;
    selectedFlags_ = 0;
    SendMessageA(window_, TB_PRESSBUTTON, buttonId, TRUE);
    g_trackingBar = this;
    filterHook_ = SetWindowsHookExA(WH_MSGFILTER, MessageFilter, nullptr, GetCurrentThreadId());
    // Selects the first item once the popup's own loop runs.
    if (fromKeyboard) PostMessageA(window_, WM_KEYDOWN, VK_DOWN, 0);
    // The bar owns the popup so that it sees WM_MENUSELECT; it passes the
    // popup messages on to the frame.
    TrackPopupMenuEx(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL | TPM_LEFTBUTTON,
                     button.left, button.bottom, window_, &exclude);
    if (filterHook_) UnhookWindowsHookEx(filterHook_);
    filterHook_ = nullptr;
    g_trackingBar = nullptr;
    SendMessageA(window_, TB_PRESSBUTTON, buttonId, FALSE);
    openIndex_ = -1;
}

void MenuBar::SwitchTo(int index, bool fromKeyboard) {
    nextIndex_ = index;
    nextFromKeyboard_ = fromKeyboard;
    EndMenu();
}

int MenuBar::ButtonAt(HWND window, LPARAM clientPoint) const {
    POINT point = {GET_X_LPARAM(clientPoint), GET_Y_LPARAM(clientPoint)};
    if (window && window != window_) MapWindowPoints(window, window_, &point, 1);
    RECT client = {};
    GetClientRect(window_, &client);
    if (!PtInRect(&client, point)) return -1;
    const int index =
        static_cast<int>(SendMessageA(window_, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&point)));
    return index >= 0 && index < ButtonCount() ? index : -1;
}

bool MenuBar::FilterMenuMessage(const MSG& message) {
    switch (message.message) {
    case WM_MOUSEMOVE: {
        const int index = ButtonAt(message.hwnd, message.lParam);
        if (index >= 0 && index != openIndex_) {
            SwitchTo(index, false);
            return true;
        }
        break;
    }
    case WM_KEYDOWN: {
        HMENU popup = GetSubMenu(menu_, openIndex_);
        const bool atTopLevel = selectedMenu_ == nullptr || selectedMenu_ == popup;
        if (message.wParam == VK_LEFT && atTopLevel) {
            SwitchTo(Neighbour(openIndex_, -1), true);
            return true;
        }
        // Right opens a highlighted submenu; anywhere else it moves on.
        if (message.wParam == VK_RIGHT && !(selectedFlags_ & MF_POPUP)) {
            SwitchTo(Neighbour(openIndex_, +1), true);
            return true;
        }
        if (message.wParam == VK_ESCAPE && atTopLevel) escapedToBar_ = true;
        break;
    }
    }
    return false;
}

LRESULT CALLBACK MenuBar::MessageFilter(int code, WPARAM wParam, LPARAM lParam) {
    try {
        if (code == MSGF_MENU && g_trackingBar &&
            g_trackingBar->FilterMenuMessage(*reinterpret_cast<MSG*>(lParam)))
            return TRUE;
    } catch (...) {
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT MenuBar::OnToolbarMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = true;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const int index = ButtonAt(window_, lParam);
        if (index < 0) break;
        LeaveMenuMode();
        OpenPopup(index, false);
        return 0;
    }
    case WM_MENUSELECT:
        selectedMenu_ = reinterpret_cast<HMENU>(lParam);
        selectedFlags_ = HIWORD(wParam);
        if (selectedFlags_ == 0xFFFF) selectedFlags_ = 0;
        return SendMessageA(frame_, message, wParam, lParam);
    case WM_COMMAND:
    case WM_INITMENU:
    case WM_INITMENUPOPUP:
    case WM_UNINITMENUPOPUP:
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
    case WM_MENUCHAR:
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        // The popups are the frame's menu: it answers as for its own.
        return SendMessageA(frame_, message, wParam, lParam);
    }
    handled = false;
    return 0;
}

LRESULT CALLBACK MenuBar::ToolbarProcedure(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    try {
        auto* bar = reinterpret_cast<MenuBar*>(self);
        if (message == WM_NCDESTROY) {
            RemoveWindowSubclass(window, ToolbarProcedure, kSubclassId);
            bar->window_ = nullptr;
        } else {
            bool handled = false;
            const LRESULT result = bar->OnToolbarMessage(message, wParam, lParam, handled);
            if (handled) return result;
        }
    } catch (...) {
    }
    return DefSubclassProc(window, message, wParam, lParam);
}
