// Base of the program's dialogs, modal and modeless, built from a dialog
// template. The object is bound on WM_INITDIALOG (DWLP_USER) and receives one
// virtual call per event. A dialog holds its data: OnOK reads the controls
// into members, then closes.
#pragma once

#include <windows.h>

class Dialog {
public:
    // `templateId` names a dialog resource of ModuleInstance().
    explicit Dialog(UINT templateId = 0) : templateId_(templateId) {}
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Modal: returns the value passed to End, or -1 when the dialog could
    // not be shown.
    INT_PTR DoModal(HWND owner);
    INT_PTR DoModal(HWND owner, const DLGTEMPLATE* dialogTemplate);

    // Modeless: returns the dialog window, null on failure. It lives until
    // End, DestroyWindow or this object's destruction.
    HWND Create(HWND parent);
    HWND Create(HWND parent, const DLGTEMPLATE* dialogTemplate);

    HWND Handle() const { return window_; }
    bool IsModal() const { return modal_; }

    // Closes the dialog: EndDialog for a modal one, DestroyWindow otherwise.
    void End(INT_PTR result);

    static Dialog* FromHandle(HWND window);

protected:
    // The hook for every message; the default dispatches to the On*
    // functions below. Returns what a dialog procedure returns (nonzero:
    // handled); a result for the message goes through SetResult.
    virtual INT_PTR DialogMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Returns whether the system should set the focus (as WM_INITDIALOG).
    virtual bool OnInitDialog() { return true; }
    // Returns whether the command was handled. The default sends IDOK to
    // OnOK and IDCANCEL to OnCancel.
    virtual bool OnCommand(UINT id, UINT code, HWND control);
    virtual void OnOK() { End(IDOK); }
    virtual void OnCancel() { End(IDCANCEL); }
    // Returns whether the notification was handled; `result` is its answer.
    virtual bool OnNotify(NMHDR* header, LRESULT& result);
    // After the window is gone (WM_NCDESTROY).
    virtual void OnDestroyed() {}

    void SetResult(LRESULT result);
    HWND Item(int id) const { return GetDlgItem(window_, id); }

private:
    static INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);

    UINT templateId_;
    HWND window_ = nullptr;
    bool modal_ = false;
};
