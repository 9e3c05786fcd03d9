#include "DailyReports.h"

#include <algorithm>

#include "DateText.h"

namespace {

// Hour without a leading zero, two-digit minutes and the one-letter
// morning/afternoon marker: "9:30 A".
const char kTimePicture[] = "h':'mm t";

std::string EntryTime(const DateTime& time) {
    return DateText::FormatTime(time, LOCALE_USER_DEFAULT, 0, kTimePicture);
}

// The user's default short date.
std::string EntryDate(const DateTime& date) {
    return DateText::FormatDate(date, LOCALE_USER_DEFAULT, 0);
}

int CountOf(const std::vector<PageRange>& pages) { return static_cast<int>(pages.size()); }

// The room a description column keeps when the line is crowded, and the
// least it is given when it is very crowded, in average characters.
const int kDescriptionChars = 8;
const int kLeastDescriptionChars = 3;

// A text of column `at`: whole where it fits, else cut at the column's end
// (FitClippedTexts ends it with "..."), so no text runs into the next column
// or across a rule.
void ColumnText(PageLayout& page, const TextMeasure& measure, ReportFace face, const ColumnSpan& at,
                int y, int lineHeight, std::string text) {
    if (at.x + measure(face, text) <= at.end) {
        page.Text(face, at.x, y, std::move(text));
        return;
    }
    const RECT clip = {at.x, y, at.end, y + lineHeight};
    page.ClippedText(at.x, y, std::move(text), clip, face);
}

// A description: always cut at its column's end.
void DescriptionText(PageLayout& page, const ColumnSpan& at, int y, int lineHeight,
                     std::string text) {
    const RECT clip = {at.x, y, at.end, y + lineHeight};
    page.ClippedText(at.x, y, std::move(text), clip);
}

using ColumnWidth = DailyColumnWidths::Column;

// The widest of `texts` in the body face, and of them and their heading.
ColumnWidth Widest(const TextMeasure& measure, const char* heading,
                   const std::vector<std::string>& texts) {
    ColumnWidth width;
    for (const std::string& text : texts)
        width.entries = std::max(width.entries, measure(ReportFace::kBody, text));
    width.withHeading = std::max(width.entries, measure(ReportFace::kTitle, heading));
    return width;
}

ColumnWant Fixed(int preferredX, const ColumnWidth& width) {
    return ColumnWant{preferredX, width.withHeading, width.entries};
}

ColumnWant Description(int preferredX, const PageFrame& frame) {
    return ColumnWant{preferredX, kDescriptionChars * frame.charWidth,
                      kLeastDescriptionChars * frame.charWidth};
}

// Every quarter hour of the day as an entry prints it: what a time column
// must have room for, on every page alike.
std::vector<std::string> QuarterHours() {
    std::vector<std::string> times;
    for (int hour = 0; hour < 24; ++hour) {
        for (int minute = 0; minute < 60; minute += 15)
            times.push_back(EntryTime(DateTime::FromFields(2000, 1, 1, hour, minute, 0)));
    }
    return times;
}

// A short date of every month, with two-digit days.
std::vector<std::string> SampleDates() {
    std::vector<std::string> dates;
    for (int month = 1; month <= 12; ++month)
        dates.push_back(EntryDate(DateTime::FromFields(2088, month, 28, 0, 0, 0)));
    return dates;
}

// Where one day's appointment line puts its texts.
struct AppointmentColumns {
    ColumnSpan start;
    ColumnSpan end;
    ColumnSpan description;
};

// Where one task line puts its texts.
struct TaskColumns {
    ColumnSpan description;
    ColumnSpan priority;
    ColumnSpan dueDate;
};

// The columns measured from the printable area and the font: each where the
// report puts it while the one before leaves room, and all of them between
// `left` and `right`, half a character apart at least.
AppointmentColumns PlaceAppointmentColumns(const PageFrame& frame,
                                           const DailyColumnWidths::Widths& widths,
                                           const int (&preferred)[3], int left, int right) {
    const std::vector<ColumnSpan> at = PlaceColumns(
        {Fixed(preferred[0], widths.start), Fixed(preferred[1], widths.end),
         Description(preferred[2], frame)},
        left, right, frame.charWidth / 2);
    return AppointmentColumns{at[0], at[1], at[2]};
}

TaskColumns PlaceTaskColumns(const PageFrame& frame, const DailyColumnWidths::Widths& widths,
                             const int (&preferred)[3], int left, int right) {
    const std::vector<ColumnSpan> at = PlaceColumns(
        {Description(preferred[0], frame), Fixed(preferred[1], widths.priority),
         Fixed(preferred[2], widths.dueDate)},
        left, right, frame.charWidth / 2);
    return TaskColumns{at[0], at[1], at[2]};
}

// Every entry is one line: `y` moves down a line before the entry is drawn,
// so the first entry of a page stands a line below the headings.
void LayOutAppointments(PageLayout& page, const PageFrame& frame, const TextMeasure& measure,
                        const AppointmentColumns& at, const std::vector<Appointment>& appointments,
                        const PageRange& range) {
    int y = frame.HeadingsTop();
    const int line = frame.lineHeight;
    for (size_t i = range.first; i < range.first + range.count; ++i) {
        const Appointment& appointment = appointments[i];
        y += line;
        ColumnText(page, measure, ReportFace::kBody, at.start, y, line, EntryTime(appointment.StartTime));
        ColumnText(page, measure, ReportFace::kBody, at.end, y, line, EntryTime(appointment.EndTime));
        DescriptionText(page, at.description, y, line, appointment.Description);
    }
}

void LayOutTasks(PageLayout& page, const PageFrame& frame, const TextMeasure& measure,
                 const TaskColumns& at, const std::vector<Task>& tasks, const PageRange& range) {
    int y = frame.HeadingsTop();
    const int line = frame.lineHeight;
    for (size_t i = range.first; i < range.first + range.count; ++i) {
        const Task& task = tasks[i];
        y += line;
        DescriptionText(page, at.description, y, line, task.Description);
        ColumnText(page, measure, ReportFace::kBody, at.priority, y, line, PriorityName(task.Priority));
        ColumnText(page, measure, ReportFace::kBody, at.dueDate, y, line, EntryDate(task.DueDate));
    }
}

void Heading(PageLayout& page, const PageFrame& frame, const TextMeasure& measure,
             const ColumnSpan& at, const char* text) {
    ColumnText(page, measure, ReportFace::kTitle, at, frame.HeadingsTop(), frame.lineHeight, text);
}

void AppointmentHeadings(PageLayout& page, const PageFrame& frame, const TextMeasure& measure,
                         const AppointmentColumns& at) {
    Heading(page, frame, measure, at.start, "START");
    Heading(page, frame, measure, at.end, "END");
    Heading(page, frame, measure, at.description, "APPOINTMENT");
}

void TaskHeadings(PageLayout& page, const PageFrame& frame, const TextMeasure& measure,
                  const TaskColumns& at) {
    Heading(page, frame, measure, at.description, "TASK");
    Heading(page, frame, measure, at.priority, "PRIORITY");
    Heading(page, frame, measure, at.dueDate, "DUE DATE");
}

// The daily plan's columns: appointments from the left edge to the divider,
// tasks from the divider to the right edge, each half a character in; w/8
// and w/4 of the printable width w apart where the font leaves room.
struct PlanColumns {
    PlanColumns(const PageFrame& frame, const DailyColumnWidths::Widths& widths) {
        const int w = frame.Width();
        const int half = frame.charWidth / 2;
        const int start = frame.printable.left + half;
        appointments = PlaceAppointmentColumns(frame, widths, {start, start + w / 8, start + w / 4},
                                               frame.printable.left, frame.RightColumnX());
        const int task = frame.RightColumnX() + half;
        tasks = PlaceTaskColumns(frame, widths, {task, task + w / 4, task + w / 4 + w / 8},
                                 frame.RightColumnX() + half, frame.printable.right - half);
    }
    AppointmentColumns appointments;
    TaskColumns tasks;
};

TaskColumns TasksReportColumns(const PageFrame& frame, const DailyColumnWidths::Widths& widths) {
    const int left = frame.LeftColumnX();
    const int right = frame.RightColumnX();
    return PlaceTaskColumns(frame, widths, {left, right, right + (right - left) / 2},
                            frame.printable.left, frame.printable.right - frame.charWidth / 2);
}

// END a quarter of the printable width after START, both counted from the
// left margin.
AppointmentColumns AppointmentsReportColumns(const PageFrame& frame,
                                             const DailyColumnWidths::Widths& widths) {
    const int left = frame.LeftColumnX();
    return PlaceAppointmentColumns(frame, widths, {left, left + frame.Width() / 4, frame.RightColumnX()},
                                   frame.printable.left, frame.printable.right);
}

}  // namespace

