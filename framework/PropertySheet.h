// Modal property sheets built from pages of dialog templates. A page object
// is bound to its window on WM_INITDIALOG (DWLP_USER) and receives one
// virtual call per event, as Dialog does. A page keeps its own data: it
// loads its controls when created and reads them back in OnKillActive, which
// runs when the user leaves the page for another and when the sheet closes,
// with OK or with Cancel, while the page is showing. A page never shown is
// never created, so its data stays as loaded. A page whose data is not
// acceptable (Acceptable) cannot be left, nor the sheet closed with OK;
// Cancel always closes.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class ModalPropertySheet;

class PropertyPage {
public:
    // `templateId` names a page template (DS_CONTROL | WS_CHILD | WS_CAPTION)
    // of ModuleInstance(); the tab shows the template's caption.
    explicit PropertyPage(UINT templateId) : templateId_(templateId) {}
    virtual ~PropertyPage();
    PropertyPage(const PropertyPage&) = delete;
    PropertyPage& operator=(const PropertyPage&) = delete;

    UINT TemplateId() const { return templateId_; }
    // The page's title in place of its template's caption (a wizard shows
    // it as the window's caption); empty keeps the template's.
    void SetTitle(std::string title) { title_ = std::move(title); }
    // The page's window; null until the page is first shown.
    HWND Handle() const { return window_; }
    // The sheet's frame window; null while the page has no window.
    HWND Sheet() const { return window_ ? GetParent(window_) : nullptr; }

    // Enables or disables the sheet's OK button.
    void EnableSheetOK(bool enable) const;

protected:
    // Returns whether the system should set the focus (as WM_INITDIALOG).
    virtual bool OnInitDialog() { return true; }
    // Returns whether the command was handled.
    virtual bool OnCommand(UINT, UINT, HWND) { return false; }
    // Notifications other than the sheet's own (PSN_*), which come through
    // the calls below. Returns whether handled; `result` is the answer.
    virtual bool OnNotify(NMHDR*, LRESULT&) { return false; }
    // The page is about to be shown.
    virtual void OnSetActive() {}
    // The page is left for another, or the sheet is closing with it showing:
    // read the controls.
    virtual void OnKillActive() {}
    // Whether the data the page holds may be kept. Asked after each
    // OnKillActive and again on OK: false keeps the page showing and the
    // sheet open (the page tells the user why, typically in OnKillActive).
    // Cancel closes the sheet whatever this says.
    virtual bool Acceptable() const { return true; }
    // F1 (or the caption's help button) on one of the page's controls.
    // The request goes no further than the page.
    virtual void OnHelp(const HELPINFO&) {}

    // In a wizard: Next, Back and Finish were pressed on this page. Return
    // false to stay on the page (the page tells the user why); Finish
    // returning true closes the wizard as finished.
    virtual bool OnWizardNext() { return true; }
    virtual bool OnWizardBack() { return true; }
    virtual bool OnWizardFinish() { return true; }
    // The sheet's Help button while this page shows.
    virtual void OnHelpButton() {}
    // Paints what the page draws itself, over its background; the controls
    // paint themselves.
    virtual void OnPaint(HDC) {}

    // In a wizard: which of Back, Next and Finish (PSWIZB_*) are offered.
    void SetWizardButtons(DWORD buttons) const;

    HWND Item(int id) const { return GetDlgItem(window_, id); }

private:
    friend class ModalPropertySheet;

    static INT_PTR CALLBACK PageProcedure(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam);
    INT_PTR PageMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnSheetNotify(const NMHDR& header, LRESULT& result);

    UINT templateId_;
    std::string title_;
    HWND window_ = nullptr;
    ModalPropertySheet* sheet_ = nullptr;
};

// Runs a sheet of pages modally: no Apply button, the title exactly as
// given, opening on the first page.
class ModalPropertySheet {
public:
    // Answers a help request for the sheet's own controls (OK, Cancel, the
    // tabs).
    using HelpHandler = std::function<void(const HELPINFO&)>;

    ModalPropertySheet(std::string title, std::vector<PropertyPage*> pages)
        : title_(std::move(title)), pages_(std::move(pages)) {}
    ModalPropertySheet(const ModalPropertySheet&) = delete;
    ModalPropertySheet& operator=(const ModalPropertySheet&) = delete;

    void SetHelp(HelpHandler help) { help_ = std::move(help); }
    // Runs the pages as a wizard (Back, Next, Finish and a Help button)
    // instead of tabs; Run then gives IDOK when it was finished.
    void SetWizard(bool wizard) { wizard_ = wizard; }

    // Returns IDOK or IDCANCEL, or -1 when the sheet could not be shown.
    INT_PTR Run(HWND owner);

    // The sheet's frame while it runs, else null.
    HWND Handle() const { return window_; }

private:
    friend class PropertyPage;

    static LRESULT CALLBACK SheetProcedure(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam, UINT_PTR id, DWORD_PTR data);
    // Called by each page as it is created: the first call hooks the frame.
    void Attach(HWND sheet);

    std::string title_;
    std::vector<PropertyPage*> pages_;
    HelpHandler help_;
    HWND window_ = nullptr;
    bool applied_ = false;
    bool wizard_ = false;
};
