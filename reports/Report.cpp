#include "Report.h"

PageLayout Report::LayOutPage(const PageFrame& frame, int pageIndex,
                              const TextMeasure& measure) const {
    PageLayout page;
    LayOutHeading(page, frame, measure);
    LayOutPageNumber(page, frame, measure, pageIndex + 1);
    LayOutRules(page, frame);
    if (pageIndex >= 0 && pageIndex < pageCount_) LayOutEntries(page, frame, pageIndex, measure);
    FitClippedTexts(page, measure);
    return page;
}

void Report::LayOutPageNumber(PageLayout& page, const PageFrame& frame, const TextMeasure& measure,
                              int pageNumber) const {
    AddPageNumber(page, frame, measure, pageNumber);
}

void Report::LayOutRules(PageLayout& page, const PageFrame& frame) const {
    AddCornerRules(page, frame);
}