const DailyColumnWidths::Widths& DailyColumnWidths::For(const PageFrame& frame,
                                                        const TextMeasure& measure) const {
    const auto same = [](const PageFrame& a, const PageFrame& b) {
        return EqualRect(&a.printable, &b.printable) && a.lineHeight == b.lineHeight &&
               a.charWidth == b.charWidth && a.inch == b.inch;
    };
    if (measured_ && same(frame, frame_)) return widths_;
    const std::vector<std::string> times = QuarterHours();
    std::vector<std::string> priorities;
    for (int32_t priority = 0; priority <= 3; ++priority) priorities.push_back(PriorityName(priority));
    widths_.start = Widest(measure, "START", times);
    widths_.end = Widest(measure, "END", times);
    widths_.priority = Widest(measure, "PRIORITY", priorities);
    widths_.dueDate = Widest(measure, "DUE DATE", SampleDates());
    frame_ = frame;
    measured_ = true;
    return widths_;
}

std::string PriorityName(int32_t priority) {
    static const char* const kNames[] = {"High", "Medium", "Low", "Done"};
    if (priority < 0 || priority > 3) return "";
    return kNames[priority];
}

// --- Daily plan ---------------------------------------------------------------------

DailyPlanReport::DailyPlanReport(std::vector<Task> tasks, std::vector<Appointment> appointments)
    : tasks_(std::move(tasks)), appointments_(std::move(appointments)) {}

