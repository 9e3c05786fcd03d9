#include "DayRows.h"

#include <algorithm>
#include <cmath>

#include "OleDateArithmetic.h"

namespace {

constexpr int64_t kSlotMinutes = 15;

#if defined(__GNUC__)
#define DAYROWS_NOINLINE __attribute__((noinline))
#else
#define DAYROWS_NOINLINE
#endif

// Out of line inside a DoublePrecisionScope, so that x87 builds round the
// product once to double, as 64-bit builds do.
DAYROWS_NOINLINE void StoreSeconds(double days, double& seconds) {
    seconds = days * 86400.0;
}

// Slots from a count of minutes: the quotient truncated toward zero, plus one
// when the remainder (which has the sign of the minutes) is 8 or more.
int64_t NearestSlots(int64_t minutes) {
    return minutes / kSlotMinutes + (minutes % kSlotMinutes > 7 ? 1 : 0);
}

}  // namespace

// --- Phone book ------------------------------------------------------------------

int CompareCompanies(std::string_view left, std::string_view right) {
    const size_t shorter = std::min(left.size(), right.size());
    for (size_t i = 0; i < shorter; ++i) {
        const unsigned char a = static_cast<unsigned char>(left[i]);
        const unsigned char b = static_cast<unsigned char>(right[i]);
        if (a != b) return a < b ? -1 : 1;
    }
    if (left.size() == right.size()) return 0;
    return left.size() < right.size() ? -1 : 1;
}

std::vector<PhoneBookRow> PhoneBookRows(const Persons& persons, PhoneBookMode mode) {
    std::vector<PhoneBookRow> rows;
    for (const auto& entry : persons) {
        const Person& person = entry.second;
        const int32_t listed = mode == PhoneBookMode::kWhitePages ? person.WhitePages : person.YellowPages;
        if (listed != 1) continue;
        PhoneBookRow row;
        row.personID = person.ID;
        row.name = person.RName;
        row.company = person.Company;
        rows.push_back(std::move(row));
    }
    if (mode == PhoneBookMode::kYellowPages) {
        std::stable_sort(rows.begin(), rows.end(), [](const PhoneBookRow& a, const PhoneBookRow& b) {
            return CompareCompanies(a.company, b.company) < 0;
        });
    }
    return rows;
}

// --- Tasks ------------------------------------------------------------------------

std::vector<TaskRow> TaskRows(const Tasks& tasks, const DateTime& selectedDay, const DateTime& today) {
    std::vector<TaskRow> rows;
    const bool isToday = selectedDay == today;
    const bool notPast = selectedDay.IsOnOrAfter(today);
    const bool notFuture = selectedDay.IsOnOrBefore(today);
    for (const auto& entry : tasks) {
        const Task& task = entry.second;
        const bool dueOnTheDay = task.DueDate == selectedDay && notPast;
        const bool carriedForward = isToday && task.DueDate.IsOnOrBefore(today) && task.Priority < kPriorityDone;
        const bool doneOnTheDay = task.Priority == kPriorityDone && task.DoneDate == selectedDay && notFuture;
        if (!dueOnTheDay && !carriedForward && !doneOnTheDay) continue;
        TaskRow row;
        row.taskID = task.ID;
        row.description = task.Description;
        row.priority = task.Priority;
        row.dueDate = task.DueDate;
        rows.push_back(std::move(row));
    }
    return rows;
}

// --- Day planner ------------------------------------------------------------------

void TimeSlotRows::SetSlotTimes(const DateTime& firstSlotTime, const DateTime& lastSlotTime) {
    firstSlotTime_ = firstSlotTime;
    lastSlotTime_ = lastSlotTime;
}

void TimeSlotRows::CreateRows() {
    if (!rows_.empty()) return;
    const DateSpan quarterHour = DateSpan::FromParts(0, 0, kSlotMinutes, 0);
    // An invalid time stays invalid and would never pass the last slot.
    for (DateTime time = firstSlotTime_; time.IsValid() && time.IsOnOrBefore(lastSlotTime_);
         time = time + quarterHour) {
        Row row;
        row.time = time;
        rows_.push_back(std::move(row));
    }
}

int64_t TimeSlotRows::WholeMinutes(const DateSpan& span) {
    // Times are made of whole seconds, but a day fraction rarely is exact:
    // 09:10 less 05:00 comes out a hair under 250 minutes. The span is taken
    // to the nearest second first, then cut to whole minutes toward zero.
    double seconds;
    {
        OleDate::DoublePrecisionScope precision;
        StoreSeconds(span.Days(), seconds);
    }
    // An invalid span (a difference with an invalid date) lies far below any
    // row; int64 holds it.
    return static_cast<int64_t>(std::round(seconds)) / 60;
}

void TimeSlotRows::FillTimeSlots(const Appointments& appointments, const DateTime& selectedDay) {
    // Every row is freed, whatever the ID of the appointment that had it.
    for (Row& row : rows_) {
        row.description.clear();
        row.appointmentID = 0;
        row.taken = false;
    }
    // Only the day's appointments can take rows, so only their alarms are
    // kept for ShowsAlarm: a copy of a whole document's appointments would
    // cost more than the rows. They come in ascending ID order.
    alarms_.clear();

    const int64_t rowCount = static_cast<int64_t>(rows_.size());
    for (const auto& entry : appointments) {
        const Appointment& appointment = entry.second;
        if (appointment.DueDate != selectedDay) continue;
        alarms_.emplace_back(entry.first, appointment.Alarm);
        const int64_t first = NearestSlots(WholeMinutes(appointment.StartTime - firstSlotTime_));
        const int64_t end = first + NearestSlots(WholeMinutes(appointment.EndTime - appointment.StartTime));
        for (int64_t i = std::max<int64_t>(first, 0); i < std::min(end, rowCount); ++i) {
            Row& row = rows_[static_cast<size_t>(i)];
            row.description = appointment.Description;
            row.appointmentID = appointment.ID;
            row.taken = true;
        }
    }
}

bool TimeSlotRows::ShowsAlarm(size_t row) const {
    if (row >= rows_.size() || !rows_[row].taken) return false;
    const int32_t id = rows_[row].appointmentID;
    const auto found = std::lower_bound(
        alarms_.begin(), alarms_.end(), id,
        [](const std::pair<int32_t, bool>& entry, int32_t wanted) { return entry.first < wanted; });
    return found != alarms_.end() && found->first == id && found->second;
}
