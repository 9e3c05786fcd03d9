// Helpers of the window framework's tests: a recording frame window, an
// in-memory dialog template, a drawn image strip and a message pump.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "Window.h"

// Registers the bar, cool bar and date classes once.
void InitialiseTestControls();

// Processes what is waiting in this thread's queue.
void PumpWaiting();

// A top-level window that records what the framework sends to a frame.
class RecordingFrame : public Window {
public:
    static const char kClassName[];

    bool CreateFrame(bool visible = false);

    std::vector<HMENU> initialisedPopups;
    std::vector<UINT> commands;
    std::vector<UINT> selectedItems;
    // Called for WM_SYSCOMMAND SC_KEYMENU; returns whether it was used.
    std::function<bool(LPARAM)> onKeyMenu;
    // Called for WM_INITMENUPOPUP after it is recorded.
    std::function<void(HMENU)> onPopup;
    int created = 0;
    bool throwOnCommand = false;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A dialog template built in memory: a caption, an edit control with id
// `editId` and OK and Cancel buttons.
std::vector<WORD> BuildEditDialogTemplate(const wchar_t* caption, int editId);

// A strip of `count` 16 by 15 images on the mask grey; image i is filled
// with colour RGB(i * 40, 0, 200) in its middle.
HBITMAP CreateImageStrip(int count);

// Runs `action` from a thread timer after `delayMs` (inside whatever modal
// loop runs then).
void RunLater(UINT delayMs, std::function<void()> action);
