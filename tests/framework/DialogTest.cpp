// Modal and modeless dialogs built on the Dialog base.
#include <gtest/gtest.h>

#include <string>

#include "Dialog.h"
#include "FrameworkTestSupport.h"
#include "MessageLoop.h"

namespace {

const int kNameEdit = 1001;

// Holds the name it edits: shows it, reads it back on OK.
class NameDialog : public Dialog {
public:
    std::string name = "initial";
    int initialised = 0;
    bool sawThisInDwlpUser = false;
    bool throwOnInit = false;

protected:
    bool OnInitDialog() override {
        ++initialised;
        sawThisInDwlpUser =
            GetWindowLongPtrA(Handle(), DWLP_USER) == reinterpret_cast<LONG_PTR>(this);
        SetDlgItemTextA(Handle(), kNameEdit, name.c_str());
        if (throwOnInit) throw 1;
        return true;
    }
    void OnOK() override {
        char text[100] = "";
        GetDlgItemTextA(Handle(), kNameEdit, text, sizeof text);
        name = text;
        Dialog::OnOK();
    }
};

// Hands each new dialog of this thread to an action run from its own loop.
class DialogScript {
public:
    explicit DialogScript(std::function<void(HWND)> action) {
        action_ = std::move(action);
        hook_ = SetWindowsHookExA(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
    }
    ~DialogScript() {
        UnhookWindowsHookEx(hook_);
        action_ = nullptr;
    }
    static int activated;

private:
    static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_ACTIVATE) {
            HWND window = reinterpret_cast<HWND>(wParam);
            char className[32] = "";
            GetClassNameA(window, className, sizeof className);
            if (lstrcmpA(className, "#32770") == 0 && action_) {
                ++activated;
                auto action = action_;
                RunLater(10, [action, window] { if (IsWindow(window)) action(window); });
                // Whatever happens, no dialog outlives the test.
                RunLater(3000, [window] {
                    if (IsWindow(window)) PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
                });
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static std::function<void(HWND)> action_;
    HHOOK hook_;
};
std::function<void(HWND)> DialogScript::action_;
int DialogScript::activated = 0;

}  // namespace

TEST(FrameworkDialog, ModalOkReadsTheControlsIntoTheDialog) {
    const std::vector<WORD> dialogTemplate = BuildEditDialogTemplate(L"Name", kNameEdit);
    NameDialog dialog;
    std::string shown;
    DialogScript script([&](HWND window) {
        char text[100] = "";
        GetDlgItemTextA(window, kNameEdit, text, sizeof text);
        shown = text;
        SetDlgItemTextA(window, kNameEdit, "typed");
        SendMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
    });
    const INT_PTR result =
        dialog.DoModal(nullptr, reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()));
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(1, dialog.initialised);
    EXPECT_TRUE(dialog.sawThisInDwlpUser);
    EXPECT_EQ("initial", shown);
    EXPECT_EQ("typed", dialog.name);
    EXPECT_EQ(nullptr, dialog.Handle());
}

TEST(FrameworkDialog, ModalCancelKeepsTheData) {
    const std::vector<WORD> dialogTemplate = BuildEditDialogTemplate(L"Name", kNameEdit);
    NameDialog dialog;
    DialogScript script([](HWND window) {
        SetDlgItemTextA(window, kNameEdit, "typed");
        SendMessageA(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(IDCANCEL,
              dialog.DoModal(nullptr, reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data())));
    EXPECT_EQ("initial", dialog.name);
}

TEST(FrameworkDialog, ExceptionInOnInitDialogDoesNotEscape) {
    const std::vector<WORD> dialogTemplate = BuildEditDialogTemplate(L"Name", kNameEdit);
    NameDialog dialog;
    dialog.throwOnInit = true;
    DialogScript script([](HWND window) { EndDialog(window, 77); });
    EXPECT_EQ(77, dialog.DoModal(nullptr, reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data())));
    EXPECT_EQ(1, dialog.initialised);
}

TEST(FrameworkDialog, ModelessDialogNavigatesWithTabThroughTheLoop) {
    const std::vector<WORD> dialogTemplate = BuildEditDialogTemplate(L"Form", kNameEdit);
    NameDialog dialog;
    HWND window =
        dialog.Create(nullptr, reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()));
    ASSERT_NE(nullptr, window);
    EXPECT_FALSE(dialog.IsModal());
    EXPECT_TRUE(dialog.sawThisInDwlpUser);
    EXPECT_EQ(&dialog, Dialog::FromHandle(window));
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(GetDlgItem(window, kNameEdit));
    ASSERT_EQ(GetDlgItem(window, kNameEdit), GetFocus());

    MessageLoop loop;
    DialogNavigationKeys navigation([&dialog] { return dialog.Handle(); });
    loop.AddKeyHandler(&navigation);
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    loop.PumpPending();
    EXPECT_EQ(GetDlgItem(window, IDOK), GetFocus());

    // End on a modeless dialog destroys it.
    dialog.End(IDOK);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(nullptr, dialog.Handle());
}
