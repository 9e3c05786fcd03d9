// The main window: the band container with the menu bar and the toolbars at
// the top, the status bar at the bottom and the day view between them. It
// owns the document and the recent-file list, keeps the command states
// current at idle time and routes every command to the part that carries it
// out.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>

#include "CommandAvailability.h"
#include "DayView.h"
#include "DocumentArrival.h"
#include "DocumentLife.h"
#include "ExchangeCommands.h"
#include "ICalCommands.h"
#include "MenuBar.h"
#include "MenuImages.h"
#include "MessageLoop.h"
#include "PimDocument.h"
#include "Rebar.h"
#include "RecentFileList.h"
#include "RecentFileMenu.h"
#include "RecoveryKeeper.h"
#include "ReportPrinter.h"
#include "StatusBar.h"
#include "Toolbar.h"
#include "VCardCommands.h"
#include "Window.h"

class DocumentFileChooser;
class HelpLibrary;

class MainFrame : public Window {
public:
    static const char kClassName[];
    static const char kHelpFileName[];

    // The loop, chooser and help library must outlive the frame.
    MainFrame(MessageLoop& loop, DocumentFileChooser& chooser, HelpLibrary& help,
              std::string programDirectory);
    ~MainFrame() override;

    // Creates the window with its bars and the day view, sized to hold the
    // form; it stays hidden until the caller shows it. False on failure.
    bool Create();

    PimDocument& Document() { return document_; }
    DocumentLife& Life() { return life_; }
    ExchangeCommands& Exchange() { return exchange_; }
    const RecentFileList& RecentFiles() const { return recentFiles_; }
    // Page Setup, Print, the preview and the report font.
    ReportPrinter& Printing() { return printing_; }

    HMENU Menu() const { return menuBar_.Menu(); }
    HMENU RecentFilesPopup() const { return recentMenu_.Popup(); }
    HWND MainToolbar() const { return toolbar_.Handle(); }
    HWND PreviewToolbar() const { return previewToolbar_.Handle(); }
    HWND StatusBarHandle() const { return statusBar_.Handle(); }
    HWND DayView() const { return dayView_.Handle(); }
    // What fills the space between the bars: the preview while it is open,
    // else the day view.
    HWND ClientWindow() const;
    const Rebar& Bands() const { return rebar_; }
    const std::string& StatusText() const { return statusBar_.Text(); }
    SIZE MinimumTrackingSize() const { return minimumSize_; }

    CommandSnapshot Snapshot() const;
    // The idle work: menu items and toolbar buttons follow Snapshot().
    void UpdateCommandStates();

    // At start-up, once the window shows: offers the recovery copies that a
    // run which did not close normally left behind.
    void OfferRecoveryCopies();
    // At start-up, after the recovery copies: opens the document the
    // command line names, or tells why the arguments were not used.
    void OpenStartDocument(const StartRequest& request);
    // The recovery copies of the open document (SetFolder before Create),
    // and the frame's timer that asks whether a copy is due.
    RecoveryKeeper& Recovery() { return recovery_; }
    static constexpr UINT_PTR kRecoveryTimer = 0x5243;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool CreateChildren();
    bool CreateToolbar(Toolbar& toolbar, UINT resourceId, UINT windowId, bool visible);
    // Both toolbars' images for a screen at `dpi`, from the strips drawn
    // nearest to it.
    void LoadToolbarImages(int dpi);
    // WM_DPICHANGED: the window moved to a screen of another scale.
    void OnDpiChanged(int dpi, const RECT& suggested);
    void FitToDayView();
    void Layout();
    void OnCommand(UINT id);
    void ToggleToolbar();
    void ToggleStatusBar();
    // The preview became the client (true) or gave it back (false).
    void ShowPreviewMode(bool open);
    void ShowHelpTopics();
    void ShowAbout();
    void OnClose();
    // Files dropped on the window: one document is opened as Open would.
    void OnDropFiles(HDROP drop);
    void RebuildRecentMenu();
    // Takes the recovery folder's lock and starts the timer that writes the
    // copies; part of the window's creation.
    void StartRecovery();
    // Names the unsaved document to Windows while it has changes, so that
    // the end of the session says what would be lost; idle-time work.
    void UpdateShutdownBlockReason();

    MessageLoop& loop_;
    HelpLibrary& help_;
    std::string programDirectory_;

    PimDocument document_;
    RecentFileList recentFiles_;
    DocumentLife life_;
    ExchangeCommands exchange_;
    VCardCommands vcard_;
    ICalCommands ical_;
    RecoveryKeeper recovery_;

    MenuBar menuBar_;
    MenuImages menuImages_;
    Toolbar toolbar_;
    Toolbar previewToolbar_;
    Rebar rebar_;
    StatusBar statusBar_;
    RecentFileMenu recentMenu_;
    // `class`: the accessor DayView() hides the type's name in here.
    class DayView dayView_;
    CommandStateTargets commandTargets_;
    // After the day view: the preview it replaces goes first.
    ReportPrinter printing_;

    HACCEL accelerators_ = nullptr;
    std::unique_ptr<AcceleratorKeys> acceleratorKeys_;
    DialogNavigationKeys dayViewKeys_;
    int idleHandler_ = 0;
    bool keysRegistered_ = false;

    bool toolbarVisible_ = true;
    bool statusBarVisible_ = true;
    SIZE minimumSize_ = {0, 0};
    std::wstring shutdownReason_;  // what Windows was last told; empty for none
};
