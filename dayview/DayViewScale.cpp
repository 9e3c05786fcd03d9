// The day view on screens of any scale: the pictures it draws itself and the
// planner's row height follow the form's resolution.
#include "DayView.h"

#include <commctrl.h>

#include "DayViewImages.h"

void DayView::SetListImages(int dpi) {
    // A list destroys the image list it holds with itself, but not one it
    // is given in its place.
    if (HIMAGELIST priorities = DayViewImages::CreatePriorityImages(dpi)) {
        auto old = reinterpret_cast<HIMAGELIST>(SendMessageA(
            taskList_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(priorities)));
        if (old) ImageList_Destroy(old);
    }
    // WM_MEASUREITEM does not always reach the form before the planner's rows
    // are laid out (Wine); a blank image list one pixel wide makes the rows
    // at least as tall as the alarm mark.
    const int markHeight = DayViewImages::AlarmSize(dpi).cy;
    if (HIMAGELIST rowHeight = ImageList_Create(1, markHeight + 1, ILC_COLOR, 1, 0)) {
        auto old = reinterpret_cast<HIMAGELIST>(SendMessageA(
            timeSlotList_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(rowHeight)));
        if (old) ImageList_Destroy(old);
    }
}

void DayView::ApplyDpi(int dpi) {
    const int before = timeSlotDrawing_.Dpi();
    if (!Handle() || dpi <= 0 || dpi == before) return;
    timeSlotDrawing_.SetDpi(dpi);
    SetListImages(dpi);
    layout_.ScaleDesign(dpi, before);
    // The time column holds the widest time in the rescaled font.
    const int timeWidth = static_cast<int>(SendMessageA(
        timeSlotList_, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(" 00:00 AM ")));
    SendMessageA(timeSlotList_, LVM_SETCOLUMNWIDTH, 0, timeWidth);
    SetWindowPos(timeSlotList_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RECT client = {};
    GetClientRect(Handle(), &client);
    OnSize(client.right, client.bottom);
}
