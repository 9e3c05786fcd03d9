// Where the print preview puts the sheet in its window, at each zoom.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

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

namespace {

const SheetMeasure kA4At300 = {kA4, {300, 300}, {96, 96}};

// The zoom steps up and down through its levels in order, stopping at each end.
TEST(PreviewZoom, StepsThroughItsLevelsAndStopsAtTheEnds) {
    std::string up, down;
    ZoomLevel level = ZoomLevel::kWholePage;
    for (int i = 0; i < 6; ++i, level = StepZoom(level, 1)) up += std::string(ZoomLevelName(level)) + "|";
    for (int i = 0; i < 6; ++i, level = StepZoom(level, -1)) down += std::string(ZoomLevelName(level)) + "|";
    EXPECT_EQ("Whole Page|Page Width|100%|150%|200%|200%|", up);
    EXPECT_EQ("200%|150%|100%|Page Width|Whole Page|Whole Page|", down);
}

// 100% is the paper's own size on the screen (793 x 1123 for A4 at 96 pixels
// per inch); a sheet that fits a direction is centred in it, one that does
// not is scrolled, no further than its far border.
TEST(PreviewZoom, PlacesTheSheetForItsZoomAndScrollPosition) {
    const struct {
        ZoomLevel level;
        RECT client;
        POINT scroll;
        RECT sheet;
    } rows[] = {
        {ZoomLevel::kWholePage, {0, 0, 800, 600}, {100, 100}, {195, 10, 604, 590}},
        {ZoomLevel::kPageWidth, {0, 0, 600, 400}, {0, 100}, {10, -90, 590, 731}},
        {ZoomLevel::kActualSize, {0, 0, 1000, 1300}, {50, 50}, {103, 88, 896, 1211}},
        {ZoomLevel::kOneAndHalf, {0, 0, 400, 300}, {-30, 0}, {10, 10, 1200, 1694}},
        {ZoomLevel::kDouble, {0, 0, 400, 300}, {5000, 5000}, {-1197, -1955, 390, 290}},
    };
    for (const auto& row : rows) {
        const RECT sheet = PlaceSheet(row.level, kA4At300, row.client, row.scroll);
        EXPECT_TRUE(EqualRect(&row.sheet, &sheet))
            << ZoomLevelName(row.level) << ": " << sheet.left << "," << sheet.top << ","
            << sheet.right << "," << sheet.bottom;
    }
    const SIZE client = {800, 600};
    const SIZE limit = ScrollLimit(ZoomedSheetSize(ZoomLevel::kWholePage, kA4At300, client), client);
    EXPECT_EQ(0, limit.cx + limit.cy);
}

// From the whole page to 100% the point clicked stays under the mouse, as
// near as the scroll range allows at the sheet's corners.
TEST(PreviewZoom, ZoomingInKeepsTheClickedPointUnderTheMouse) {
    const RECT client = {0, 0, 800, 600};
    const RECT before = PlaceSheet(ZoomLevel::kWholePage, kA4At300, client, {0, 0});
    const struct {
        POINT click;
        POINT sheetOrigin;
    } rows[] = {{{399, 300}, {3, -262}}, {{195, 10}, {10, 10}}, {{604, 590}, {-3, -533}}};
    for (const auto& row : rows) {
        const SIZE zoomed = ZoomedSheetSize(ZoomLevel::kActualSize, kA4At300, {800, 600});
        const POINT scroll = ScrollKeepingPoint(before, row.click, zoomed);
        const RECT after = PlaceSheet(ZoomLevel::kActualSize, kA4At300, client, scroll);
        EXPECT_EQ(row.sheetOrigin.x, after.left) << row.click.x;
        EXPECT_EQ(row.sheetOrigin.y, after.top) << row.click.y;
    }
}

}  // namespace
