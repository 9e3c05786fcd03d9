#include "PropertySheet.h"

#include <algorithm>

#include <commctrl.h>

#include "Window.h"

namespace {
const UINT_PTR kSheetSubclassId = 1;

bool IsSheetNotification(UINT code) { return code <= PSN_FIRST && code >= PSN_LAST; }
}  // namespace

PropertyPage::~PropertyPage() {
    if (window_ && IsWindow(window_)) SetWindowLongPtrA(window_, DWLP_USER, 0);
}

void PropertyPage::SetWizardButtons(DWORD buttons) const {
    HWND sheet = Sheet();
    if (sheet) PostMessageA(sheet, PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(buttons));
}

void PropertyPage::EnableSheetOK(bool enable) const {
    HWND sheet = Sheet();
    if (sheet) EnableWindow(GetDlgItem(sheet, IDOK), enable ? TRUE : FALSE);
}

INT_PTR PropertyPage::PageMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE
                                                                                        : FALSE;
    case WM_PAINT: {
        PAINTSTRUCT paint = {};
        if (HDC dc = BeginPaint(window_, &paint)) {
            OnPaint(dc);
            EndPaint(window_, &paint);
        }
        return TRUE;
    }
    case WM_HELP:
        // Controls without a topic get no help: the request stops here
        // rather than reaching the sheet and, past it, the owner.
        OnHelp(*reinterpret_cast<const HELPINFO*>(lParam));
        return TRUE;
    case WM_NOTIFY: {
        NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        LRESULT result = 0;
        const bool handled = IsSheetNotification(header->code) ? OnSheetNotify(*header, result)
                                                               : OnNotify(header, result);
        if (!handled) return FALSE;
        SetWindowLongPtrA(window_, DWLP_MSGRESULT, result);
        return TRUE;
    }
    }
    return FALSE;
}

bool PropertyPage::OnSheetNotify(const NMHDR& header, LRESULT& result) {
    switch (header.code) {
    case PSN_SETACTIVE:
        OnSetActive();
        result = 0;  // show this page
        return true;
    case PSN_KILLACTIVE:
        // Sent to the page being left, and to the showing page on OK, which
        // then goes no further while the page stays.
        OnKillActive();
        result = Acceptable() ? FALSE : TRUE;  // TRUE: the page stays
        return true;
    case PSN_WIZNEXT:
        result = OnWizardNext() ? 0 : -1;  // -1: the page stays
        return true;
    case PSN_WIZBACK:
        result = OnWizardBack() ? 0 : -1;
        return true;
    case PSN_WIZFINISH:
        // Nonzero keeps the wizard open on this page.
        if (!OnWizardFinish()) {
            result = TRUE;
            return true;
        }
        if (sheet_) sheet_->applied_ = true;
        result = FALSE;
        return true;
    case PSN_HELP:
        OnHelpButton();
        result = 0;
        return true;
    case PSN_QUERYCANCEL:
        // Cancel sends no PSN_KILLACTIVE; the showing page is read here.
        OnKillActive();
        result = FALSE;  // the sheet may close
        return true;
    case PSN_APPLY:
        // Every page that was created hears this on OK, in order, until one
        // refuses: that page is shown and the sheet stays open. Only the
        // sheet's outcome is taken from it.
        if (!Acceptable()) {
            if (sheet_) sheet_->applied_ = false;
            result = PSNRET_INVALID;
            return true;
        }
        if (sheet_) sheet_->applied_ = true;
        result = PSNRET_NOERROR;
        return true;
    }
    return false;
}

INT_PTR CALLBACK PropertyPage::PageProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    // No exception may unwind through the system's dialog manager.
    try {
        if (message == WM_INITDIALOG) {
            // A page's WM_INITDIALOG carries the sheet's copy of the page
            // description, whose lParam is the page object.
            const auto* description = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
            auto* self = description ? reinterpret_cast<PropertyPage*>(description->lParam)
                                     : nullptr;
            if (self) {
                self->window_ = window;
                SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
                if (self->sheet_) self->sheet_->Attach(GetParent(window));
            }
        }
        auto* self = reinterpret_cast<PropertyPage*>(GetWindowLongPtrA(window, DWLP_USER));
        if (!self) return FALSE;
        if (message != WM_NCDESTROY) return self->PageMessage(message, wParam, lParam);
        SetWindowLongPtrA(window, DWLP_USER, 0);
        self->window_ = nullptr;
    } catch (...) {
    }
    return FALSE;
}

INT_PTR ModalPropertySheet::Run(HWND owner) {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);

    std::vector<PROPSHEETPAGEA> descriptions;
    for (PropertyPage* page : pages_) {
        PROPSHEETPAGEA description = {};
        description.dwSize = sizeof(description);
        // The tab shows the template's caption; a wizard's pages each offer Help.
        description.dwFlags = wizard_ ? PSP_HASHELP : PSP_DEFAULT;
        if (!page->title_.empty()) {
            description.dwFlags |= PSP_USETITLE;
            description.pszTitle = page->title_.c_str();
        }
        description.hInstance = ModuleInstance();
        description.pszTemplate = MAKEINTRESOURCEA(page->templateId_);
        description.pfnDlgProc = PropertyPage::PageProcedure;
        description.lParam = reinterpret_cast<LPARAM>(page);
        descriptions.push_back(description);
        page->sheet_ = this;
    }

    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | (wizard_ ? PSH_WIZARD | PSH_HASHELP : 0);
    header.hwndParent = owner;
    header.hInstance = ModuleInstance();
    header.pszCaption = title_.c_str();
    header.nPages = static_cast<UINT>(descriptions.size());
    header.nStartPage = 0;
    header.ppsp = descriptions.data();

    applied_ = false;
    const INT_PTR shown = descriptions.empty() ? -1 : PropertySheetA(&header);
    window_ = nullptr;
    for (PropertyPage* page : pages_) page->sheet_ = nullptr;
    if (shown < 0) return -1;
    // The sheet's own return value depends on restart flags and platform
    // versions; OK is what sent PSN_APPLY.
    return applied_ ? IDOK : IDCANCEL;
}

void ModalPropertySheet::Attach(HWND sheet) {
    if (!sheet || window_ == sheet) return;
    window_ = sheet;
    SetWindowSubclass(sheet, SheetProcedure, kSheetSubclassId, reinterpret_cast<DWORD_PTR>(this));
    // Left alone, Wine puts a sheet in the screen's corner.
    CentreOverOwner(sheet);
}

LRESULT CALLBACK ModalPropertySheet::SheetProcedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
    try {
        auto* self = reinterpret_cast<ModalPropertySheet*>(data);
        switch (message) {
        case WM_HELP:
            // F1 on the sheet's own buttons and tabs; the pages answer for
            // their controls and keep their requests.
            if (self->help_) self->help_(*reinterpret_cast<const HELPINFO*>(lParam));
            return TRUE;
        case WM_COMMAND:
            // A disabled OK stays unpressable by any route (Enter, a
            // command sent to the sheet).
            if (LOWORD(wParam) == IDOK && !IsWindowEnabled(GetDlgItem(window, IDOK))) return 0;
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(window, SheetProcedure, id);
            self->window_ = nullptr;
            break;
        }
    } catch (...) {
        return 0;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}
