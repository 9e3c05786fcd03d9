// Drives the dialogs that a piece of code shows on this thread: each new
// dialog is handed to an action, run inside the dialog's own modal loop once
// the dialog is set up. A dialog still open after the time limit is cancelled,
// so a test that forgets to close one fails instead of hanging.
#pragma once

#include <windows.h>

#include <functional>
#include <map>

class DialogDriver {
public:
    using Action = std::function<void(HWND dialog)>;

    explicit DialogDriver(Action action, UINT timeLimitMs = 5000);
    ~DialogDriver();

    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // How many dialogs were handed to the action.
    int DialogsDriven() const { return driven_; }
    // How many dialogs had to be cancelled because the time limit passed.
    int DialogsCancelled() const { return cancelled_; }

private:
    static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK OnActionTimer(HWND window, UINT message, UINT_PTR id, DWORD time);
    static void CALLBACK OnTimeLimit(HWND window, UINT message, UINT_PTR id, DWORD time);

    HHOOK hook_ = nullptr;
    Action action_;
    UINT timeLimitMs_;
    int driven_ = 0;
    int cancelled_ = 0;
    std::map<UINT_PTR, HWND> actionTimers_;
    std::map<UINT_PTR, HWND> limitTimers_;
};
