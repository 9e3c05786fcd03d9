// The daily reports' columns on real sheets in real type: at every report
// font size, on Letter, A4 and A5 either way round, with narrow to wide
// margins, no text runs into the next one, across a rule or off the
// printable area. Texts are measured in the report's own fonts at 600
// pixels per inch, as a laser printer would set them.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "DailyReports.h"
#include "ReportLayout.h"

namespace {

const int kDpi = 600;

// Fonts of one size on a memory context, measured as PreparedReport does.
class Type {
public:
    explicit Type(int points) : dc_(CreateCompatibleDC(nullptr)) {
        const int height = -(points * kDpi / 72);
        for (int weight : {FW_BOLD, FW_NORMAL})
            fonts_.push_back(CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                         OUT_CHARACTER_PRECIS, CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY,
                                         DEFAULT_PITCH | FF_DONTCARE, "Times New Roman"));
    }
    ~Type() {
        DeleteDC(dc_);
        for (HFONT font : fonts_) DeleteObject(font);
    }
    int Width(ReportFace face, const std::string& text) const {
        SelectObject(dc_, fonts_[face == ReportFace::kTitle ? 0 : 1]);
        SIZE size = {};
        GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    }
    PageFrame Frame(const RECT& printable) const {
        SelectObject(dc_, fonts_[1]);
        TEXTMETRICA metrics = {};
        GetTextMetricsA(dc_, &metrics);
        PageFrame frame;
        frame.printable = printable;
        frame.lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
        frame.charWidth = metrics.tmAveCharWidth;
        frame.inch = kDpi;
        return frame;
    }

private:
    HDC dc_;
    std::vector<HFONT> fonts_;
};

struct Sheet {
    const char* name;
    double width;  // inches, portrait
    double height;
};

// The end of what a text shows: its width, or its clip where that is nearer.
int VisibleEnd(const PageText& text, const Type& type) {
    const int end = text.x + type.Width(text.face, text.text);
    return text.clipped ? std::min(end, static_cast<int>(text.clip.right)) : end;
}

// What is wrong with the page: overlapping texts on a line, a text across a
// vertical rule beside it, or a text outside the printable width.
std::string Faults(const PageLayout& page, const PageFrame& frame, const Type& type) {
    std::ostringstream faults;
    std::vector<const PageText*> texts;
    for (const PageText& text : page.texts) texts.push_back(&text);
    std::sort(texts.begin(), texts.end(), [](const PageText* a, const PageText* b) {
        return a->y != b->y ? a->y < b->y : a->x < b->x;
    });
    for (size_t i = 0; i < texts.size(); ++i) {
        const PageText& text = *texts[i];
        const int end = VisibleEnd(text, type);
        if (text.x < frame.printable.left || end > frame.printable.right)
            faults << "'" << text.text << "' leaves the printable width; ";
        if (i + 1 < texts.size() && texts[i + 1]->y == text.y && end > texts[i + 1]->x)
            faults << "'" << text.text << "' runs into '" << texts[i + 1]->text << "'; ";
        for (const PageLine& line : page.lines) {
            const bool beside = line.from.x == line.to.x && line.from.y < text.y + frame.lineHeight &&
                                line.to.y > text.y;
            if (beside && text.x < line.from.x && end > line.from.x)
                faults << "'" << text.text << "' crosses the rule at x " << line.from.x << "; ";
        }
    }
    return faults.str();
}

TEST(ReportColumns, NoTextOverlapsAnotherOrARuleAtAnySizeSheetOrMargin) {
    const Sheet sheets[] = {{"Letter", 8.5, 11}, {"A4", 8.27, 11.69}, {"A5", 5.83, 8.27}};
    Appointment appointment;
    appointment.StartTime = DateTime::FromFields(2026, 12, 28, 10, 45, 0);
    appointment.EndTime = DateTime::FromFields(2026, 12, 28, 12, 45, 0);
    appointment.Description = "Quarterly review of the regional sales figures with the whole team";
    Task task;
    task.Description = "Send the signed contract back to the lawyers before the holidays";
    task.Priority = 1;  // "Medium", the widest name
    task.DueDate = DateTime::FromFields(2026, 12, 28, 0, 0, 0);

    for (const Sheet& sheet : sheets) {
        for (bool landscape : {false, true}) {
            DeviceGeometry device;
            device.logPixelsX = device.logPixelsY = kDpi;
            device.physicalWidth = static_cast<int>((landscape ? sheet.height : sheet.width) * kDpi);
            device.physicalHeight = static_cast<int>((landscape ? sheet.width : sheet.height) * kDpi);
            device.physicalOffsetX = device.physicalOffsetY = kDpi / 6;
            for (int margin = 500; margin <= 2000; margin += 500) {
                PageMargins margins;
                margins.left = margins.top = margins.right = margins.bottom = margin;
                const RECT printable = PrintableRectFor(device, margins);
                for (int points = 8; points <= 16; ++points) {
                    const Type type(IsSmallSheet(device) ? 8 : points);
                    const PageFrame frame = type.Frame(printable);
                    const TextMeasure measure = [&type](ReportFace face, const std::string& text) {
                        return type.Width(face, text);
                    };
                    DailyPlanReport plan({task}, {appointment});
                    DailyTasksReport tasks({task});
                    DailyAppointmentsReport appointments({appointment});
                    for (Report* report : std::vector<Report*>{&plan, &tasks, &appointments}) {
                        report->Paginate(frame);
                        const PageLayout page = report->LayOutPage(frame, 0, measure);
                        EXPECT_EQ("", Faults(page, frame, type))
                            << report->Title() << " on " << sheet.name
                            << (landscape ? " landscape" : " portrait") << ", margins " << margin
                            << ", " << points << " points";
                    }
                }
            }
        }
    }
}

}  // namespace
