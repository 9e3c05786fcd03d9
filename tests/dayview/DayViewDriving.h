// Working the day view as the user's clicks and the calendar would: the
// notifications its lists and calendar send to the form, and reading back
// what the lists and fields show.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "DateTime.h"
#include "DayView.h"
#include "ListViewRows.h"
#include "resource.h"

namespace DayViewDriving {

// A day view of `document` on a hidden parent window, as the frame would hold
// it; the view is detached and destroyed, then the parent, with this object.
class HostedDayView {
public:
    explicit HostedDayView(PimDocument& document)
        : document_(document), view_(std::make_unique<DayView>(document)) {
        parent_ = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~HostedDayView() {
        if (attached_) document_.DetachView(view_.get());
        view_.reset();
        if (parent_) DestroyWindow(parent_);
    }
    HostedDayView(const HostedDayView&) = delete;
    HostedDayView& operator=(const HostedDayView&) = delete;

    // Creates the form; with `attach` the document's notifications reach it.
    // Returns whether the form exists.
    bool Open(bool attach = true) {
        if (!parent_ || !view_->Create(parent_)) return false;
        if (attach) document_.AttachView(view_.get());
        attached_ = attach;
        return true;
    }

    DayView* View() const { return view_.get(); }

private:
    PimDocument& document_;
    std::unique_ptr<DayView> view_;
    HWND parent_ = nullptr;
    bool attached_ = false;
};

// A click as the list reports it: the position inside the row's bounds, or
// the list's empty lower right corner for row -1.
inline void ClickRow(HWND form, int listId, int row, UINT code = NM_CLICK) {
    HWND list = GetDlgItem(form, listId);
    NMITEMACTIVATE click = {};
    click.hdr.hwndFrom = list;
    click.hdr.idFrom = static_cast<UINT_PTR>(listId);
    click.hdr.code = code;
    click.iItem = row;
    if (row >= 0) {
        RECT bounds = {};
        bounds.left = LVIR_BOUNDS;
        SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
        click.ptAction = {bounds.left + 4, (bounds.top + bounds.bottom) / 2};
    } else {
        RECT client = {};
        GetClientRect(list, &client);
        click.ptAction = {client.right - 4, client.bottom - 4};
    }
    SendMessageA(form, WM_NOTIFY, listId, reinterpret_cast<LPARAM>(&click));
}

// The day planner follows its own selection: select the row, then click.
inline void SelectSlotRow(HWND form, int row) {
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(GetDlgItem(form, IDC_DAY_TIME_SLOT_LIST), LVM_SETITEMSTATE, row,
                 reinterpret_cast<LPARAM>(&state));
    ClickRow(form, IDC_DAY_TIME_SLOT_LIST, row);
}

// Returns whether the calendar took the day.
inline bool PickDay(HWND form, const DateTime& day) {
    SYSTEMTIME picked = {};
    picked.wYear = static_cast<WORD>(day.Year());
    picked.wMonth = static_cast<WORD>(day.Month());
    picked.wDay = static_cast<WORD>(day.Day());
    HWND calendar = GetDlgItem(form, IDC_DAY_CALENDAR);
    if (!SendMessageA(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&picked))) return false;
    NMSELCHANGE change = {};
    change.nmhdr.hwndFrom = calendar;
    change.nmhdr.idFrom = IDC_DAY_CALENDAR;
    change.nmhdr.code = MCN_SELCHANGE;
    change.stSelStart = picked;
    change.stSelEnd = picked;
    SendMessageA(form, WM_NOTIFY, IDC_DAY_CALENDAR, reinterpret_cast<LPARAM>(&change));
    return true;
}

inline std::vector<std::string> ColumnTexts(HWND form, int listId, int column) {
    std::vector<std::string> texts;
    HWND list = GetDlgItem(form, listId);
    for (int row = 0; row < ListViewRows::RowCount(list); ++row)
        texts.push_back(ListViewRows::CellText(list, row, column));
    return texts;
}

inline std::string ControlText(HWND window, int id) {
    char text[512] = {};
    GetWindowTextA(GetDlgItem(window, id), text, sizeof(text));
    return text;
}

}  // namespace DayViewDriving
