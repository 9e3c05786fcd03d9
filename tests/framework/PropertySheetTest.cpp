// The property-sheet layer: which page hooks run on leaving a page, on OK
// and on Cancel, what Run returns, and where help requests end.
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

protected:
    void OnSetActive() override {
        events_.push_back(name_ + ":active");
        if (throwOnSetActive) throw std::runtime_error("page failure");
    }
    void OnKillActive() override { events_.push_back(name_ + ":left"); }
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

TEST(PropertySheetRunTest, ASheetWithoutPagesIsNotShown) {
    EXPECT_EQ(-1, ModalPropertySheet("Nothing", {}).Run(nullptr));
}

}  // namespace
