// The "Printing" window of a long print job: from a moment into the job it
// names what is printed, shows "Page N of M" for every page and offers
// Cancel. While it is up, the owner (the main window) is disabled as under
// a modal dialog, and the job's abort procedure keeps the window's messages
// flowing, so Cancel, Esc and moving the window work between the
// spooler's calls. A short job ends before the window would appear and
// shows nothing.
#pragma once

#include <windows.h>

#include <string>

#include "Dialog.h"
#include "PrintJob.h"

class PrintProgress : public PrintJobProgress {
public:
    // Two seconds: a job that takes longer is worth a word to the user.
    static const DWORD kDefaultDelayMs = 2000;

    // `owner` is the window the job runs for; `what` the line that says
    // what is printed ("Printing the report DAILY PLAN"); the window
    // appears once `delayMs` have passed since the job started (0: at its
    // first page).
    PrintProgress(HWND owner, std::string what, DWORD delayMs = kDefaultDelayMs);
    // Gives the owner back and closes the window if the job did not.
    ~PrintProgress() override;
    PrintProgress(const PrintProgress&) = delete;
    PrintProgress& operator=(const PrintProgress&) = delete;

    void JobStarting(HDC printerDC, int pageCount) override;
    void PageStarting(int pageNumber) override;
    bool Cancelled() const override { return cancelled_; }
    void JobEnded() override;

private:
    class PrintingWindow : public Dialog {
    public:
        explicit PrintingWindow(PrintProgress& progress);

    protected:
        bool OnInitDialog() override;
        // Enter means nothing here: only Cancel, Esc or the close box stop.
        void OnOK() override {}
        void OnCancel() override;

    private:
        PrintProgress& progress_;
    };

    // The spooler's abort procedure for the running job: lets the window
    // work, and never stops the job itself (RunPrintJob aborts it between
    // pages, so a cancel is never mistaken for a failure).
    static BOOL CALLBACK AbortProcedure(HDC printerDC, int error);

    // Shows the window once its time has come.
    void ShowWhenDue();
    // Dispatches the messages waiting on this thread while the window is up.
    void Pump();
    void ShowPageText();
    void Close();

    HWND owner_;
    std::string what_;
    DWORD delayMs_;
    DWORD startTicks_ = 0;
    int pageCount_ = 0;
    int pageNumber_ = 0;
    bool running_ = false;
    bool cancelled_ = false;
    bool ownerDisabled_ = false;
    bool pumping_ = false;
    PrintingWindow window_{*this};
};
