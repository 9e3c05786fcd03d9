#include "Toolbar.h"

#include "Window.h"

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

    size_t imageCount = 0;
    for (UINT command : buttons)
        if (command) ++imageCount;
    images_ = ImageList_Create(kToolbarImageWidth, kToolbarImageHeight, ILC_COLOR24 | ILC_MASK,
                               static_cast<int>(imageCount), 0);
    if (images_ && strip) ImageList_AddMasked(images_, strip, kToolbarMaskColour);
    SendMessageA(window_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));

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
