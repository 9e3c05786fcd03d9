// A report laid out for the current printer: the page frame measured on the
// printer's context with the report font, the page table made from it, and
// the one function that draws a page, into the printer when printing and
// into a metafile recorded against the printer when previewing.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "Report.h"
#include "ReportLayout.h"
#include "ReportSelection.h"

// The report font, kept by the frame for the run and never saved.
struct ReportFontSetting {
    int pointSize = 10;
    std::string faceName = "Times New Roman";
};

// The sheet of a printer context, or of a metafile context recorded against
// one (which answers for its reference device).
DeviceGeometry GeometryOf(HDC dc);

// The report that Print and Print Preview produce for `selection`, from
// copies of its lists (envelopes also ask for their sender now); null for
// no choice yet.
std::unique_ptr<Report> MakeReport(const ReportSelection& selection);

class PreparedReport {
public:
    // Lays `report` out on `layoutDC`, an information context for the
    // printer, which the object owns from then on. The page count is final
    // afterwards: a report that follows the small-sheet rule takes 8-point
    // type on a small sheet here rather than at its first page.
    PreparedReport(HDC layoutDC, std::unique_ptr<Report> report, const PageMargins& margins,
                   const ReportFontSetting& font);
    ~PreparedReport();
    PreparedReport(const PreparedReport&) = delete;
    PreparedReport& operator=(const PreparedReport&) = delete;

    int PageCount() const { return report_->PageCount(); }
    const Report& Contents() const { return *report_; }
    const RECT& PrintableRect() const { return printable_; }
    // The type size in use: the setting's, or 8 on a small sheet.
    int PointSize() const { return pointSize_; }

    // Draws page `pageIndex` into `target` with the metrics of `target`.
    // The target's selected font is restored afterwards.
    void DrawPage(HDC target, int pageIndex) const;

    // The frame of a page drawn on `dc` (the body font's metrics there).
    PageFrame FrameOn(HDC dc) const;
    // Page `pageIndex` as DrawPage would draw it on `dc`.
    PageLayout LayOutPageOn(HDC dc, int pageIndex) const;

private:
    HFONT FontFor(ReportFace face) const { return face == ReportFace::kTitle ? titleFont_ : bodyFont_; }

    HDC layoutDC_;
    std::unique_ptr<Report> report_;
    RECT printable_ = {};
    int pointSize_;
    HFONT titleFont_ = nullptr;
    HFONT bodyFont_ = nullptr;
};
