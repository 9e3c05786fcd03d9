#include "ReportLayout.h"

#include <algorithm>
#include <cstdio>
#include <utility>

// Exactly, in thousandths of a pixel, then truncated toward zero: the x87
// unit of a 32-bit build would otherwise carry 1000 * 0.001 a hair above 1
// and lose a pixel on the right and bottom edges.
RECT PrintableRectFor(const DeviceGeometry& d, const PageMargins& margins) {
    const auto pixels = [](long long thousandths) { return static_cast<LONG>(thousandths / 1000); };
    RECT rect;
    rect.top = pixels(1LL * d.logPixelsY * margins.top - 1000LL * d.physicalOffsetY);
    rect.left = pixels(1LL * d.logPixelsX * margins.left - 1000LL * d.physicalOffsetX);
    rect.right = pixels(1000LL * d.physicalWidth - 1LL * d.logPixelsX * margins.right -
                        1000LL * d.physicalOffsetX);
    rect.bottom = pixels(1000LL * d.physicalHeight - 1LL * d.logPixelsY * margins.bottom -
                         1000LL * d.physicalOffsetY);
    return rect;
}

bool IsSmallSheet(const DeviceGeometry& device) {
    if (device.logPixelsX <= 0) return false;
    return device.physicalWidth / device.logPixelsX <= 6;
}

void PageLayout::Text(ReportFace face, int x, int y, std::string text) {
    PageText item;
    item.face = face;
    item.x = x;
    item.y = y;
    item.text = std::move(text);
    texts.push_back(std::move(item));
}

void PageLayout::ClippedText(int x, int y, std::string text, const RECT& clip, ReportFace face) {
    PageText item;
    item.face = face;
    item.x = x;
    item.y = y;
    item.text = std::move(text);
    item.clipped = true;
    item.clip = clip;
    texts.push_back(std::move(item));
}

void PageLayout::Line(int x1, int y1, int x2, int y2) {
    lines.push_back(PageLine{{x1, y1}, {x2, y2}});
}

std::vector<ColumnSpan> PlaceColumns(const std::vector<ColumnWant>& columns, int left, int right,
                                     int gap) {
    const size_t count = columns.size();
    std::vector<ColumnSpan> spans(count);
    if (count == 0) return spans;
    std::vector<int> x(count);
    // Each column at its preferred x or after the one before; then, if the
    // last crosses `right`, back from there. True when all lie within.
    const auto place = [&](int ColumnWant::*width) {
        x[0] = std::max(columns[0].preferredX, left);
        for (size_t i = 1; i < count; ++i)
            x[i] = std::max(columns[i].preferredX, x[i - 1] + columns[i - 1].*width + gap);
        if (x[count - 1] + columns[count - 1].*width <= right) return true;
        x[count - 1] = right - columns[count - 1].*width;
        for (size_t i = count - 1; i-- > 0;) x[i] = std::min(x[i], x[i + 1] - gap - columns[i].*width);
        return x[0] >= left;
    };
    if (!place(&ColumnWant::width) && !place(&ColumnWant::least)) {
        // Too little room for all: in order, within the bounds, each cut
        // where the next begins.
        x[0] = std::max(x[0], left);
        for (size_t i = 1; i < count; ++i) x[i] = std::max(x[i], x[i - 1]);
    }
    for (size_t i = 0; i < count; ++i) {
        spans[i].x = std::min(x[i], right);
        spans[i].end = i + 1 < count ? x[i + 1] - gap : right;
        spans[i].end = std::max(spans[i].x, std::min(spans[i].end, right));
    }
    return spans;
}

std::vector<PageRange> PaginateEntries(size_t entryCount, int entryLines,
                                       const PageFrame& frame) {
    std::vector<PageRange> pages;
    if (entryCount == 0) return pages;
    const int entryHeight = entryLines * frame.lineHeight;
    // The bottom edge of the page's entries so far: the headings' line at
    // first. A page takes at least one entry, however little room it has.
    const int firstTop = frame.HeadingsTop() + frame.lineHeight;
    pages.push_back(PageRange{0, 0});
    int end = firstTop;
    for (size_t entry = 0; entry < entryCount; ++entry) {
        end += entryHeight;
        if (end > frame.FooterTop() && pages.back().count > 0) {
            pages.push_back(PageRange{entry, 0});
            end = firstTop + entryHeight;
        }
        ++pages.back().count;
    }
    return pages;
}

