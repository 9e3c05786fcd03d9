// The menu bar: a flat toolbar with one text button per popup of a menu,
// which opens that popup under the button. Popup messages (WM_INITMENUPOPUP,
// WM_MENUSELECT, WM_COMMAND...) reach the frame as they would from a window
// menu, so the frame updates command states and status prompts as usual.
//
// Keyboard: the frame passes WM_SYSCOMMAND SC_KEYMENU to OnKeyMenu (Alt
// alone or F10 enters menu mode, Alt+letter opens the popup with that
// mnemonic), and the bar sits first in the message loop's key handlers so
// that in menu mode the arrows move, Enter or Down opens and Escape leaves.
// While a popup is open, moving the mouse onto another button or pressing
// Left/Right at the popup's top level switches to the neighbouring popup.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "MessageLoop.h"

class MenuBar : public KeyHandler {
public:
    MenuBar() = default;
    ~MenuBar() override;
    MenuBar(const MenuBar&) = delete;
    MenuBar& operator=(const MenuBar&) = delete;

    // Creates the bar as a child of `frame` with one button per popup of
    // `menu`. The bar takes over `menu` and destroys it with itself.
    bool Create(HWND frame, HMENU menu, UINT id);

    HWND Handle() const { return window_; }
    HMENU Menu() const { return menu_; }
    int ButtonCount() const;
    std::string ButtonText(int index) const;
    SIZE IdealSize() const;

    // The popup whose mnemonic is `character` (either case), -1 for none.
    int FindMnemonic(char character) const;

    // WM_SYSCOMMAND SC_KEYMENU's lParam: 0 toggles menu mode, a letter
    // opens its popup. Returns false when the bar has no use for the key
    // (the frame then passes it to DefWindowProc, e.g. Alt+Space).
    bool OnKeyMenu(LPARAM character);

    // KeyHandler: consumes the keys of menu mode.
    bool PreTranslate(MSG& message) override;

    void EnterMenuMode(int hotIndex = 0);
    void LeaveMenuMode();
    bool InMenuMode() const { return menuMode_; }
    int HotIndex() const { return hotIndex_; }

    // Shows popup `index` under its button and returns when the popup (and
    // any popup switched to from it) has closed. From the keyboard, the
    // popup's first item is selected.
    void OpenPopup(int index, bool fromKeyboard);
    // The popup being shown, -1 when none.
    int OpenIndex() const { return openIndex_; }

private:
    static LRESULT CALLBACK ToolbarProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam, UINT_PTR id, DWORD_PTR self);
    static LRESULT CALLBACK MessageFilter(int code, WPARAM wParam, LPARAM lParam);

    LRESULT OnToolbarMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    bool FilterMenuMessage(const MSG& message);
    void TrackOne(int index, bool fromKeyboard);
    void SwitchTo(int index, bool fromKeyboard);
    int ButtonAt(HWND window, LPARAM clientPoint) const;
    void SetHot(int index);
    void ShowKeyboardCues(bool show);
    int Neighbour(int index, int step) const;

    HWND window_ = nullptr;
    HWND frame_ = nullptr;
    HMENU menu_ = nullptr;
    std::vector<char> mnemonics_;  // upper case, 0 when the text has none

    bool menuMode_ = false;
    int hotIndex_ = -1;
    bool swallowKeyUp_ = false;

    // Tracking state.
    int openIndex_ = -1;
    int nextIndex_ = -1;
    bool nextFromKeyboard_ = false;
    bool escapedToBar_ = false;
    HMENU selectedMenu_ = nullptr;
    UINT selectedFlags_ = 0;
    HHOOK filterHook_ = nullptr;
};
