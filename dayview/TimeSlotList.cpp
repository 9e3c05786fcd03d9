#include "TimeSlotList.h"

#include <commctrl.h>

#include <string>

#include "DayViewImages.h"
#include "Dpi.h"
#include "ListViewRows.h"

namespace {

void FillWith(HDC dc, const RECT& area, int systemColour) {
    FillRect(dc, &area, GetSysColorBrush(systemColour));
}

void WriteText(HDC dc, int x, int y, const std::string& text) {
    if (!text.empty()) TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

void DrawPicture(HDC dc, HBITMAP picture, int x, int y, int width, int height) {
    HDC source = CreateCompatibleDC(dc);
    if (!source) return;
    HGDIOBJ previous = SelectObject(source, picture);
    BitBlt(dc, x, y, width, height, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}

}  // namespace

TimeSlotList::TimeSlotList() : alarmBitmap_(DayViewImages::CreateAlarmBitmap()) {}

TimeSlotList::~TimeSlotList() {
    if (alarmBitmap_) DeleteObject(alarmBitmap_);
}

void TimeSlotList::SetDpi(int dpi) {
    if (dpi == dpi_ && alarmBitmap_) return;
    HBITMAP bitmap = DayViewImages::CreateAlarmBitmap(dpi);
    if (!bitmap) return;
    if (alarmBitmap_) DeleteObject(alarmBitmap_);
    alarmBitmap_ = bitmap;
    dpi_ = dpi;
}

void TimeSlotList::DrawRow(const DRAWITEMSTRUCT& item, const TimeSlotRows& rows) const {
    HDC dc = item.hDC;
    const RECT& row = item.rcItem;
    const int index = static_cast<int>(item.itemID);
    const int timeWidth = static_cast<int>(SendMessageA(item.hwndItem, LVM_GETCOLUMNWIDTH, 0, 0));
    // Two pixels of gap at 100%, scaled with the text beside them.
    const int gap = ScaleForDpi(2, dpi_);
    const int gutterRight = row.left + timeWidth - gap;

    if (item.itemState & ODS_FOCUS) {
        FillWith(dc, row, COLOR_HIGHLIGHT);
        const RECT focus = {gutterRight + 1, row.top + 1, row.right, row.bottom - 1};
        DrawFocusRect(dc, &focus);
    } else {
        FillWith(dc, row, COLOR_WINDOW);
    }

    const RECT gutter = {row.left, row.top, gutterRight, row.bottom};
    FillWith(dc, gutter, COLOR_BTNFACE);
    WriteText(dc, gutter.left + gap, row.top, ListViewRows::CellText(item.hwndItem, index, 0));

    // The mark follows the copy of the appointments taken at the last fill.
    const bool alarm = index >= 0 && static_cast<size_t>(index) < rows.size() &&
                       ListViewRows::ItemValue(item.hwndItem, index) != 0 &&
                       rows.ShowsAlarm(static_cast<size_t>(index));
    const SIZE mark = DayViewImages::AlarmSize(dpi_);
    if (alarm && alarmBitmap_)
        DrawPicture(dc, alarmBitmap_, gutterRight + gap, row.top, mark.cx, mark.cy);
    // The text starts a pixel (at 100%) after the mark.
    WriteText(dc, gutterRight + gap + (alarm ? mark.cx + ScaleForDpi(1, dpi_) : 0), row.top,
              ListViewRows::CellText(item.hwndItem, index, 1));

    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HGDIOBJ previous = SelectObject(dc, pen);
    MoveToEx(dc, row.left, row.bottom - 1, nullptr);
    LineTo(dc, row.right, row.bottom - 1);
    MoveToEx(dc, gutterRight, row.top, nullptr);
    LineTo(dc, gutterRight, row.bottom);
    SelectObject(dc, previous);
    DeleteObject(pen);
}
