#include "Rebar.h"

#include "Window.h"

Rebar::~Rebar() {
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

bool Rebar::Create(HWND parent, UINT id) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                        RBS_VARHEIGHT | RBS_BANDBORDERS | CCS_NODIVIDER | CCS_NOPARENTALIGN |
                        CCS_TOP;
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, REBARCLASSNAMEA, "", style, 0, 0, 0, 0, parent,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                              ModuleInstance(), nullptr);
    if (!window_) return false;
    REBARINFO info = {};
    info.cbSize = sizeof(info);
    SendMessageA(window_, RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&info));
    return true;
}

int Rebar::AddBand(HWND child, UINT bandId, SIZE childSize, bool newRow, bool fullWidth,
                   bool visible) {
    REBARBANDINFOA band = {};
    // The size every comctl32 version understands (without the Vista fields).
    band.cbSize = REBARBANDINFOA_V6_SIZE;
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_ID | RBBIM_STYLE | RBBIM_SIZE |
                 RBBIM_IDEALSIZE;
    band.fStyle = RBBS_CHILDEDGE | RBBS_NOGRIPPER | RBBS_USECHEVRON;
    if (newRow) band.fStyle |= RBBS_BREAK;
    if (!visible) band.fStyle |= RBBS_HIDDEN;
    band.hwndChild = child;
    band.wID = bandId;
    band.cxMinChild = fullWidth ? 0 : childSize.cx;
    band.cyMinChild = childSize.cy;
    band.cyChild = childSize.cy;
    band.cyMaxChild = childSize.cy;
    band.cxIdeal = childSize.cx;
    // A wide band takes the row: the rebar shrinks it to the row's width.
    band.cx = fullWidth ? 10000 : childSize.cx;
    const int index = BandCount();
    if (!SendMessageA(window_, RB_INSERTBANDA, static_cast<WPARAM>(-1),
                      reinterpret_cast<LPARAM>(&band)))
        return -1;
    return index;
}

void Rebar::FitBand(UINT bandId, SIZE childSize) {
    const int index = BandIndex(bandId);
    if (index < 0) return;
    REBARBANDINFOA band = {};
    band.cbSize = REBARBANDINFOA_V6_SIZE;
    band.fMask = RBBIM_CHILDSIZE | RBBIM_IDEALSIZE;
    SendMessageA(window_, RB_GETBANDINFOA, index, reinterpret_cast<LPARAM>(&band));
    // A full-width band (no minimum width) stays one.
    if (band.cxMinChild != 0) band.cxMinChild = childSize.cx;
    band.cyMinChild = childSize.cy;
    band.cyChild = childSize.cy;
    band.cyMaxChild = childSize.cy;
    band.cxIdeal = childSize.cx;
    SendMessageA(window_, RB_SETBANDINFOA, index, reinterpret_cast<LPARAM>(&band));
}

int Rebar::BandIndex(UINT bandId) const {
    return static_cast<int>(SendMessageA(window_, RB_IDTOINDEX, bandId, 0));
}

void Rebar::ShowBand(UINT bandId, bool show) {
    const int index = BandIndex(bandId);
    if (index >= 0) SendMessageA(window_, RB_SHOWBAND, index, show);
}

bool Rebar::IsBandVisible(UINT bandId) const {
    const int index = BandIndex(bandId);
    if (index < 0) return false;
    REBARBANDINFOA band = {};
    band.cbSize = REBARBANDINFOA_V6_SIZE;
    band.fMask = RBBIM_STYLE;
    SendMessageA(window_, RB_GETBANDINFOA, index, reinterpret_cast<LPARAM>(&band));
    return (band.fStyle & RBBS_HIDDEN) == 0;
}

int Rebar::BandCount() const {
    return static_cast<int>(SendMessageA(window_, RB_GETBANDCOUNT, 0, 0));
}

int Rebar::Height() const {
    return static_cast<int>(SendMessageA(window_, RB_GETBARHEIGHT, 0, 0));
}

bool Rebar::IsHeightChange(const NMHDR* header) const {
    return header && header->hwndFrom == window_ && header->code == RBN_HEIGHTCHANGE;
}
