// Pointer help over the phone book's White Pages and Yellow Pages buttons and
// the frame round them: the frames overlap the buttons, and whichever the
// click lands on, the phone book's page opens.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "DayView.h"
#include "DayViewDriving.h"
#include "HelpLibrary.h"
#include "PimDocument.h"
#include "resource.h"

namespace {

std::vector<std::string> g_topics;

HWND WINAPI RecordTopic(HWND, LPCSTR topic, UINT, DWORD_PTR) {
    g_topics.push_back(topic ? topic : "");
    return nullptr;
}

const char kPhoneBookTopic[] = "C:\\Apps\\Vantrel\\Vantrel.chm::/html/phonebook.htm>topic";

class DayViewPointerHelpTest : public testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES};
        InitCommonControlsEx(&controls);
        g_topics.clear();
        host_ = std::make_unique<DayViewDriving::HostedDayView>(document_);
        view_ = host_->View();
        view_->SetHelp(&help_, "C:\\Apps\\Vantrel", "Vantrel.chm");
        ASSERT_TRUE(host_->Open(false));
    }
    void TearDown() override { host_.reset(); }

    HWND Form() const { return view_->Handle(); }

    // Pointer help, then a click at `point` (form coordinates): the topics
    // that opened.
    std::vector<std::string> PointerHelpAt(POINT point) {
        g_topics.clear();
        SendMessageA(Form(), WM_COMMAND, ID_CONTEXT_HELP, 0);
        EXPECT_TRUE(view_->InHelpMode());
        SendMessageA(Form(), WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        EXPECT_FALSE(view_->InHelpMode());
        return g_topics;
    }
    // The centre of control `id`, in form coordinates.
    POINT CentreOf(int id) const {
        RECT bounds = {};
        GetWindowRect(GetDlgItem(Form(), id), &bounds);
        POINT point = {(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
        ScreenToClient(Form(), &point);
        return point;
    }

    PimDocument document_;
    HelpLibrary help_{[] { return &RecordTopic; }};
    std::unique_ptr<DayViewDriving::HostedDayView> host_;
    DayView* view_ = nullptr;
};

TEST_F(DayViewPointerHelpTest, TheAddressBookButtonsAndTheirFrameOpenThePhoneBookPage) {
    const std::vector<std::string> phoneBook = {kPhoneBookTopic};
    EXPECT_EQ(phoneBook, PointerHelpAt(CentreOf(IDC_DAY_WHITE_PAGES))) << "White Pages";
    EXPECT_EQ(phoneBook, PointerHelpAt(CentreOf(IDC_DAY_YELLOW_PAGES))) << "Yellow Pages";

    // The frame's own space, right of the buttons and inside the phone
    // book's frame too.
    RECT frame = {}, yellow = {};
    GetWindowRect(GetDlgItem(Form(), IDC_DAY_PAGES_GROUP), &frame);
    GetWindowRect(GetDlgItem(Form(), IDC_DAY_YELLOW_PAGES), &yellow);
    POINT space = {(yellow.right + frame.right) / 2, (yellow.top + yellow.bottom) / 2};
    ScreenToClient(Form(), &space);
    ASSERT_EQ(GetDlgItem(Form(), IDC_DAY_PAGES_GROUP),
              ChildWindowFromPointEx(Form(), space, CWP_SKIPINVISIBLE));
    EXPECT_EQ(phoneBook, PointerHelpAt(space)) << "the frame";
}

}  // namespace
