#include "ListViewRows.h"

#include <commctrl.h>

#include <vector>

namespace ListViewRows {

void AddColumn(HWND list, int column, const char* heading, int width, int format) {
    LVCOLUMNA entry = {};
    entry.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    entry.fmt = format;
    entry.cx = width;
    entry.pszText = const_cast<char*>(heading);
    entry.iSubItem = column;
    SendMessageA(list, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&entry));
}

int InsertRow(HWND list, int row, const std::string& text, int32_t itemValue, int image) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    if (image >= 0) item.mask |= LVIF_IMAGE;
    item.iItem = row;
    item.pszText = const_cast<char*>(text.c_str());
    item.lParam = itemValue;
    item.iImage = image;
    return static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void SetCellText(HWND list, int row, int column, const std::string& text) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

std::string CellText(HWND list, int row, int column) {
    std::vector<char> buffer(1024, '\0');
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return buffer.data();
}

void SetItemValue(HWND list, int row, int32_t itemValue) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = itemValue;
    SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

int32_t ItemValue(HWND list, int row) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (row < 0 || !SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return 0;
    // The list stores the record's 32-bit ID in the pointer-sized value.
    return static_cast<int32_t>(item.lParam);
}

void SetImage(HWND list, int row, int image) {
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iImage = image;
    SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

int RowCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

int RowAt(HWND list, POINT point) {
    LVHITTESTINFO hit = {};
    hit.pt = point;
    return static_cast<int>(SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

DrawingSuspended::DrawingSuspended(HWND list) : list_(list) {
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
}

DrawingSuspended::~DrawingSuspended() {
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

SortingSuspended::SortingSuspended(HWND list)
    : list_(list),
      sorting_(GetWindowLongPtrA(list, GWL_STYLE) & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) {
    if (sorting_) SetWindowLongPtrA(list_, GWL_STYLE, GetWindowLongPtrA(list_, GWL_STYLE) & ~sorting_);
}

SortingSuspended::~SortingSuspended() {
    if (sorting_) SetWindowLongPtrA(list_, GWL_STYLE, GetWindowLongPtrA(list_, GWL_STYLE) | sorting_);
}

}  // namespace ListViewRows
