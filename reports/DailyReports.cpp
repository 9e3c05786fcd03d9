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

// Where one day's appointment line puts its texts.
struct AppointmentColumns {
    int start;
    int end;
    int description;
    int descriptionEnd;  // the description is cut here
};

// Where one task line puts its texts.
struct TaskColumns {
    int description;
    int descriptionEnd;
    int priority;
    int dueDate;
};

// Every entry is one line: `y` moves down a line before the entry is drawn,
// so the first entry of a page stands a line below the headings.
void LayOutAppointments(PageLayout& page, const PageFrame& frame, const AppointmentColumns& at,
                        const std::vector<Appointment>& appointments, const PageRange& range) {
    int y = frame.HeadingsTop();
    for (size_t i = range.first; i < range.first + range.count; ++i) {
        const Appointment& appointment = appointments[i];
        y += frame.lineHeight;
        page.Text(ReportFace::kBody, at.start, y, EntryTime(appointment.StartTime));
        page.Text(ReportFace::kBody, at.end, y, EntryTime(appointment.EndTime));
        const RECT clip = {at.description, y, at.descriptionEnd, y + frame.lineHeight};
        page.ClippedText(at.description, y, appointment.Description, clip);
    }
}

void LayOutTasks(PageLayout& page, const PageFrame& frame, const TaskColumns& at,
                 const std::vector<Task>& tasks, const PageRange& range) {
    int y = frame.HeadingsTop();
    for (size_t i = range.first; i < range.first + range.count; ++i) {
        const Task& task = tasks[i];
        y += frame.lineHeight;
        const RECT clip = {at.description, y, at.descriptionEnd, y + frame.lineHeight};
        page.ClippedText(at.description, y, task.Description, clip);
        page.Text(ReportFace::kBody, at.priority, y, PriorityName(task.Priority));
        page.Text(ReportFace::kBody, at.dueDate, y, EntryDate(task.DueDate));
    }
}

void Heading(PageLayout& page, const PageFrame& frame, int x, const char* text) {
    page.Text(ReportFace::kTitle, x, frame.HeadingsTop(), text);
}

// The daily plan's columns: appointments from the left edge, tasks from the
// right-hand column, each half a character in; w/8 and w/4 of the printable
// width w apart.
struct PlanColumns {
    explicit PlanColumns(const PageFrame& frame) {
        const int w = frame.Width();
        const int half = frame.charWidth / 2;
        appointments.start = frame.printable.left + half;
        appointments.end = appointments.start + w / 8;
        appointments.description = appointments.start + w / 4;
        appointments.descriptionEnd = frame.RightColumnX();
        tasks.description = frame.RightColumnX() + half;
        tasks.priority = tasks.description + w / 4;
        tasks.dueDate = tasks.priority + w / 8;
        tasks.descriptionEnd = frame.RightColumnX() + w / 4;
    }
    AppointmentColumns appointments;
    TaskColumns tasks;
};

TaskColumns TasksReportColumns(const PageFrame& frame) {
    TaskColumns at;
    at.description = frame.LeftColumnX();
    at.priority = frame.RightColumnX();
    at.dueDate = frame.RightColumnX() + (frame.RightColumnX() - frame.LeftColumnX()) / 2;
    at.descriptionEnd = frame.RightColumnX() - frame.charWidth / 2;
    return at;
}

AppointmentColumns AppointmentsReportColumns(const PageFrame& frame) {
    AppointmentColumns at;
    at.start = frame.LeftColumnX();
    // Counted from the printable-area origin: the left margin is not added.
    at.end = frame.charWidth + frame.Width() / 4;
    at.description = frame.RightColumnX();
    at.descriptionEnd = frame.printable.right;
    return at;
}

}  // namespace

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
    const PlanColumns at(frame);
    Heading(page, frame, at.appointments.start, "START");
    Heading(page, frame, at.appointments.end, "END");
    Heading(page, frame, at.appointments.description, "APPOINTMENT");
    Heading(page, frame, at.tasks.description, "TASK");
    Heading(page, frame, at.tasks.priority, "PRIORITY");
    Heading(page, frame, at.tasks.dueDate, "DUE DATE");
}

void DailyPlanReport::LayOutRules(PageLayout& page, const PageFrame& frame) const {
    AddCornerRules(page, frame);
    page.Line(frame.RightColumnX(), frame.HeadingsTop(), frame.RightColumnX(),
              frame.printable.bottom - frame.lineHeight);
}

// Sheet k carries appointment page k on the left and task page k on the
// right; past one half's last page that half stays empty.
void DailyPlanReport::LayOutEntries(PageLayout& page, const PageFrame& frame,
                                    int pageIndex, const TextMeasure&) const {
    const PlanColumns at(frame);
    if (pageIndex < CountOf(appointmentPages_))
        LayOutAppointments(page, frame, at.appointments, appointments_,
                           appointmentPages_[static_cast<size_t>(pageIndex)]);
    if (pageIndex < CountOf(taskPages_))
        LayOutTasks(page, frame, at.tasks, tasks_, taskPages_[static_cast<size_t>(pageIndex)]);
}

// --- Daily tasks --------------------------------------------------------------------

void DailyTasksReport::LayOutHeading(PageLayout& page, const PageFrame& frame,
                                     const TextMeasure& measure) const {
    AddTitle(page, frame, measure, Title());
    const TaskColumns at = TasksReportColumns(frame);
    Heading(page, frame, at.description, "TASK");
    Heading(page, frame, at.priority, "PRIORITY");
    Heading(page, frame, at.dueDate, "DUE DATE");
}

void DailyTasksReport::LayOutEntries(PageLayout& page, const PageFrame& frame,
                                     int pageIndex, const TextMeasure&) const {
    LayOutTasks(page, frame, TasksReportColumns(frame), Records(), Page(pageIndex));
}

// --- Daily appointments -------------------------------------------------------------

void DailyAppointmentsReport::LayOutHeading(PageLayout& page, const PageFrame& frame,
                                            const TextMeasure& measure) const {
    AddTitle(page, frame, measure, Title());
    const AppointmentColumns at = AppointmentsReportColumns(frame);
    Heading(page, frame, at.start, "START");
    Heading(page, frame, at.end, "END");
    Heading(page, frame, at.description, "APPOINTMENT");
}

void DailyAppointmentsReport::LayOutEntries(PageLayout& page, const PageFrame& frame,
                                            int pageIndex, const TextMeasure&) const {
    LayOutAppointments(page, frame, AppointmentsReportColumns(frame), Records(), Page(pageIndex));
}
