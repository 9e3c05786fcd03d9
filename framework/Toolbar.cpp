#include "Toolbar.h"

#include "Dpi.h"
#include "Window.h"

namespace {

// `strip`, whose images are `from` large, with each image resized to `to`;
// null on failure. Nearest-neighbour, so the mask grey stays exact.
HBITMAP ResizeStrip(HBITMAP strip, SIZE from, SIZE to) {
    BITMAP info = {};
    if (!GetObjectA(strip, sizeof info, &info) || from.cx <= 0) return nullptr;
    const int count = info.bmWidth / from.cx;
    HDC screen = GetDC(nullptr);
    HDC source = CreateCompatibleDC(screen);
    HDC target = CreateCompatibleDC(screen);
    HBITMAP resized = CreateCompatibleBitmap(screen, count * to.cx, to.cy);
    ReleaseDC(nullptr, screen);
    if (source && target && resized) {
        HGDIOBJ oldSource = SelectObject(source, strip);
        HGDIOBJ oldTarget = SelectObject(target, resized);
        SetStretchBltMode(target, COLORONCOLOR);
        for (int image = 0; image < count; ++image)
            StretchBlt(target, image * to.cx, 0, to.cx, to.cy, source, image * from.cx, 0,
                       from.cx, from.cy, SRCCOPY);
        SelectObject(source, oldSource);
        SelectObject(target, oldTarget);
    } else if (resized) {
        DeleteObject(resized);
        resized = nullptr;
    }
    if (source) DeleteDC(source);
    if (target) DeleteDC(target);
    return resized;
}

}  // namespace

SIZE ToolbarImageSize(int dpi) {
    return SIZE{ScaleDownForDpi(kToolbarImageWidth, dpi),
                ScaleDownForDpi(kToolbarImageHeight, dpi)};
}

Toolbar::~Toolbar() {
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
    if (images_) ImageList_Destroy(images_);
}

bool Toolbar::Create(HWND parent, UINT id, HBITMAP strip, const std::vector<UINT>& buttons,
                     bool visible) {
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                        CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN |
                        (visible ? WS_VISIBLE : 0);
    window_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", style, 0, 0, 0, 0, parent,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                              ModuleInstance(), nullptr);
    if (!window_) return false;
    SendMessageA(window_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(window_, TB_SETBITMAPSIZE, 0, MAKELPARAM(kToolbarImageWidth, kToolbarImageHeight));
    SetImages(strip, SIZE{kToolbarImageWidth, kToolbarImageHeight});

    std::vector<TBBUTTON> entries;
    int image = 0;
    for (UINT command : buttons) {
        TBBUTTON button = {};
        if (command) {
            button.iBitmap = image++;
            button.idCommand = static_cast<int>(command);
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON;
        } else {
            button.fsStyle = BTNS_SEP;
        }
        entries.push_back(button);
    }
    if (!entries.empty())
        SendMessageA(window_, TB_ADDBUTTONSA, entries.size(),
                     reinterpret_cast<LPARAM>(entries.data()));
    SendMessageA(window_, TB_AUTOSIZE, 0, 0);
    return true;
}

bool Toolbar::SetImages(HBITMAP strip, SIZE size) {
    BITMAP info = {};
    const int count = strip && GetObjectA(strip, sizeof info, &info) && size.cx > 0
                          ? info.bmWidth / size.cx
                          : 0;
    HIMAGELIST images = ImageList_Create(size.cx, size.cy, ILC_COLOR24 | ILC_MASK, count, 0);
    if (!images) return false;
    if (strip) ImageList_AddMasked(images, strip, kToolbarMaskColour);
    SendMessageA(window_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    if (images_) ImageList_Destroy(images_);
    images_ = images;
    return true;
}

bool Toolbar::LoadImages(const ToolbarStrips& strips, int dpi) {
    if (!window_) return false;
    const int drawnAt[] = {96, 144, 192};
    const int drawnDpi = NearestDrawnDpi(dpi, drawnAt, 3);
    const UINT id = drawnDpi == 192 ? strips.at192 : drawnDpi == 144 ? strips.at144 : strips.at96;
    HBITMAP strip = LoadBitmapA(ModuleInstance(), MAKEINTRESOURCEA(id));
    if (!strip) return false;
    const SIZE drawn = ToolbarImageSize(drawnDpi);
    const SIZE wanted = ToolbarImageSize(dpi);
    if (drawn.cx != wanted.cx || drawn.cy != wanted.cy) {
        HBITMAP resized = ResizeStrip(strip, drawn, wanted);
        DeleteObject(strip);
        if (!resized) return false;
        strip = resized;
    }
    SendMessageA(window_, TB_SETBITMAPSIZE, 0, MAKELPARAM(wanted.cx, wanted.cy));
    const bool loaded = SetImages(strip, wanted);
    DeleteObject(strip);
    if (!loaded) return false;
    // The buttons keep the system's margin round their images: 7 by 7 pixels
    // at 100%, which makes the usual 23 by 22 button of a 16 by 15 image.
    SendMessageA(window_, TB_SETBUTTONSIZE, 0,
                 MAKELPARAM(wanted.cx + ScaleForDpi(7, dpi), wanted.cy + ScaleForDpi(7, dpi)));
    SendMessageA(window_, TB_AUTOSIZE, 0, 0);
    return true;
}

SIZE Toolbar::IdealSize() const {
    SIZE size = {0, 0};
    SendMessageA(window_, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    return size;
}

bool Toolbar::AnswerTooltip(NMHDR* header, const StringLookup& strings) {
    if (!header || !strings) return false;
    if (header->code != TTN_GETDISPINFOA && header->code != TTN_GETDISPINFOW) return false;
    // For a toolbar's tooltip, idFrom is the button's command id.
    const std::string tooltip = CommandTooltip(strings(static_cast<UINT>(header->idFrom)));
    if (header->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        lstrcpynA(info->szText, tooltip.c_str(), sizeof(info->szText));
        info->lpszText = info->szText;
        info->hinst = nullptr;
    } else {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
        const int capacity = static_cast<int>(sizeof(info->szText) / sizeof(info->szText[0]));
        const int written =
            MultiByteToWideChar(CP_ACP, 0, tooltip.c_str(), -1, info->szText, capacity);
        if (written == 0) info->szText[0] = L'\0';
        info->szText[capacity - 1] = L'\0';
        info->lpszText = info->szText;
        info->hinst = nullptr;
    }
    return true;
}
