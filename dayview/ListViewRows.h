// Small helpers for the report-view list controls of the day view: columns,
// rows with an item value, cell texts, and suspending the drawing while a
// list is refilled.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace ListViewRows {

void AddColumn(HWND list, int column, const char* heading, int width, int format = LVCFMT_LEFT);

// Inserts a row at `row` (or where a sorted list places it) with the text of
// column 0, the item value and the image; returns the row's index, -1 on
// failure.
int InsertRow(HWND list, int row, const std::string& text, int32_t itemValue, int image = -1);

void SetCellText(HWND list, int row, int column, const std::string& text);
std::string CellText(HWND list, int row, int column);

void SetItemValue(HWND list, int row, int32_t itemValue);
// The row's item value, 0 when there is no such row.
int32_t ItemValue(HWND list, int row);

void SetImage(HWND list, int row, int image);

int RowCount(HWND list);

// The row under a point in the list's client coordinates, -1 for none.
int RowAt(HWND list, POINT point);

// Lists whose rows live in the view's own arrays (LVS_OWNERDATA): the list
// holds only the row count, the selection and the focus, and asks for what
// it shows.

// Empties the list and gives it `count` rows, none selected, scrolled to the
// top, as a refill by deleting and inserting rows leaves it.
void SetVirtualRows(HWND list, size_t count);

// Answers the list's question for a cell's text (LVN_GETDISPINFOA or W in
// `header`): `text` is copied into the list's buffer, cut to its size.
void AnswerText(NMHDR* header, std::string_view text);

// The row whose text begins with (`partial`) or equals `wanted`, compared
// as the list compares, ignoring case; the search starts at `start` and,
// with `wrap`, goes round to the top. -1 for none.
int FindRow(int count, int start, bool wrap, bool partial, const std::string& wanted,
            const std::function<std::string_view(int)>& textOf);

// Answers LVN_ODFINDITEMA or W in `header` by FindRow over the rows' texts;
// the result is what the list expects back.
LRESULT AnswerFind(NMHDR* header, int count,
                   const std::function<std::string_view(int)>& textOf);

// Stops the list's drawing for its lifetime; the list is redrawn afterwards.
class DrawingSuspended {
public:
    explicit DrawingSuspended(HWND list);
    ~DrawingSuspended();
    DrawingSuspended(const DrawingSuspended&) = delete;
    DrawingSuspended& operator=(const DrawingSuspended&) = delete;

private:
    HWND list_;
};

// Switches the list's own ascending sort off for its lifetime, so rows put
// in already ordered are appended; the style is restored afterwards and the
// rows stay where they are.
class SortingSuspended {
public:
    explicit SortingSuspended(HWND list);
    ~SortingSuspended();
    SortingSuspended(const SortingSuspended&) = delete;
    SortingSuspended& operator=(const SortingSuspended&) = delete;

private:
    HWND list_;
    LONG_PTR sorting_;
};

}  // namespace ListViewRows
