#include "Dialog.h"

#include "Window.h"

Dialog::~Dialog() {
    if (window_ && IsWindow(window_)) {
        SetWindowLongPtrA(window_, DWLP_USER, 0);
        if (!modal_) DestroyWindow(window_);
    }
}

INT_PTR Dialog::DoModal(HWND owner) {
    modal_ = true;
    return DialogBoxParamA(ModuleInstance(), MAKEINTRESOURCEA(templateId_), owner,
                           DialogProcedure, reinterpret_cast<LPARAM>(this));
}

INT_PTR Dialog::DoModal(HWND owner, const DLGTEMPLATE* dialogTemplate) {
    modal_ = true;
    return DialogBoxIndirectParamA(ModuleInstance(), dialogTemplate, owner, DialogProcedure,
                                   reinterpret_cast<LPARAM>(this));
}

HWND Dialog::Create(HWND parent) {
    modal_ = false;
    return CreateDialogParamA(ModuleInstance(), MAKEINTRESOURCEA(templateId_), parent,
                              DialogProcedure, reinterpret_cast<LPARAM>(this));
}

HWND Dialog::Create(HWND parent, const DLGTEMPLATE* dialogTemplate) {
    modal_ = false;
    return CreateDialogIndirectParamA(ModuleInstance(), dialogTemplate, parent, DialogProcedure,
                                      reinterpret_cast<LPARAM>(this));
}

void Dialog::End(INT_PTR result) {
    if (!window_) return;
    if (modal_)
        EndDialog(window_, result);
    else
        DestroyWindow(window_);
}

Dialog* Dialog::FromHandle(HWND window) {
    return reinterpret_cast<Dialog*>(GetWindowLongPtrA(window, DWLP_USER));
}

void Dialog::SetResult(LRESULT result) { SetWindowLongPtrA(window_, DWLP_MSGRESULT, result); }

INT_PTR Dialog::DialogMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (!OnNotify(reinterpret_cast<NMHDR*>(lParam), result)) return FALSE;
        SetResult(result);
        return TRUE;
    }
    }
    return FALSE;
}

bool Dialog::OnCommand(UINT id, UINT, HWND) {
    switch (id) {
    case IDOK:
        OnOK();
        return true;
    case IDCANCEL:
        OnCancel();
        return true;
    }
    return false;
}

bool Dialog::OnNotify(NMHDR*, LRESULT&) { return false; }

INT_PTR CALLBACK Dialog::DialogProcedure(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam) {
    // No exception may unwind through the system's dialog manager.
    try {
        if (message == WM_INITDIALOG) {
            auto* self = reinterpret_cast<Dialog*>(lParam);
            if (self) {
                self->window_ = window;
                SetWindowLongPtrA(window, DWLP_USER, lParam);
            }
        }
        Dialog* self = FromHandle(window);
        if (!self) return FALSE;
        if (message != WM_NCDESTROY) return self->DialogMessage(message, wParam, lParam);
        // The window is gone after this message: unbind before telling.
        SetWindowLongPtrA(window, DWLP_USER, 0);
        self->window_ = nullptr;
        self->OnDestroyed();
    } catch (...) {
    }
    return FALSE;
}
