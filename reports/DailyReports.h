// The three reports of one day, made from the copies taken when the report
// was chosen (DailySnapshot): the daily plan (the planner's appointments on
// the left half of the sheet, the task list's tasks on the right), the daily
// tasks and the daily appointments (every appointment of the day). Every
// entry is one line, a text too long for its column ending in "..."; the
// page carries no date. Columns stand where the layout puts them as long as
// the font leaves room; with large type, wide margins or small paper they
// move apart, or back from the right edge, so none overlaps another.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Records.h"
#include "Report.h"

// The PRIORITY column's text: "High", "Medium", "Low", "Done"; a value
// outside 0 to 3 (possible only from a file) prints as an empty text.
std::string PriorityName(int32_t priority);

// What the daily columns of fixed texts need in the report's type: the
// widest time, priority name and short date, each with its heading. Measured
// once for a page frame and kept, as every page of a report is drawn in the
// same type; a frame of another device measures again.
class DailyColumnWidths {
public:
    // The widest entry of a column, and of its entries and its heading.
    struct Column {
        int entries = 0;
        int withHeading = 0;
    };
    struct Widths {
        Column start;
        Column end;
        Column priority;
        Column dueDate;
    };
    const Widths& For(const PageFrame& frame, const TextMeasure& measure) const;

private:
    mutable bool measured_ = false;
    mutable PageFrame frame_;
    mutable Widths widths_;
};

class DailyPlanReport : public Report {
public:
    DailyPlanReport(std::vector<Task> tasks, std::vector<Appointment> appointments);

    std::string Title() const override { return "DAILY PLAN"; }
    bool FollowsSmallSheetRule() const override { return true; }
    // The two halves are paginated separately, both from the first sheet;
    // the report has as many sheets as the longer half needs.
    void Paginate(const PageFrame& frame) override;
    int AppointmentPageCount() const { return static_cast<int>(appointmentPages_.size()); }
    int TaskPageCount() const { return static_cast<int>(taskPages_.size()); }

protected:
    void LayOutHeading(PageLayout& page, const PageFrame& frame,
                       const TextMeasure& measure) const override;
    // The corner rules and the divider between the halves.
    void LayOutRules(PageLayout& page, const PageFrame& frame) const override;
    void LayOutEntries(PageLayout& page, const PageFrame& frame, int pageIndex,
                       const TextMeasure&) const override;

private:
    std::vector<Task> tasks_;
    std::vector<Appointment> appointments_;
    std::vector<PageRange> taskPages_;
    std::vector<PageRange> appointmentPages_;
    DailyColumnWidths widths_;
};

// A daily report of one list: one line per record, paginated as it comes.
template <typename Record>
class DailyListReport : public Report {
public:
    explicit DailyListReport(std::vector<Record> records) : records_(std::move(records)) {}

    bool FollowsSmallSheetRule() const override { return true; }
    void Paginate(const PageFrame& frame) override {
        pages_ = PaginateEntries(records_.size(), 1, frame);
        SetPageCount(static_cast<int>(pages_.size()));
    }

protected:
    const std::vector<Record>& Records() const { return records_; }
    const PageRange& Page(int pageIndex) const { return pages_[static_cast<size_t>(pageIndex)]; }

private:
    std::vector<Record> records_;
    std::vector<PageRange> pages_;

protected:
    DailyColumnWidths widths_;
};

class DailyTasksReport : public DailyListReport<Task> {
public:
    using DailyListReport::DailyListReport;
    std::string Title() const override { return "DAILY TASKS"; }

protected:
    void LayOutHeading(PageLayout& page, const PageFrame& frame,
                       const TextMeasure& measure) const override;
    void LayOutEntries(PageLayout& page, const PageFrame& frame, int pageIndex,
                       const TextMeasure&) const override;
};

class DailyAppointmentsReport : public DailyListReport<Appointment> {
public:
    using DailyListReport::DailyListReport;
    std::string Title() const override { return "DAILY APPOINTMENTS"; }

protected:
    void LayOutHeading(PageLayout& page, const PageFrame& frame,
                       const TextMeasure& measure) const override;
    void LayOutEntries(PageLayout& page, const PageFrame& frame, int pageIndex,
                       const TextMeasure&) const override;
};