void AddTitle(PageLayout& page, const PageFrame& frame, const TextMeasure& measure,
              const std::string& title) {
    const int width = measure(ReportFace::kTitle, title);
    page.Text(ReportFace::kTitle, frame.printable.left + (frame.Width() - width) / 2,
              frame.printable.top, title);
}

void AddPageNumber(PageLayout& page, const PageFrame& frame, const TextMeasure& measure,
                   int pageNumber) {
    char text[32];
    std::snprintf(text, sizeof text, "Page %d", pageNumber);
    const int width = measure(ReportFace::kTitle, text);
    page.Text(ReportFace::kTitle, frame.printable.left + (frame.Width() - width) / 2,
              frame.printable.bottom - frame.lineHeight, text);
}

void AddCornerRules(PageLayout& page, const PageFrame& frame) {
    const RECT& r = frame.printable;
    const int inch = frame.inch;
    page.Line(r.left, r.top, r.left, r.bottom);
    page.Line(r.right, r.top, r.right, r.bottom);
    page.Line(r.left, r.top, r.left + inch, r.top);
    page.Line(r.right, r.top, r.right - inch, r.top);
    page.Line(r.left, r.bottom, r.left + inch, r.bottom);
    page.Line(r.right, r.bottom, r.right - inch, r.bottom);
}

namespace {

bool IsSpace(const char* character) {
    WORD type = 0;
    if (!GetStringTypeExA(GetThreadLocale(), CT_CTYPE1, character, 1, &type)) return false;
    return (type & C1_SPACE) != 0;
}

// Where the text's leading spaces end.
const char* FirstNonSpace(const char* text) {
    while (*text && IsSpace(text)) text = CharNextA(text);
    return text;
}

// Where the text's trailing spaces begin.
const char* EndOfNonSpace(const char* text) {
    const char* end = text;
    for (const char* at = text; *at; at = CharNextA(at)) {
        if (!IsSpace(at)) end = CharNextA(at);
    }
    return end;
}

}  // namespace

std::string TrimRight(const std::string& text) {
    return std::string(text.c_str(), EndOfNonSpace(text.c_str()));
}

std::string TrimLeft(const std::string& text) {
    return std::string(FirstNonSpace(text.c_str()));
}

std::string TrimBoth(const std::string& text) {
    const char* begin = FirstNonSpace(text.c_str());
    return std::string(begin, EndOfNonSpace(begin));
}

std::string FitWithEllipsis(const std::string& text, int width,
                            const std::function<int(const std::string&)>& measure) {
    static const char kEllipsis[] = "...";
    if (text.empty() || measure(text) <= width) return text;
    // Where a cut may fall: after each whole character.
    std::vector<size_t> cuts;
    for (const char* at = text.c_str(); *at;) {
        at = CharNextA(at);
        cuts.push_back(static_cast<size_t>(at - text.c_str()));
    }
    const auto shortened = [&text](size_t cut) { return TrimRight(text.substr(0, cut)) + kEllipsis; };
    // A text measures no narrower when a character is added: the longest
    // fitting beginning is found by halving. cuts.back() is the whole text,
    // which does not fit with the ellipsis either.
    std::string best = kEllipsis;
    size_t low = 0;
    size_t high = cuts.empty() ? 0 : cuts.size() - 1;  // candidates cuts[low, high)
    while (low < high) {
        const size_t middle = low + (high - low) / 2;
        std::string candidate = shortened(cuts[middle]);
        if (measure(candidate) <= width) {
            best = std::move(candidate);
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return best;
}

void FitClippedTexts(PageLayout& page, const TextMeasure& measure) {
    for (PageText& item : page.texts) {
        if (!item.clipped) continue;
        const ReportFace face = item.face;
        item.text = FitWithEllipsis(item.text, item.clip.right - item.x,
                                    [&measure, face](const std::string& text) { return measure(face, text); });
    }
}
