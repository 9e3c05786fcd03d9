// The band container at the top of the frame: one band per bar, each on its
// own row, which can be shown and hidden by id.
#pragma once

#include <windows.h>
#include <commctrl.h>

class Rebar {
public:
    Rebar() = default;
    ~Rebar();
    Rebar(const Rebar&) = delete;
    Rebar& operator=(const Rebar&) = delete;

    bool Create(HWND parent, UINT id);
    HWND Handle() const { return window_; }

    // Adds a band holding `child` (which becomes the rebar's child), sized
    // to the child's ideal size. `newRow` starts a new row; `fullWidth`
    // stretches the band over the whole row. Returns the band's index or -1.
    int AddBand(HWND child, UINT bandId, SIZE childSize, bool newRow, bool fullWidth,
                bool visible);

    // Gives the band of `bandId` a child of the new ideal size, as AddBand
    // would (after the child's images or font changed with the scale).
    void FitBand(UINT bandId, SIZE childSize);

    int BandIndex(UINT bandId) const;
    void ShowBand(UINT bandId, bool show);
    bool IsBandVisible(UINT bandId) const;
    int BandCount() const;

    // Height of all visible rows (0 when none is visible).
    int Height() const;

    // True for RBN_HEIGHTCHANGE from this rebar: the frame redoes its
    // layout then.
    bool IsHeightChange(const NMHDR* header) const;

private:
    HWND window_ = nullptr;
};
