#include "PreparedReport.h"

#include "DailyReports.h"
#include "PeopleReports.h"

namespace {

const int kSmallSheetPointSize = 8;

// Titles and headings bold, everything else regular; upright, the
// requested face. A negative height asks for the character height.
HFONT CreateReportFont(HDC dc, int pointSize, const std::string& face, int weight) {
    const int height = -(pointSize * GetDeviceCaps(dc, LOGPIXELSY) / 72);
    return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_CHARACTER_PRECIS, CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face.c_str());
}

}  // namespace

DeviceGeometry GeometryOf(HDC dc) {
    DeviceGeometry device;
    device.logPixelsX = GetDeviceCaps(dc, LOGPIXELSX);
    device.logPixelsY = GetDeviceCaps(dc, LOGPIXELSY);
    device.physicalWidth = GetDeviceCaps(dc, PHYSICALWIDTH);
    device.physicalHeight = GetDeviceCaps(dc, PHYSICALHEIGHT);
    device.physicalOffsetX = GetDeviceCaps(dc, PHYSICALOFFSETX);
    device.physicalOffsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
    return device;
}

std::unique_ptr<Report> MakeReport(const ReportSelection& selection) {
    switch (selection.kind) {
    case ReportKind::kDailyPlan:
        return std::make_unique<DailyPlanReport>(selection.reportTasks,
                                                 selection.reportAppointments);
    case ReportKind::kDailyTasks:
        return std::make_unique<DailyTasksReport>(selection.reportTasks);
    case ReportKind::kDailyAppointments:
        return std::make_unique<DailyAppointmentsReport>(selection.reportAppointments);
    case ReportKind::kAddressBook: {
        std::vector<Person> persons;
        persons.reserve(selection.addressBookPersons.size());
        for (const auto& entry : selection.addressBookPersons) persons.push_back(entry.second);
        return std::make_unique<AddressBookReport>(std::move(persons));
    }
    case ReportKind::kEnvelopes: {
        EnvelopeSender sender;
        if (selection.envelopeSender) sender = selection.envelopeSender();
        return std::make_unique<EnvelopeReport>(std::move(sender.owner), selection.envelopePersons,
                                                sender.showCompany);
    }
    case ReportKind::kNone:
        break;
    }
    return nullptr;
}

PreparedReport::PreparedReport(HDC layoutDC, std::unique_ptr<Report> report,
                               const PageMargins& margins, const ReportFontSetting& font)
    : layoutDC_(layoutDC), report_(std::move(report)), pointSize_(font.pointSize) {
    const DeviceGeometry device = GeometryOf(layoutDC_);
    printable_ = PrintableRectFor(device, margins);
    if (report_->FollowsSmallSheetRule() && IsSmallSheet(device)) pointSize_ = kSmallSheetPointSize;
    titleFont_ = CreateReportFont(layoutDC_, pointSize_, font.faceName, FW_BOLD);
    bodyFont_ = CreateReportFont(layoutDC_, pointSize_, font.faceName, FW_NORMAL);
    report_->Paginate(FrameOn(layoutDC_));
}

PreparedReport::~PreparedReport() {
    if (titleFont_) DeleteObject(titleFont_);
    if (bodyFont_) DeleteObject(bodyFont_);
    if (layoutDC_) DeleteDC(layoutDC_);
}

PageFrame PreparedReport::FrameOn(HDC dc) const {
    PageFrame frame;
    frame.printable = printable_;
    HGDIOBJ previous = SelectObject(dc, bodyFont_);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    frame.lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    frame.charWidth = metrics.tmAveCharWidth;
    frame.inch = GetDeviceCaps(dc, LOGPIXELSX);
    return frame;
}

PageLayout PreparedReport::LayOutPageOn(HDC dc, int pageIndex) const {
    HGDIOBJ previous = SelectObject(dc, bodyFont_);
    const TextMeasure measure = [this, dc](ReportFace face, const std::string& text) {
        SelectObject(dc, FontFor(face));
        SIZE size = {};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    };
    PageLayout page = report_->LayOutPage(FrameOn(dc), pageIndex, measure);
    SelectObject(dc, previous);
    return page;
}

// Texts are drawn without filling their cells, so no text hides a rule or
// another text that it overlaps.
void PreparedReport::DrawPage(HDC target, int pageIndex) const {
    const PageLayout page = LayOutPageOn(target, pageIndex);
    HGDIOBJ previousFont = SelectObject(target, bodyFont_);
    const int previousMode = SetBkMode(target, TRANSPARENT);
    for (const PageLine& line : page.lines) {
        MoveToEx(target, line.from.x, line.from.y, nullptr);
        LineTo(target, line.to.x, line.to.y);
    }
    for (const PageText& text : page.texts) {
        SelectObject(target, FontFor(text.face));
        const UINT length = static_cast<UINT>(text.text.size());
        if (text.clipped)
            ExtTextOutA(target, text.x, text.y, ETO_CLIPPED, &text.clip, text.text.c_str(), length,
                        nullptr);
        else
            TextOutA(target, text.x, text.y, text.text.c_str(), static_cast<int>(length));
    }
    SetBkMode(target, previousMode);
    SelectObject(target, previousFont);
}
