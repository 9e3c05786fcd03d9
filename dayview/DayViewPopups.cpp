// The day view's context menus and its help: the popups of the main menu
// shown over the lists, and help topics for its controls, asked for with F1
// or by clicking a control in pointer help mode.
#include "DayView.h"

#include <commctrl.h>


#include "DayViewHelp.h"
#include "GdiHelpers.h"
#include "HelpLibrary.h"
#include "ListViewRows.h"
#include "resource.h"

void DayView::ShowContextMenu(HWND list, POINT screenPoint, bool fromKeyboard) {
    const char* popupText = nullptr;
    ListPick* pick = nullptr;
    ListPick (DayView::*pickRow)(int) const = nullptr;
    ActiveControl active = ActiveControl::kNone;
    if (list == timeSlotList_) {
        popupText = "&Appointments";
        pick = &selection_.slot;
        pickRow = &DayView::PickSlotRow;
        active = ActiveControl::kTimeSlotList;
    } else if (list == phoneList_) {
        popupText = "&Phone Book";
        pick = &selection_.person;
        pickRow = &DayView::PickPersonRow;
        active = ActiveControl::kPhoneList;
    } else if (list == taskList_) {
        popupText = "&Tasks";
        pick = &selection_.task;
        pickRow = &DayView::PickTaskRow;
        active = ActiveControl::kTaskList;
    } else {
        return;
    }
    if (fromKeyboard) {
        // The keyboard acts on the row clicked last, whatever lies under the
        // pointer.
        screenPoint = KeyboardMenuPoint(list, pick->row);
    } else {
        POINT point = screenPoint;
        ScreenToClient(list, &point);
        *pick = (this->*pickRow)(ListViewRows::RowAt(list, point));
    }
    selection_.active = active;

    // A fresh copy of the menu: greying here must not touch the menu bar's.
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAIN_FRAME));
    if (!menu) return;
    if (HMENU popup = FindPopupByText(menu, popupText)) {
        // The popup follows the same rules as the commands it sends.
        const int count = GetMenuItemCount(popup);
        for (int position = 0; position < count; ++position) {
            const UINT id = GetMenuItemID(popup, position);
            if (id != static_cast<UINT>(-1) && !CommandEnabled(id))
                EnableMenuItem(popup, position, MF_BYPOSITION | MF_GRAYED);
        }
        // The chosen item reaches the form as an ordinary command.
        TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_LEFTBUTTON, screenPoint.x, screenPoint.y, 0,
                       Handle(), nullptr);
    }
    DestroyMenu(menu);
}

POINT DayView::KeyboardMenuPoint(HWND list, int row) const {
    POINT point = {0, 0};
    RECT client = {};
    GetClientRect(list, &client);
    RECT bounds = {};
    bounds.left = LVIR_BOUNDS;
    RECT visible = {};
    if (row >= 0 && SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds)) &&
        IntersectRect(&visible, &bounds, &client)) {
        point.x = visible.left;
        point.y = visible.bottom;
    }
    ClientToScreen(list, &point);
    return point;
}

void DayView::SetHelp(HelpLibrary* help, std::string directory, std::string fileName) {
    help_ = help;
    helpDirectory_ = std::move(directory);
    helpFileName_ = std::move(fileName);
}

void DayView::ShowHelpFor(int controlId) {
    const std::string topic = DayViewHelp::TopicFor(controlId, helpDirectory_, helpFileName_);
    if (topic.empty() || !help_) return;
    help_->Show(Handle(), topic.c_str(), DayViewHelp::kDisplayTopic, 0);
}

void DayView::EnterHelpMode() {
    helpMode_ = true;
    SetCapture(Handle());
    SetCursor(LoadCursor(nullptr, IDC_HELP));
}

void DayView::OnLeftButtonUp(POINT formPoint) {
    // The control under the pointer. The frames round groups of controls
    // cover the controls they hold and come before them in the Z order, so
    // the first child there is often a frame: a control is taken before any
    // frame over it, and a frame answers only for its own empty space.
    const auto isFrame = [](HWND window) {
        char className[16] = "";
        GetClassNameA(window, className, sizeof(className));
        return lstrcmpiA(className, "Button") == 0 &&
               (GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
    };
    HWND child = nullptr;
    HWND frame = nullptr;
    for (HWND candidate = GetWindow(Handle(), GW_CHILD); candidate && !child;
         candidate = GetWindow(candidate, GW_HWNDNEXT)) {
        // A control hidden itself is passed over (the form may sit in a
        // window not shown yet).
        if (!(GetWindowLongA(candidate, GWL_STYLE) & WS_VISIBLE)) continue;
        RECT bounds = {};
        GetWindowRect(candidate, &bounds);
        MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&bounds), 2);
        if (!PtInRect(&bounds, formPoint)) continue;
        if (!isFrame(candidate))
            child = candidate;
        else if (!frame)
            frame = candidate;
    }
    if (!child) child = frame;
    if (child) {
        HELPINFO info = {};
        info.cbSize = sizeof(info);
        info.iContextType = HELPINFO_WINDOW;
        info.iCtrlId = GetDlgCtrlID(child);
        info.hItemHandle = child;
        POINT screen = formPoint;
        ClientToScreen(Handle(), &screen);
        info.MousePos = screen;
        SendMessageA(Handle(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    }
    // The mode ends with the capture even when nothing was hit: left set, a
    // plain click on a group's empty space much later would open its help.
    helpMode_ = false;
    ReleaseCapture();
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
}
