// The drawing side of the day planner: the rows of the owner-drawn time-slot
// list are painted here, one at a time, as the list asks its form.
#pragma once

#include <windows.h>

#include "DayRows.h"

class TimeSlotList {
public:
    TimeSlotList();
    ~TimeSlotList();
    TimeSlotList(const TimeSlotList&) = delete;
    TimeSlotList& operator=(const TimeSlotList&) = delete;

    // Paints the row `item` names: the time in the grey gutter (column 0
    // less two pixels), the clock mark when the row's appointment in `rows`
    // has its alarm set, the appointment text, and the separating lines.
    // The row's texts are read from the list itself.
    void DrawRow(const DRAWITEMSTRUCT& item, const TimeSlotRows& rows) const;

    // Draws from now on for a screen at `dpi`: the clock mark and the gaps
    // beside it scale (96 until told otherwise).
    void SetDpi(int dpi);
    int Dpi() const { return dpi_; }

private:
    int dpi_ = 96;
    HBITMAP alarmBitmap_ = nullptr;
};
