#include "ListViewRows.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
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

void SetVirtualRows(HWND list, size_t count) {
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    SendMessageA(list, LVM_SETITEMCOUNT, count, 0);
}

void AnswerText(NMHDR* header, std::string_view text) {
    if (header->code == LVN_GETDISPINFOW) {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
        if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
        const int written = MultiByteToWideChar(CP_ACP, 0, text.data(),
                                                static_cast<int>(text.size()), item.pszText,
                                                item.cchTextMax - 1);
        item.pszText[std::max(written, 0)] = L'\0';
        return;
    }
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(header)->item;
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
    const size_t length = std::min(text.size(), static_cast<size_t>(item.cchTextMax - 1));
    std::memcpy(item.pszText, text.data(), length);
    item.pszText[length] = '\0';
}

int FindRow(int count, int start, bool wrap, bool partial, const std::string& wanted,
            const std::function<std::string_view(int)>& textOf) {
    if (count <= 0) return -1;
    if (start < 0 || start >= count) start = 0;
    const int length = static_cast<int>(wanted.size());
    const int end = wrap ? start + count : count;
    for (int step = start; step < end; ++step) {
        const int row = step % count;
        const std::string_view text = textOf(row);
        if (partial && static_cast<int>(text.size()) < length) continue;
        const int compared = partial ? length : static_cast<int>(text.size());
        if (!partial && compared != length) continue;
        if (CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, text.data(), compared,
                           wanted.data(), length) == CSTR_EQUAL)
            return row;
    }
    return -1;
}

LRESULT AnswerFind(NMHDR* header, int count,
                   const std::function<std::string_view(int)>& textOf) {
    std::string wanted;
    UINT flags = 0;
    int start = 0;
    if (header->code == LVN_ODFINDITEMW) {
        const auto* find = reinterpret_cast<const NMLVFINDITEMW*>(header);
        flags = find->lvfi.flags;
        start = find->iStart;
        if ((flags & (LVFI_STRING | LVFI_PARTIAL)) && find->lvfi.psz) {
            const int needed = WideCharToMultiByte(CP_ACP, 0, find->lvfi.psz, -1, nullptr, 0,
                                                   nullptr, nullptr);
            if (needed > 1) {
                wanted.resize(static_cast<size_t>(needed));
                WideCharToMultiByte(CP_ACP, 0, find->lvfi.psz, -1, &wanted[0], needed, nullptr,
                                    nullptr);
                wanted.resize(static_cast<size_t>(needed - 1));
            }
        }
    } else {
        const auto* find = reinterpret_cast<const NMLVFINDITEMA*>(header);
        flags = find->lvfi.flags;
        start = find->iStart;
        if ((flags & (LVFI_STRING | LVFI_PARTIAL)) && find->lvfi.psz) wanted = find->lvfi.psz;
    }
    // Only searches by text are answered: the rows hold no item values the
    // list could look for.
    if (!(flags & (LVFI_STRING | LVFI_PARTIAL))) return -1;
    return FindRow(count, start, (flags & LVFI_WRAP) != 0, (flags & LVFI_PARTIAL) != 0, wanted,
                   textOf);
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
