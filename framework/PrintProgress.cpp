#include "PrintProgress.h"

#include <cstdio>
#include <utility>

#include "Window.h"
#include "resource.h"

namespace {

// The job whose abort procedure runs: one at a time, on the one thread.
PrintProgress* g_running = nullptr;

}  // namespace

PrintProgress::PrintingWindow::PrintingWindow(PrintProgress& progress) : Dialog(IDD_PRINTING), progress_(progress) {}

bool PrintProgress::PrintingWindow::OnInitDialog() {
    SetDlgItemTextA(Handle(), IDC_PRINTING_WHAT, progress_.what_.c_str());
    CentreOverOwner(Handle());
    return true;
}

void PrintProgress::PrintingWindow::OnCancel() {
    if (progress_.cancelled_) return;
    progress_.cancelled_ = true;
    // The job stops before its next page; until then the window says so.
    SetDlgItemTextA(Handle(), IDC_PRINTING_PAGE, "Cancelling...");
    EnableWindow(Item(IDCANCEL), FALSE);
}

PrintProgress::PrintProgress(HWND owner, std::string what, DWORD delayMs)
    : owner_(owner), what_(std::move(what)), delayMs_(delayMs) {}

PrintProgress::~PrintProgress() {
    if (g_running == this) g_running = nullptr;
    Close();
}

void PrintProgress::JobStarting(HDC printerDC, int pageCount) {
    pageCount_ = pageCount;
    pageNumber_ = 0;
    cancelled_ = false;
    running_ = true;
    startTicks_ = GetTickCount();
    g_running = this;
    SetAbortProc(printerDC, AbortProcedure);
}

void PrintProgress::PageStarting(int pageNumber) {
    pageNumber_ = pageNumber;
    ShowWhenDue();
    if (!window_.Handle()) return;
    if (!cancelled_) ShowPageText();
    Pump();
}

void PrintProgress::JobEnded() {
    running_ = false;
    if (g_running == this) g_running = nullptr;
    Close();
}

BOOL CALLBACK PrintProgress::AbortProcedure(HDC, int) {
    // No exception may unwind into the spooler.
    try {
        if (g_running && g_running->running_) {
            g_running->ShowWhenDue();
            g_running->Pump();
        }
    } catch (...) {
    }
    return TRUE;
}

void PrintProgress::ShowWhenDue() {
    if (window_.Handle() || !running_ || cancelled_ || pageNumber_ == 0) return;
    if (GetTickCount() - startTicks_ < delayMs_) return;
    if (!window_.Create(owner_)) return;
    ShowPageText();
    ShowWindow(window_.Handle(), SW_SHOW);
    // Shown first, so that it takes the activation from the owner rather
    // than some other program's window; then the owner takes no input.
    if (owner_ && IsWindowEnabled(owner_)) {
        EnableWindow(owner_, FALSE);
        ownerDisabled_ = true;
    }
    UpdateWindow(window_.Handle());
}

void PrintProgress::ShowPageText() {
    char text[64];
    std::snprintf(text, sizeof text, "Page %d of %d", pageNumber_, pageCount_);
    SetDlgItemTextA(window_.Handle(), IDC_PRINTING_PAGE, text);
}

void PrintProgress::Pump() {
    // A message handled here may call the spooler again, which calls the
    // abort procedure: one level of pumping is enough.
    if (pumping_ || !window_.Handle()) return;
    pumping_ = true;
    // Timers wait for the end of the job: a tick must not start the alarm
    // check's reminder, or anything else of the program, in the middle of it.
    const auto next = [](MSG& message) {
        return PeekMessageA(&message, nullptr, 0, WM_TIMER - 1, PM_REMOVE) ||
               PeekMessageA(&message, nullptr, WM_TIMER + 1, 0xFFFFFFFF, PM_REMOVE);
    };
    MSG message;
    while (next(message)) {
        if (message.message == WM_QUIT) {
            // The main loop ends the program once the job is over.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        HWND window = window_.Handle();
        if (window && IsDialogMessageA(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    pumping_ = false;
}

void PrintProgress::Close() {
    // The owner first: destroying the active window then hands the
    // activation back to it.
    if (ownerDisabled_) {
        EnableWindow(owner_, TRUE);
        ownerDisabled_ = false;
    }
    if (HWND window = window_.Handle()) DestroyWindow(window);
}
