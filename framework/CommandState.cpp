#include "CommandState.h"

#include <commctrl.h>

void ApplyCommandStatesToMenu(HMENU menu, const CommandStateLookup& lookup) {
    if (!menu || !lookup) return;
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOA item = {};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_FTYPE;
        if (!GetMenuItemInfoA(menu, position, TRUE, &item)) continue;
        if (item.hSubMenu) {
            ApplyCommandStatesToMenu(item.hSubMenu, lookup);
            continue;
        }
        if (item.fType & MFT_SEPARATOR) continue;
        const CommandState wanted = lookup(item.wID);
        const bool enabled = (item.fState & MFS_GRAYED) == 0;
        const bool checked = (item.fState & MFS_CHECKED) != 0;
        if (enabled != wanted.enabled)
            EnableMenuItem(menu, position,
                           MF_BYPOSITION | (wanted.enabled ? MF_ENABLED : MF_GRAYED));
        if (checked != wanted.checked)
            CheckMenuItem(menu, position,
                          MF_BYPOSITION | (wanted.checked ? MF_CHECKED : MF_UNCHECKED));
    }
}

void ApplyCommandStatesToToolbar(HWND toolbar, const CommandStateLookup& lookup) {
    if (!toolbar || !lookup) return;
    const int count = static_cast<int>(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        TBBUTTON button = {};
        if (!SendMessageA(toolbar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button)))
            continue;
        if (button.fsStyle & BTNS_SEP) continue;
        const CommandState wanted = lookup(static_cast<UINT>(button.idCommand));
        const bool enabled = (button.fsState & TBSTATE_ENABLED) != 0;
        const bool checked = (button.fsState & TBSTATE_CHECKED) != 0;
        if (enabled != wanted.enabled)
            SendMessageA(toolbar, TB_ENABLEBUTTON, button.idCommand, MAKELPARAM(wanted.enabled, 0));
        if (checked != wanted.checked)
            SendMessageA(toolbar, TB_CHECKBUTTON, button.idCommand, MAKELPARAM(wanted.checked, 0));
    }
}

void CommandStateTargets::Apply(const CommandStateLookup& lookup) const {
    for (HMENU menu : menus_) ApplyCommandStatesToMenu(menu, lookup);
    for (HWND toolbar : toolbars_) ApplyCommandStatesToToolbar(toolbar, lookup);
}