void DailyPlanReport::Paginate(const PageFrame& frame) {
    appointmentPages_ = PaginateEntries(appointments_.size(), 1, frame);
    taskPages_ = PaginateEntries(tasks_.size(), 1, frame);
    SetPageCount(std::max(CountOf(appointmentPages_), CountOf(taskPages_)));
}

void DailyPlanReport::LayOutHeading(PageLayout& page, const PageFrame& frame,
                                    const TextMeasure& measure) const {
    AddTitle(page, frame, measure, Title());
    const PlanColumns at(frame, widths_.For(frame, measure));
    AppointmentHeadings(page, frame, measure, at.appointments);
    TaskHeadings(page, frame, measure, at.tasks);
}

void DailyPlanReport::LayOutRules(PageLayout& page, const PageFrame& frame) const {
    AddCornerRules(page, frame);
    page.Line(frame.RightColumnX(), frame.HeadingsTop(), frame.RightColumnX(),
              frame.printable.bottom - frame.lineHeight);
}

// Sheet k carries appointment page k on the left and task page k on the
// right; past one half's last page that half stays empty.
void DailyPlanReport::LayOutEntries(PageLayout& page, const PageFrame& frame, int pageIndex,
                                    const TextMeasure& measure) const {
    const PlanColumns at(frame, widths_.For(frame, measure));
    if (pageIndex < CountOf(appointmentPages_))
        LayOutAppointments(page, frame, measure, at.appointments, appointments_,
                           appointmentPages_[static_cast<size_t>(pageIndex)]);
    if (pageIndex < CountOf(taskPages_))
        LayOutTasks(page, frame, measure, at.tasks, tasks_,
                    taskPages_[static_cast<size_t>(pageIndex)]);
}

// --- Daily tasks --------------------------------------------------------------------

void DailyTasksReport::LayOutHeading(PageLayout& page, const PageFrame& frame,
                                     const TextMeasure& measure) const {
    AddTitle(page, frame, measure, Title());
    TaskHeadings(page, frame, measure, TasksReportColumns(frame, widths_.For(frame, measure)));
}

void DailyTasksReport::LayOutEntries(PageLayout& page, const PageFrame& frame, int pageIndex,
                                     const TextMeasure& measure) const {
    LayOutTasks(page, frame, measure, TasksReportColumns(frame, widths_.For(frame, measure)), Records(), Page(pageIndex));
}

// --- Daily appointments -------------------------------------------------------------

void DailyAppointmentsReport::LayOutHeading(PageLayout& page, const PageFrame& frame,
                                            const TextMeasure& measure) const {
    AddTitle(page, frame, measure, Title());
    AppointmentHeadings(page, frame, measure, AppointmentsReportColumns(frame, widths_.For(frame, measure)));
}

void DailyAppointmentsReport::LayOutEntries(PageLayout& page, const PageFrame& frame,
                                            int pageIndex, const TextMeasure& measure) const {
    LayOutAppointments(page, frame, measure, AppointmentsReportColumns(frame, widths_.For(frame, measure)), Records(),
                       Page(pageIndex));
}
