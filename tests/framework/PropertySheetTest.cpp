// The property-sheet layer: which page hooks run on leaving a page, on OK
// and on Cancel, what Run returns, a page that refuses to be left, and where
// help requests end.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "DialogDriver.h"
#include "PropertySheet.h"
#include "resource.h"

namespace {

// Records its hooks as "<name>:<event>".
class RecordingPage : public PropertyPage {
public:
    RecordingPage(UINT templateId, std::string name, std::vector<std::string>& events)
        : PropertyPage(templateId), name_(std::move(name)), events_(events) {}
    bool throwOnSetActive = false;
    bool acceptable = true;  // what Acceptable answers

protected:
    void OnSetActive() override {
        events_.push_back(name_ + ":active");
        if (throwOnSetActive) throw std::runtime_error("page failure");
    }
    void OnKillActive() override { events_.push_back(name_ + ":left"); }
    bool Acceptable() const override { return acceptable; }
    void OnHelp(const HELPINFO& request) override {
        events_.push_back(name_ + ":help " + std::to_string(request.iCtrlId));
    }

private:
    std::string name_;
    std::vector<std::string>& events_;
};

void Click(HWND sheet, int button) { SendMessageA(GetDlgItem(sheet, button), BM_CLICK, 0, 0); }

class PropertySheetTest : public testing::Test {
protected:
    // Any two page templates of the program's.
    std::vector<std::string> events_;
    RecordingPage first_{IDD_PERSON_NOTES, "first", events_};
    RecordingPage second_{IDD_PERSON_PHONE, "second", events_};
    ModalPropertySheet sheet_{"Exactly This", {&first_, &second_}};
};

TEST_F(PropertySheetTest, OKReadsTheShowingPageOnceAndAnExceptionStaysInThePage) {
    second_.throwOnSetActive = true;
    DialogDriver driver([](HWND sheet) {
        SendMessageA(sheet, PSM_SETCURSEL, 1, 0);
        Click(sheet, IDOK);
    });
    EXPECT_EQ(IDOK, sheet_.Run(nullptr));
    EXPECT_EQ((std::vector<std::string>{"first:active", "first:left", "second:active",
                                        "second:left"}),
              events_);
    EXPECT_EQ(nullptr, first_.Handle());
}

TEST_F(PropertySheetTest, CancelReadsTheShowingPageAndHelpStopsAtThePage) {
    std::vector<int> sheetHelp;
    std::string caption(64, '\0');
    sheet_.SetHelp(
        [&sheetHelp](const HELPINFO& request) { sheetHelp.push_back(request.iCtrlId); });
    DialogDriver driver([&](HWND sheet) {
        caption.resize(GetWindowTextA(sheet, &caption[0], 64));
        for (HWND control : {GetDlgItem(first_.Handle(), IDC_PERSON_NOTES), GetDlgItem(sheet, IDOK)}) {
            HELPINFO request = {sizeof(request), HELPINFO_WINDOW, GetDlgCtrlID(control), control,
                                0, {}};
            SendMessageA(control, WM_HELP, 0, reinterpret_cast<LPARAM>(&request));
        }
        Click(sheet, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, sheet_.Run(nullptr));
    EXPECT_EQ("Exactly This", caption);
    EXPECT_EQ((std::vector<std::string>{"first:active", "first:help " + std::to_string(IDC_PERSON_NOTES), "first:left"}),
              events_);
    EXPECT_EQ((std::vector<int>{IDOK}), sheetHelp);
}

TEST_F(PropertySheetTest, TheSheetOpensCentredOverItsOwner) {
    HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE | WS_BORDER, 300, 200, 600,
                                 400, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, owner);
    RECT sheetRect = {};
    DialogDriver driver([&](HWND sheet) {
        GetWindowRect(sheet, &sheetRect);
        Click(sheet, IDCANCEL);
    });
    sheet_.Run(owner);
    DestroyWindow(owner);
    EXPECT_NEAR(600, (sheetRect.left + sheetRect.right) / 2, 1);
    EXPECT_NEAR(400, (sheetRect.top + sheetRect.bottom) / 2, 1);
}

TEST_F(PropertySheetTest, APageNotAcceptableStaysAndOKLeavesTheSheetOpen) {
    std::vector<HWND> shown;  // the page showing after each try
    DialogDriver driver([&](HWND sheet) {
        first_.acceptable = false;
        SendMessageA(sheet, PSM_SETCURSEL, 1, 0);  // not left
        shown.push_back(PropSheet_GetCurrentPageHwnd(sheet));
        first_.acceptable = true;
        SendMessageA(sheet, PSM_SETCURSEL, 1, 0);
        // Refused at OK from another page: the sheet goes back to it.
        first_.acceptable = false;
        Click(sheet, IDOK);
        shown.push_back(IsWindow(sheet) ? PropSheet_GetCurrentPageHwnd(sheet) : nullptr);
        Click(sheet, IDCANCEL);
    });
    // OK was refused: Cancel, from the page refusing, is the outcome.
    EXPECT_EQ(IDCANCEL, sheet_.Run(nullptr));
    ASSERT_EQ(2u, shown.size());
    EXPECT_NE(nullptr, shown[0]);
    EXPECT_EQ(shown[0], shown[1]);
    ASSERT_LE(6u, events_.size());
    EXPECT_EQ((std::vector<std::string>{"first:active", "first:left", "first:left",
                                        "second:active", "second:left"}),
              std::vector<std::string>(events_.begin(), events_.begin() + 5));
    EXPECT_EQ("first:left", events_.back());
}

TEST(PropertySheetRunTest, ASheetWithoutPagesIsNotShown) {
    EXPECT_EQ(-1, ModalPropertySheet("Nothing", {}).Run(nullptr));
}

}  // namespace
