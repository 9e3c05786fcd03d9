// Where the print preview puts the sheet in its window.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "PrintPreview.h"

namespace {

const SIZE kA4 = {2479, 3508};  // at 300 pixels per inch

long Width(const RECT& r) { return r.right - r.left; }
long Height(const RECT& r) { return r.bottom - r.top; }

TEST(PreviewSheet, ANarrowWindowShowsTheSheetAtFullWidthCentredDownwards) {
    const RECT client = {0, 0, 300, 800};
    const RECT sheet = FitSheet(PreviewArea(client), kA4);
    EXPECT_EQ(kPreviewBorder, sheet.left);
    EXPECT_EQ(client.right - kPreviewBorder, sheet.right);
    EXPECT_LE(std::abs((sheet.top - client.top) - (client.bottom - sheet.bottom)), 1);
    EXPECT_GT(sheet.top, kPreviewBorder);
    EXPECT_NEAR(double(kA4.cy) / kA4.cx, double(Height(sheet)) / Width(sheet), 0.01);
}

TEST(PreviewSheet, AWideWindowShowsTheSheetAtFullHeightCentredAcross) {
    const RECT client = {0, 0, 1000, 500};
    const RECT sheet = FitSheet(PreviewArea(client), kA4);
    EXPECT_EQ(kPreviewBorder, sheet.top);
    EXPECT_EQ(client.bottom - kPreviewBorder, sheet.bottom);
    EXPECT_LE(std::abs((sheet.left - client.left) - (client.right - sheet.right)), 1);
    EXPECT_NEAR(double(kA4.cy) / kA4.cx, double(Height(sheet)) / Width(sheet), 0.01);
}

TEST(PreviewSheet, AWindowSmallerThanItsBorderLeavesNoRoomRatherThanANegativeOne) {
    const RECT area = PreviewArea(RECT{0, 0, 15, 30});
    EXPECT_EQ(0, Width(area));
    EXPECT_EQ(10, Height(area));
    const RECT sheet = FitSheet(area, kA4);
    EXPECT_EQ(0, Width(sheet));
    EXPECT_EQ(0, Height(sheet));
}

}  // namespace
