// Where things stand on a report page, computed without a device: the
// printable rectangle from the sheet and the margins, the page table, and a
// page as a list of texts and lines in printer pixels. A report lays its
// pages out here; PreparedReport measures the device and draws the list.
//
// Units: printer pixels with the origin at the top-left corner of the
// printer's printable area (a printer context's default mapping); margins in
// thousandths of an inch. Pixel divisions truncate toward zero.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// What a report needs to know of the printer's sheet.
struct DeviceGeometry {
    int logPixelsX = 0;
    int logPixelsY = 0;
    int physicalWidth = 0;    // the whole sheet, in pixels
    int physicalHeight = 0;
    int physicalOffsetX = 0;  // where the printable area begins on the sheet
    int physicalOffsetY = 0;
};

// Page margins in thousandths of an inch, measured from the sheet's edges.
struct PageMargins {
    int left = 1000;
    int top = 1000;
    int right = 1000;
    int bottom = 1000;
};

// The area inside the margins, relative to the printable-area origin; each
// side truncated toward zero.
RECT PrintableRectFor(const DeviceGeometry& device, const PageMargins& margins);

// A sheet 6 whole inches wide or less (A5 and smaller): the daily reports
// print in 8-point type there.
bool IsSmallSheet(const DeviceGeometry& device);

// The two faces of the report font: titles and headings, and the rest.
enum class ReportFace { kTitle, kBody };

// A page's frame: the printable rectangle and the body font's metrics on the
// device the page is drawn for.
struct PageFrame {
    RECT printable = {};
    int lineHeight = 0;  // text height plus external leading
    int charWidth = 0;   // average character width
    int inch = 0;        // horizontal pixels per inch: the corner rules' length

    int Width() const { return printable.right - printable.left; }
    int LeftColumnX() const { return printable.left + charWidth; }
    int RightColumnX() const { return printable.left + charWidth + Width() / 2; }
    // The line of the column headings, below the title and a blank line;
    // the first entry stands a line further down.
    int HeadingsTop() const { return printable.top + 2 * lineHeight; }
    // The top of the footer's line ("Page %d"), which no entry reaches.
    int FooterTop() const { return printable.bottom - lineHeight; }
};

struct PageText {
    ReportFace face = ReportFace::kBody;
    int x = 0;
    int y = 0;
    std::string text;
    // A clipped text is cut at the rectangle's edges, mid-character if need
    // be; one too wide for its column is shortened first and ends in "..."
    // (FitClippedTexts), so only a tall glyph is ever cut there.
    bool clipped = false;
    RECT clip = {};
};

struct PageLine {
    POINT from = {};
    POINT to = {};
};

// One page as drawn, in drawing order.
struct PageLayout {
    std::vector<PageText> texts;
    std::vector<PageLine> lines;

    void Text(ReportFace face, int x, int y, std::string text);
    void ClippedText(int x, int y, std::string text, const RECT& clip,
                     ReportFace face = ReportFace::kBody);
    void Line(int x1, int y1, int x2, int y2);
};

// The width of a text in one of the two faces, on the page's device.
using TextMeasure = std::function<int(ReportFace, const std::string&)>;

// `text` as it fits in `width` pixels, `measure` giving the width of a text:
// whole when it fits; otherwise its longest beginning that, with trailing
// spaces dropped and "..." added, still fits, so the reader sees that it goes
// on. A double-byte character is never split. When not even "..." fits,
// "..." alone (the clip cuts it).
std::string FitWithEllipsis(const std::string& text, int width,
                            const std::function<int(const std::string&)>& measure);

// Shortens each clipped text of `page` to the width from its x to its clip's
// right edge, measured in its face.
void FitClippedTexts(PageLayout& page, const TextMeasure& measure);

// A column of a report line: where the report would put it, the width its
// widest text needs there, and the least it can do with on a crowded line
// (its entries whole, its heading cut). For a column that takes the room
// left, such as a description cut at its end, the room worth giving it.
struct ColumnWant {
    int preferredX = 0;
    int width = 0;
    int least = 0;
};

// Where a column of a line stands and where its texts are cut.
struct ColumnSpan {
    int x = 0;
    int end = 0;
};

// Places the columns of one line between `left` and `right`, at least `gap`
// apart: each at its preferred x where the one before leaves it room, else
// right after that one; when the last would then cross `right`, the columns
// move back toward the left as far as they must. Each column's texts are cut
// at the next column's x less the gap, the last at `right`. A line without
// room for every width places the columns by their least widths; one
// without room even for those keeps them in order and within the bounds,
// and its texts are cut where they meet.
std::vector<ColumnSpan> PlaceColumns(const std::vector<ColumnWant>& columns, int left, int right,
                                     int gap);

// The pages of a list report: consecutive entries of the snapshot.
struct PageRange {
    size_t first = 0;
    size_t count = 0;
};

// Splits `entryCount` entries of `entryLines` lines each into pages. The
// first entry of a page stands a line below HeadingsTop(), each next one
// below the last; an entry joins the page while it ends above the footer's
// line (its bottom at FooterTop() at the lowest), so it stays clear of the
// page number and strictly above the printable bottom. Otherwise it opens
// the next page. No entries, no page.
std::vector<PageRange> PaginateEntries(size_t entryCount, int entryLines, const PageFrame& frame);

// The parts every list report shares:
// the title in the title face, centred on the printable width, at the top;
void AddTitle(PageLayout& page, const PageFrame& frame, const TextMeasure& measure,
              const std::string& title);
// "Page %d" centred one line above the printable bottom;
void AddPageNumber(PageLayout& page, const PageFrame& frame, const TextMeasure& measure,
                   int pageNumber);
// the bracket around the printable area: both side edges whole, and one inch
// of the top and bottom edges inward from each corner.
void AddCornerRules(PageLayout& page, const PageFrame& frame);

// Trimming of the texts the people reports print: spaces as the thread
// locale classifies them, stepped through character by character so that a
// double-byte character is never split.
std::string TrimRight(const std::string& text);
std::string TrimLeft(const std::string& text);
std::string TrimBoth(const std::string& text);
