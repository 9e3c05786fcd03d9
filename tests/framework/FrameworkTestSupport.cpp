#include "FrameworkTestSupport.h"

#include <map>
#include <stdexcept>

namespace {

std::map<UINT_PTR, std::function<void()>>& LaterActions() {
    static std::map<UINT_PTR, std::function<void()>> actions;
    return actions;
}

void CALLBACK OnLaterTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto found = LaterActions().find(id);
    if (found == LaterActions().end()) return;
    std::function<void()> action = std::move(found->second);
    LaterActions().erase(found);
    action();
}

void AppendWords(std::vector<WORD>& words, const wchar_t* text) {
    for (; *text; ++text) words.push_back(static_cast<WORD>(*text));
    words.push_back(0);
}

void AlignToDword(std::vector<WORD>& words) {
    if (words.size() % 2) words.push_back(0);
}

void AppendItem(std::vector<WORD>& words, DWORD style, short x, short y, short cx, short cy,
                WORD id, WORD classAtom, const wchar_t* text) {
    AlignToDword(words);
    DLGITEMTEMPLATE item = {};
    item.style = style | WS_CHILD | WS_VISIBLE;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.id = id;
    const WORD* raw = reinterpret_cast<const WORD*>(&item);
    words.insert(words.end(), raw, raw + sizeof(item) / sizeof(WORD));
    words.push_back(0xFFFF);
    words.push_back(classAtom);
    AppendWords(words, text);
    words.push_back(0);  // no creation data
}

}  // namespace

void InitialiseTestControls() {
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_DATE_CLASSES;
    InitCommonControlsEx(&controls);
}

void PumpWaiting() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

const char RecordingFrame::kClassName[] = "VantrelTestFrame";

bool RecordingFrame::CreateFrame(bool visible) {
    WindowClass windowClass;
    windowClass.name = kClassName;
    windowClass.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    if (!RegisterWindowClass(windowClass)) return false;
    return Create(0, kClassName, "Test frame",
                  WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0), 50, 50,
                  500, 300, nullptr, nullptr) != nullptr;
}

LRESULT RecordingFrame::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        ++created;
        break;
    case WM_COMMAND:
        commands.push_back(LOWORD(wParam));
        if (throwOnCommand) throw std::runtime_error("command failed");
        return 0;
    case WM_INITMENUPOPUP:
        initialisedPopups.push_back(reinterpret_cast<HMENU>(wParam));
        if (onPopup) onPopup(reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_MENUSELECT:
        selectedItems.push_back(LOWORD(wParam));
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_KEYMENU && onKeyMenu && onKeyMenu(lParam)) return 0;
        break;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

std::vector<WORD> BuildEditDialogTemplate(const wchar_t* caption, int editId) {
    std::vector<WORD> words;
    DLGTEMPLATE header = {};
    header.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    header.cdit = 3;
    header.cx = 160;
    header.cy = 60;
    const WORD* raw = reinterpret_cast<const WORD*>(&header);
    words.insert(words.end(), raw, raw + sizeof(header) / sizeof(WORD));
    words.push_back(0);  // no menu
    words.push_back(0);  // the dialog class
    AppendWords(words, caption);
    words.push_back(8);  // point size of the font
    AppendWords(words, L"MS Shell Dlg");
    AppendItem(words, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 5, 5, 150, 12,
               static_cast<WORD>(editId), 0x0081, L"");
    AppendItem(words, WS_TABSTOP | BS_DEFPUSHBUTTON, 40, 40, 50, 14, IDOK, 0x0080, L"OK");
    AppendItem(words, WS_TABSTOP | BS_PUSHBUTTON, 100, 40, 50, 14, IDCANCEL, 0x0080, L"Cancel");
    return words;
}

HBITMAP CreateImageStrip(int count) {
    HDC screen = GetDC(nullptr);
    HBITMAP strip = CreateCompatibleBitmap(screen, 16 * count, 15);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, strip);
    const RECT all = {0, 0, 16 * count, 15};
    HBRUSH grey = CreateSolidBrush(RGB(192, 192, 192));
    FillRect(dc, &all, grey);
    DeleteObject(grey);
    for (int i = 0; i < count; ++i) {
        HBRUSH brush = CreateSolidBrush(RGB(i * 40, 0, 200));
        const RECT middle = {16 * i + 3, 3, 16 * i + 13, 12};
        FillRect(dc, &middle, brush);
        DeleteObject(brush);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return strip;
}

void RunLater(UINT delayMs, std::function<void()> action) {
    const UINT_PTR id = SetTimer(nullptr, 0, delayMs, OnLaterTimer);
    LaterActions()[id] = std::move(action);
}
