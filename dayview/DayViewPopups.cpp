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

namespace {

void Grey(HMENU popup, UINT id) { EnableMenuItem(popup, id, MF_BYCOMMAND | MF_GRAYED); }

}  // namespace

void DayView::ShowContextMenu(HWND list, POINT screenPoint) {
    // A fresh copy of the menu: greying here must not touch the menu bar's.
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAIN_FRAME));
    if (!menu) return;
    POINT point = screenPoint;
    ScreenToClient(list, &point);
    const int row = ListViewRows::RowAt(list, point);

    HMENU popup = nullptr;
    if (list == timeSlotList_) {
        popup = FindPopupByText(menu, "&Appointments");
        currentSlotRow_ = row;
        selectedAppointmentID_ = -1;
        if (row != -1 && !ListViewRows::CellText(list, row, 1).empty())
            selectedAppointmentID_ = ListViewRows::ItemValue(list, row);
        if (popup && selectedAppointmentID_ == -1) {
            Grey(popup, ID_APPOINTMENT_DELETE);
            Grey(popup, ID_APPOINTMENT_EDIT);
        }
    } else if (list == phoneList_) {
        popup = FindPopupByText(menu, "&Phone Book");
        currentPersonRow_ = row;
        if (row != -1) {
            selectedPersonID_ = ListViewRows::ItemValue(list, row);
        } else if (popup) {
            Grey(popup, ID_PERSON_DELETE);
            Grey(popup, ID_PERSON_EDIT);
        }
    } else if (list == taskList_) {
        popup = FindPopupByText(menu, "&Tasks");
        currentTaskRow_ = row;
        if (row != -1) {
            selectedTaskID_ = ListViewRows::ItemValue(list, row);
        } else if (popup) {
            Grey(popup, ID_TASK_DELETE);
            Grey(popup, ID_TASK_EDIT);
            Grey(popup, ID_TASK_COMPLETE);
        }
    }
    // The chosen item reaches the form as an ordinary command.
    if (popup)
        TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_LEFTBUTTON, screenPoint.x, screenPoint.y, 0,
                       Handle(), nullptr);
    DestroyMenu(menu);
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
    HWND child = ChildWindowFromPointEx(Handle(), formPoint, CWP_SKIPINVISIBLE);
    if (child && child != Handle()) {
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
