// Base of the printed reports. A report holds its snapshot (copies of the
// records it prints, in print order), splits it into pages for a page frame
// and lays each page out as texts and lines. It knows nothing of devices:
// PreparedReport gives it a frame measured on the printer and draws what it
// lays out, the same way for the print job and for the preview.
//
// Use:
//  1. Construct a concrete report from its snapshot.
//  2. Paginate() with the frame of the layout device; PageCount() is then
//     known before any page is drawn.
//  3. LayOutPage() for each page to draw, with the frame and text widths of
//     the device drawn on.
#pragma once

#include <string>

#include "ReportLayout.h"

class Report {
public:
    virtual ~Report() = default;

    // The title at the top of each page ("" for reports without one).
    virtual std::string Title() const = 0;
    // Whether the report changes to 8-point type on a small sheet.
    virtual bool FollowsSmallSheetRule() const = 0;

    // Rebuilds the page table for `frame`.
    virtual void Paginate(const PageFrame& frame) = 0;
    int PageCount() const { return pageCount_; }

    // Page `pageIndex` (0-based) as drawn: heading, page number, rules, then
    // the entries; every clipped text too long for its column shortened to
    // end in "...". An index past the last page gives the page without
    // entries.
    PageLayout LayOutPage(const PageFrame& frame, int pageIndex, const TextMeasure& measure) const;

protected:
    // The title line and the column headings.
    virtual void LayOutHeading(PageLayout& page, const PageFrame& frame,
                               const TextMeasure& measure) const = 0;
    // The footer of page `pageNumber` (1-based); by default "Page %d".
    virtual void LayOutPageNumber(PageLayout& page, const PageFrame& frame,
                                  const TextMeasure& measure, int pageNumber) const;
    // The page's rules; by default the corner rules.
    virtual void LayOutRules(PageLayout& page, const PageFrame& frame) const;
    // The entries of page `pageIndex`, which is below PageCount().
    virtual void LayOutEntries(PageLayout& page, const PageFrame& frame, int pageIndex,
                               const TextMeasure& measure) const = 0;

    void SetPageCount(int count) { pageCount_ = count; }

private:
    int pageCount_ = 0;
};
