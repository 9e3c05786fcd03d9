// What the day view's three lists show: the phone book, the tasks of the
// selected day and the quarter-hour rows of the day planner. The rows carry
// values (IDs, texts, dates); turning dates into text in the user's formats
// and putting rows into list controls is left to the window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Collections.h"
#include "DateTime.h"

// --- Phone book ------------------------------------------------------------------

enum class PhoneBookMode {
    kWhitePages,   // persons whose WhitePages is 1
    kYellowPages,  // persons whose YellowPages is 1, ordered by company
};

struct PhoneBookRow {
    int32_t personID = 0;  // the row's item value
    std::string name;      // "Name" column: the person's RName
    std::string company;   // "Company" column
};

// The persons listed in `mode`: in ascending ID order for the White Pages;
// for the Yellow Pages stably sorted by CompareCompanies, so equal companies
// stay in ascending ID order. The window shows them by name first (as its
// list's own sort would) and then, for the Yellow Pages, by company.
std::vector<PhoneBookRow> PhoneBookRows(const Persons& persons, PhoneBookMode mode);

// Orders two companies byte by byte as unsigned characters, case-sensitively,
// a prefix before the longer text: negative, 0 or positive.
int CompareCompanies(std::string_view left, std::string_view right);

// --- Tasks ------------------------------------------------------------------------

struct TaskRow {
    int32_t taskID = 0;       // the row's item value
    std::string description;  // the row's text
    int32_t priority = 0;     // the image: 0 high, 1 medium, 2 low, 3 done
    DateTime dueDate;         // "Original Due Date", as stored
};

// The tasks shown on the page of `selectedDay`, in ascending ID order. Both
// days are at 00:00; `today` is the current day.
//  - due on the day: DueDate equals the selected day, and that day is today
//    or later (in any state);
//  - carried forward: on today's page, every unfinished task due today or
//    earlier (a due date with a time of day later today is not yet due);
//  - done on the day: a finished task whose DoneDate equals the selected day,
//    today or earlier.
std::vector<TaskRow> TaskRows(const Tasks& tasks, const DateTime& selectedDay, const DateTime& today);

// --- Day planner ------------------------------------------------------------------

// The quarter-hour rows of the day planner. The rows are made once and never
// removed; a refill only changes which appointment each row shows.
class TimeSlotRows {
public:
    struct Row {
        DateTime time;            // "Time" column: the moment the row was made for
        std::string description;  // "Appointment" column, "" when free
        int32_t appointmentID = 0;  // the row's item value, 0 when free
        bool taken = false;         // whether an appointment covers the row (any ID, 0 too)
    };

    static constexpr size_t kRowCount = 73;  // 05:00 to 23:00 inclusive

    // The day shown: 05:00 and 23:00 of the selected day. Rows already made
    // keep their times; the fill measures from the first slot time.
    void SetSlotTimes(const DateTime& firstSlotTime, const DateTime& lastSlotTime);
    const DateTime& FirstSlotTime() const { return firstSlotTime_; }
    const DateTime& LastSlotTime() const { return lastSlotTime_; }

    // Makes one free row per quarter hour from the first slot time to the last
    // inclusive, unless there are rows already.
    void CreateRows();

    // Frees the rows and lets each appointment of `selectedDay` (DueDate
    // exactly equal) take the rows nearest its start and end; where two
    // overlap, the higher ID wins. Keeps the alarms of the day's
    // appointments for ShowsAlarm.
    void FillTimeSlots(const Appointments& appointments, const DateTime& selectedDay);

    const std::vector<Row>& Rows() const { return rows_; }
    size_t size() const { return rows_.size(); }
    const Row& operator[](size_t row) const { return rows_[row]; }

    // Whether the row's appointment had its alarm set at the last fill (the
    // clock bitmap).
    bool ShowsAlarm(size_t row) const;

    // The whole minutes of a span, truncated toward zero after rounding the
    // span to the second.
    static int64_t WholeMinutes(const DateSpan& span);

private:
    DateTime firstSlotTime_;
    DateTime lastSlotTime_;
    std::vector<Row> rows_;
    // The day's appointments at the last fill, by ascending ID, with whether
    // each has its alarm set.
    std::vector<std::pair<int32_t, bool>> alarms_;
};
