// Start-up of Vantrel!: initialises COM and the common controls, creates the
// frame around the day view, runs the message loop until the frame is closed
// and cleans up.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "DocumentArrival.h"
#include "DocumentFileDialogs.h"
#include "HelpLibrary.h"
#include "MainFrame.h"
#include "MessageLoop.h"
#include "ProgramDirectory.h"
#include "RecoveryStore.h"
#include "Window.h"

namespace {

// Bars, date and time controls and cool bars.
const DWORD kCommonControlClasses = ICC_BAR_CLASSES | ICC_DATE_CLASSES | ICC_COOL_CLASSES;

int RunProgram(const std::string& programDirectory, int showCommand) {
    std::string unusable;
    StartRequest request = ReadStartArguments(ProgramArguments(unusable));
    if (!unusable.empty() && request.complaint.empty()) request.complaint = UnusableNameText(unusable);
    MessageLoop loop;
    SystemDocumentFileChooser chooser;
    HelpLibrary help;
    MainFrame frame(loop, chooser, help, programDirectory);
    if (!frame.Create()) return 1;
    ShowWindow(frame.Handle(), showCommand);
    UpdateWindow(frame.Handle());
    // Asked before anything else, over the shown window: the user decides
    // whether the changes of a run that ended badly are opened.
    frame.OfferRecoveryCopies();
    // The document Explorer or the command prompt named; a recovered copy
    // is offered for saving first, as Open would.
    frame.OpenStartDocument(request);
    // After an update Windows starts the program again, and the question
    // above then offers what was unsaved.
    RegisterForRestart();
    return loop.Run();
    // The frame's destructor destroys its window if it is still open.
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    const bool comInitialised = SUCCEEDED(CoInitialize(nullptr));

    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = kCommonControlClasses;
    InitCommonControlsEx(&controls);

    SetModuleInstance(instance);
    const std::string programDirectory = ProgramDirectory();

    int exitCode = 1;
    try {
        exitCode = RunProgram(programDirectory, showCommand);
    } catch (...) {
        // Nothing to report to: the program simply ends.
    }

    if (comInitialised) CoUninitialize();
    return exitCode;
}
