#include "TemplateControls.h"

#include <gtest/gtest.h>

#include <string>

void ExpectControls(HWND dialog, const std::vector<TemplateControl>& controls) {
    std::vector<int> order, expectedOrder;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        order.push_back(static_cast<int>(static_cast<WORD>(GetDlgCtrlID(child))));
    for (const TemplateControl& control : controls) expectedOrder.push_back(static_cast<WORD>(control.id));
    EXPECT_EQ(order, expectedOrder);
    for (const TemplateControl& control : controls) {
        SCOPED_TRACE("control " + std::to_string(control.id));
        HWND window = GetDlgItem(dialog, control.id);
        ASSERT_NE(window, nullptr);
        char className[64] = "";
        GetClassNameA(window, className, sizeof className);
        EXPECT_EQ(lstrcmpiA(className, control.className), 0) << className;
        const DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
        EXPECT_EQ(style & control.styleMask, control.style);
        char text[64] = "";
        GetWindowTextA(window, text, sizeof text);
        if (control.text) {
            EXPECT_STREQ(text, control.text);
        }
        if (control.place.right == 0) continue;
        RECT expected = control.place;
        MapDialogRect(dialog, &expected);
        RECT actual = {};
        GetWindowRect(window, &actual);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_EQ(actual.left, expected.left);
        EXPECT_EQ(actual.top, expected.top);
        if (control.sizesItself) continue;
        EXPECT_EQ(actual.right - actual.left, expected.right);
        EXPECT_EQ(actual.bottom - actual.top, expected.bottom);
    }
}
