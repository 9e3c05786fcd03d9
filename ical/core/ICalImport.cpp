// The import: each event of the file becomes an appointment in the user's
// local time for each of its occurrences, each all-day event a task for each
// day it covers, each to-do a task.
//
// Times are brought to local time through the zone they are written in: UTC,
// the file's own VTIMEZONE, a zone Windows knows by that name, or an IANA
// name Windows knows under another; a zone none of these knows is read as
// local time, and said. Recurrences are expanded in the wall time of their
// own zone, so an event at 09:00 stays at 09:00 there across its changes of
// the clocks.
#include <algorithm>
#include <climits>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "AppointmentBatch.h"
#include "CalendarFile.h"
#include "CivilCalendar.h"
#include "ICal.h"
#include "PimDocument.h"

namespace {

constexpr size_t kMostOccurrences = 1000;
constexpr size_t kSummaryBytes = 80;
const char kNoTitle[] = "(no title)";

// How an event's times are read: as they stand (no zone, or one we do not
// know), in UTC, or in a zone.
struct Frame {
    const ZoneRules* zone = nullptr;  // null: UTC or local
    bool utc = false;
    bool local() const { return !utc && !zone; }
};

int32_t RoundedLead(int64_t leadSeconds) {
    // Minutes, to a multiple of five as the delimited import rounds them.
    int32_t lead = static_cast<int32_t>(std::min<int64_t>(leadSeconds / 60, INT32_MAX));
    const int32_t r = lead % 5;
    if (r == 1 || r == 2) lead -= r;
    if (r == 3 || r == 4) lead += 5 - r;
    return lead;
}

class Importer {
public:
    Importer(PimDocument& document, const CalendarZones& zones, CalendarFile& file, ICalImportResult& result)
        : document_(document), zones_(zones), file_(file), result_(result) {
        CivilTime today;
        if (!zones_.UtcToLocal(zones_.NowUtc(), today)) today = zones_.NowUtc();
        today.hour = today.minute = today.second = 0;
        todayWall_ = WallSeconds(today);
        CivilTime horizon = today;
        horizon.year += 2;
        horizon.day = std::min(horizon.day, DaysInMonth(horizon.year, horizon.month));
        horizonWall_ = WallSeconds(horizon) + kSecondsPerDay - 1;
        for (const auto& entry : document_.tasks) {
            const Task& held = entry.second;
            taskKeys_.insert(TaskKey(held.Description, held.DueDate, held.Priority, held.DoneDate));
        }
    }

    void Run() {
        // Overrides of single occurrences, by the UID of their series.
        std::unordered_map<std::string, std::vector<const CalendarItem*>> overrides;
        std::set<std::string> series;
        for (const CalendarItem& item : file_.items) {
            if (item.todo) continue;
            if (item.recurrenceId.given) overrides[item.uid].push_back(&item);
            else series.insert(item.uid);
        }
        for (const CalendarItem& item : file_.items) {
            if (stopped_) break;
            if (item.todo) {
                ImportTodo(item);
            } else if (!item.recurrenceId.given) {
                const auto found = overrides.find(item.uid);
                ImportEvent(item, found == overrides.end() ? nullptr : &found->second);
            } else if (series.count(item.uid) == 0 && !item.cancelled) {
                // An occurrence whose series is not in the file: an event of
                // its own.
                ImportEvent(item, nullptr);
            }
        }
        AddCandidates();
        result_.lostCharacters = file_.lostCharacters;
        if (allDayEvents_ > 0) result_.counted.emplace_back("all-day events turned into tasks", allDayEvents_);
        if (already_ > 0) result_.counted.emplace_back("already in this document", already_);
        if (result_.appointmentsAdded > 0 || result_.tasksAdded > 0) document_.SetModified(true, true);
    }

private:
    using TaskKeyType = std::tuple<std::string, double, int32_t, double>;
    struct KeyHash {
        static size_t Mix(size_t seed, size_t value) { return seed ^ (value + 0x9e3779b97f4a7c15ull + (seed << 6) + (seed >> 2)); }
        size_t operator()(const TaskKeyType& key) const {
            return Mix(Mix(Mix(std::hash<std::string>()(std::get<0>(key)), std::hash<double>()(std::get<1>(key))),
                           static_cast<size_t>(std::get<2>(key))),
                       std::hash<double>()(std::get<3>(key)));
        }
    };
    static TaskKeyType TaskKey(std::string_view text, const DateTime& due, int32_t priority, const DateTime& done) {
        return {std::string(text), due.DatePart().Value(), priority, done.IsValid() ? done.DatePart().Value() : 0.0};
    }

    // --- Zones -------------------------------------------------------------

    // The zone a TZID names, or null when none is known by it: noted once
    // for each event or to-do that names it.
    const ZoneRules* Zone(const std::string& name, const CalendarItem& item) {
        if (const auto own = file_.zones.find(name); own != file_.zones.end()) return &own->second;
        if (const auto known = systemZones_.find(name); known != systemZones_.end()) {
            if (!known->second && unknownZoneNoted_.insert(&item).second)
                Note(item, "a zone we do not know: " + name.substr(0, 60));
            return known->second.get();
        }
        WindowsZoneRules rules;
        std::unique_ptr<ZoneRules> zone;
        if (zones_.FindWindowsZone(name, rules)) {
            zone = std::make_unique<ZoneRules>(ZoneRules::FromWindows(rules));
        } else if (const std::string_view windows = WindowsZoneOfIana(name);
                   !windows.empty() && zones_.FindWindowsZone(windows, rules)) {
            zone = std::make_unique<ZoneRules>(ZoneRules::FromWindows(rules));
        }
        const ZoneRules* found = zone.get();
        systemZones_.emplace(name, std::move(zone));
        if (!found && unknownZoneNoted_.insert(&item).second) Note(item, "a zone we do not know: " + name.substr(0, 60));
        return found;
    }

    Frame FrameOf(const TimeProperty& time, const CalendarItem& item) {
        Frame frame;
        if (time.time.utc) frame.utc = true;
        else if (!time.zone.empty() && !time.time.dateOnly) frame.zone = Zone(time.zone, item);
        return frame;
    }

    // A moment to compare by: UTC where the zone is known, else the wall.
    int64_t Moment(const TimeProperty& time, const CalendarItem& item) {
        const Frame frame = FrameOf(time, item);
        return frame.zone ? frame.zone->ToUtc(time.time.wall) : time.time.wall;
    }
    int64_t MomentOfWall(int64_t wall, const Frame& frame) const {
        return frame.zone ? frame.zone->ToUtc(wall) : wall;
    }
    int64_t WallOfMoment(int64_t moment, const Frame& frame) const {
        return frame.zone ? frame.zone->FromUtc(moment) : moment;
    }

    // The user's wall time of a wall time in `frame`.
    bool LocalWall(int64_t wall, const Frame& frame, int64_t& local) const {
        if (frame.local()) {
            local = wall;
            return true;
        }
        return LocalOfMoment(MomentOfWall(wall, frame), local);
    }

    // The user's wall time of a moment. The offset is remembered for each
    // day (in UTC) whose start and end have the same one, as the document's
    // own Unix-time conversions do: a calendar has many appointments a day,
    // and the platform's conversion is slow.
    bool LocalOfMoment(int64_t moment, int64_t& local) const {
        const int64_t day = FloorDiv(moment, kSecondsPerDay);
        const auto known = dayOffsets_.find(day);
        if (known != dayOffsets_.end() && known->second != kOffsetVaries) {
            local = moment + known->second;
            return true;
        }
        CivilTime civil;
        if (!zones_.UtcToLocal(CivilOfWall(moment), civil)) return false;
        local = WallSeconds(civil);
        if (known == dayOffsets_.end()) {
            int64_t first = 0, last = 0;
            const bool same = Offset(day * kSecondsPerDay, first) && Offset((day + 1) * kSecondsPerDay - 1, last) &&
                              first == last;
            dayOffsets_.emplace(day, same ? first : kOffsetVaries);
        }
        return true;
    }

    bool Offset(int64_t moment, int64_t& offset) const {
        CivilTime civil;
        if (!zones_.UtcToLocal(CivilOfWall(moment), civil)) return false;
        offset = WallSeconds(civil) - moment;
        return true;
    }

    // --- Events -------------------------------------------------------------

    struct Occurrence {
        int64_t moment;          // to match EXDATE and RECURRENCE-ID by
        int64_t wall;            // in the event's frame
        const CalendarItem* item;  // the event, or the override that replaced it
    };

    void ImportEvent(const CalendarItem& event, const std::vector<const CalendarItem*>* overrides) {
        if (!event.start.given) {
            Note(event, "no start");
            return;
        }
        if (event.cancelled) return;
        const Frame frame = FrameOf(event.start, event);
        std::vector<Occurrence> occurrences;
        bool tooMany = false;
        if (!event.hasRule || !event.ruleReadable) {
            occurrences.push_back({MomentOfWall(event.start.time.wall, frame), event.start.time.wall, &event});
            if (event.hasRule) Note(event, "a rule we cannot read: only its first occurrence was imported");
        } else {
            int64_t until = 0;
            const RuleUntil& ruleUntil = event.rule.until;
            if (ruleUntil.given) {
                until = ruleUntil.utc ? WallOfMoment(ruleUntil.wall, frame) : ruleUntil.wall;
                if (ruleUntil.dateOnly) until += kSecondsPerDay - 1;
            }
            // Enough to make a thousand after every exception is taken out.
            const size_t wanted = kMostOccurrences + event.exceptions.size() + 1;
            ExpandRecurrence(event.rule, event.start.time.wall, until, horizonWall_,
                             [&](int64_t wall) {
                                 occurrences.push_back({MomentOfWall(wall, frame), wall, &event});
                                 return occurrences.size() < wanted;
                             });
        }
        if (event.hasRule) {
            for (const TimeProperty& extra : event.extraDates) {
                const int64_t moment = Moment(extra, event);
                const int64_t wall = extra.time.dateOnly
                                         ? extra.time.wall + (event.start.time.wall - FloorDiv(event.start.time.wall, kSecondsPerDay) * kSecondsPerDay)
                                         : WallOfMoment(moment, frame);
                if (wall <= horizonWall_) occurrences.push_back({MomentOfWall(wall, frame), wall, &event});
            }
            RemoveExceptions(event, occurrences);
        }
        if (overrides) ApplyOverrides(*overrides, occurrences);
        std::sort(occurrences.begin(), occurrences.end(),
                  [](const Occurrence& a, const Occurrence& b) { return a.moment < b.moment; });
        occurrences.erase(std::unique(occurrences.begin(), occurrences.end(),
                                      [](const Occurrence& a, const Occurrence& b) {
                                          return a.moment == b.moment && a.item == b.item;
                                      }),
                          occurrences.end());
        if (occurrences.size() > kMostOccurrences) {
            occurrences.resize(kMostOccurrences);
            tooMany = true;
        }
        if (tooMany) Note(event, "more than 1,000 occurrences: the first 1,000 were imported");
        budget_ = kMostOccurrences;
        spent_ = false;
        bool allDayNoted = false;
        const int64_t length = std::max<int64_t>(Length(event), 0);
        for (const Occurrence& occurrence : occurrences) {
            if (stopped_) return;
            const CalendarItem& item = *occurrence.item;
            if (item.start.time.dateOnly && &item == &event) {
                if (!allDayNoted) ++allDayEvents_;
                allDayNoted = true;
                AddAllDay(event, occurrence.wall);
            } else if (&item == &event) {
                AddAppointment(event, event, frame, occurrence.wall, length);
            } else {
                AddOverride(item, event);
            }
        }
    }

    void RemoveExceptions(const CalendarItem& event, std::vector<Occurrence>& occurrences) {
        for (const TimeProperty& exception : event.exceptions) {
            const bool wholeDay = exception.time.dateOnly;
            const int64_t moment = wholeDay ? 0 : Moment(exception, event);
            occurrences.erase(std::remove_if(occurrences.begin(), occurrences.end(),
                                             [&](const Occurrence& o) {
                                                 if (!wholeDay) return o.moment == moment;
                                                 return FloorDiv(o.wall, kSecondsPerDay) ==
                                                        FloorDiv(exception.time.wall, kSecondsPerDay);
                                             }),
                              occurrences.end());
        }
    }

    // An override takes the place of the occurrence it names; a cancelled
    // one just removes it. An override whose occurrence the series does not
    // make is still an event of the calendar, and is imported.
    void ApplyOverrides(const std::vector<const CalendarItem*>& overrides, std::vector<Occurrence>& occurrences) {
        for (const CalendarItem* replacement : overrides) {
            const int64_t moment = Moment(replacement->recurrenceId, *replacement);
            const auto found = std::find_if(occurrences.begin(), occurrences.end(),
                                            [&](const Occurrence& o) { return o.moment == moment; });
            if (found != occurrences.end()) occurrences.erase(found);
            if (!replacement->cancelled && replacement->start.given) occurrences.push_back({moment, 0, replacement});
        }
    }

    void AddOverride(const CalendarItem& replacement, const CalendarItem& series) {
        const Frame frame = FrameOf(replacement.start, replacement);
        if (replacement.start.time.dateOnly) {
            ++allDayEvents_;
            AddAllDay(replacement, replacement.start.time.wall, &series);
            return;
        }
        AddAppointment(replacement, series, frame, replacement.start.time.wall,
                       std::max<int64_t>(Length(replacement), 0));
    }

    // Seconds the event lasts: to its DTEND, else for its DURATION, else
    // none (a day for an all-day event).
    int64_t Length(const CalendarItem& event) {
        if (event.end.given) {
            if (event.start.time.dateOnly || event.end.time.dateOnly) return event.end.time.wall - event.start.time.wall;
            const Frame startFrame = FrameOf(event.start, event), endFrame = FrameOf(event.end, event);
            if (startFrame.local() == endFrame.local()) return Moment(event.end, event) - Moment(event.start, event);
            // One end in local time and the other not: measured in local time.
            int64_t start = 0, end = 0;
            if (!LocalWall(event.start.time.wall, startFrame, start) || !LocalWall(event.end.time.wall, endFrame, end))
                return 0;
            return end - start;
        }
        if (event.hasDuration) return event.duration;
        return event.start.time.dateOnly ? kSecondsPerDay : 0;
    }

    const std::string& Summary(const CalendarItem& item, const CalendarItem* series = nullptr) const {
        if (item.hasSummary && !item.summary.empty()) return item.summary;
        if (series && series->hasSummary && !series->summary.empty()) return series->summary;
        return noTitle_;
    }

    // `event` gives the times, `series` the summary and alarm it lacks.
    void AddAppointment(const CalendarItem& event, const CalendarItem& series, const Frame& frame, int64_t wall,
                        int64_t length) {
        int64_t start = 0, end = 0;
        const int64_t moment = MomentOfWall(wall, frame);
        if (!LocalWall(wall, frame, start) ||
            !LocalWall(WallOfMoment(moment + length, frame), frame, end)) {
            Note(event, "a date that cannot be brought to local time");
            return;
        }
        // On the planner's quarter-hour grid: a start to the nearest quarter
        // hour, halves going up; an end up to the next one unless it passed
        // a quarter by less than seven minutes, and never before the start.
        start = FloorDiv(start, 60) * 60;
        end = FloorDiv(end, 60) * 60;
        const int64_t startRest = FloorDiv(start, 60) % 15, endRest = FloorDiv(end, 60) % 15;
        start += (startRest == 0 ? 0 : startRest <= 7 ? -startRest : 15 - startRest) * 60;
        end += (endRest == 0 ? 0 : endRest <= 6 ? -endRest : 15 - endRest) * 60;
        end = std::max(end, start);

        // One record filled again for each appointment (a new one would read
        // the clock four times), its description left empty and given to
        // the copy kept.
        Appointment& appointment = appointment_;
        appointment.StartTime = DateTimeOf(start);
        appointment.EndTime = DateTimeOf(end);
        appointment.DueDate = DateTimeOf(FloorDiv(start, kSecondsPerDay) * kSecondsPerDay);
        if (!FileCanHold(appointment.StartTime) || !FileCanHold(appointment.EndTime) ||
            !FileCanHold(appointment.DueDate)) {
            NoteOutOfRange(series);
            return;
        }
        const CalendarItem& alarms = event.alarms.empty() ? series : event;
        appointment.Alarm = false;
        appointment.AlarmTime = appointment.StartTime;
        for (const AlarmTrigger& trigger : alarms.alarms) {
            const int64_t before = -(trigger.seconds + (trigger.fromEnd ? length : 0));
            if (before < 0) continue;
            const int32_t lead = RoundedLead(before);
            appointment.Alarm = true;
            if (lead >= 0 && lead <= 60) appointment.AlarmTime = DateTimeOf(start - lead * int64_t(60));
            if (!FileCanHold(appointment.AlarmTime)) appointment.AlarmTime = appointment.StartTime;
            break;
        }
        candidates_.push_back(appointment);
        candidates_.back().Description = Summary(event, &series);
        candidateEvents_.push_back(&event);
    }

    // The appointments of the file go into the document once it is read;
    // those left out are noted in file order.
    void AddCandidates() {
        const AppointmentBatchResult added = AddAppointmentBatch(document_.appointments, candidates_);
        for (const BatchRejection& rejected : added.rejected) {
            if (rejected.equal) {
                ++already_;
            } else if (ICalNote* note = Note(*candidateEvents_[rejected.index], "collides with the appointment of",
                                             candidates_[rejected.index].StartTime)) {
                note->heldStart = rejected.heldStart;
                note->heldEnd = rejected.heldEnd;
            }
        }
        result_.appointmentsAdded = added.added;
        result_.stoppedNoID = result_.stoppedNoID || added.stoppedNoID;
        candidates_.clear();
        candidateEvents_.clear();
    }

    // A task of Medium priority for each day an all-day occurrence covers.
    void AddAllDay(const CalendarItem& event, int64_t wall, const CalendarItem* series = nullptr) {
        const int64_t first = FloorDiv(wall, kSecondsPerDay);
        const int64_t days = std::max<int64_t>(FloorDiv(Length(event) + kSecondsPerDay - 1, kSecondsPerDay), 1);
        for (int64_t day = first; day < first + days && !stopped_; ++day) {
            // An event makes at most a thousand tasks, however many days
            // its occurrences cover together.
            if (budget_ == 0) {
                if (!spent_) Note(event, "more than 1,000 days: the first 1,000 were imported");
                spent_ = true;
                return;
            }
            --budget_;
            Task task;
            task.Description = Summary(event, series);
            task.Priority = kPriorityMedium;
            task.DueDate = DateTimeOf(day * kSecondsPerDay);
            task.DoneDate = DateTime();
            if (!FileCanHold(task.DueDate)) {
                NoteOutOfRange(series ? *series : event);
                continue;
            }
            AddTask(std::move(task));
        }
    }

    // --- To-dos ------------------------------------------------------------------

    void ImportTodo(const CalendarItem& todo) {
        Task task;
        task.Description = Summary(todo);
        const TimeProperty& due = todo.due.given ? todo.due : todo.start;
        task.DueDate = due.given ? DayOf(due, todo) : DateTimeOf(todayWall_);
        task.Priority = todo.priority >= 1 && todo.priority <= 4   ? kPriorityHigh
                        : todo.priority >= 6 && todo.priority <= 9 ? kPriorityLow
                                                                   : kPriorityMedium;
        task.DoneDate = DateTime();
        if (todo.completedStatus || todo.completed.given) {
            // Done on the day it says; without one (or one the file cannot
            // hold), by today, as the file would keep it anyway.
            task.Priority = kPriorityDone;
            if (todo.completed.given) task.DoneDate = DayOf(todo.completed, todo);
            if (!FileCanHold(task.DoneDate)) task.DoneDate = DateTimeOf(todayWall_);
        }
        if (!FileCanHold(task.DueDate)) {
            NoteOutOfRange(todo);
            return;
        }
        AddTask(std::move(task));
    }

    // A due or completion date; a date-time in local time, cut to its day.
    DateTime DayOf(const TimeProperty& time, const CalendarItem& item) {
        if (time.time.dateOnly) return DateTimeOf(time.time.wall);
        int64_t local = 0;
        if (!LocalWall(time.time.wall, FrameOf(time, item), local)) return DateTime();
        return DateTimeOf(FloorDiv(local, kSecondsPerDay) * kSecondsPerDay);
    }

    void AddTask(Task task) {
        if (!taskKeys_.insert(TaskKey(task.Description, task.DueDate, task.Priority, task.DoneDate)).second) {
            ++already_;
            return;
        }
        if (!document_.tasks.HasIDLeft()) {
            stopped_ = result_.stoppedNoID = true;
            return;
        }
        task.ID = document_.tasks.IssueID();
        document_.tasks.Insert(task.ID, std::move(task));
        ++result_.tasksAdded;
    }

    // --- Notes -----------------------------------------------------------------

    // The document file keeps dates as 32-bit Unix times: from 1970 to 2038.
    // Days well inside those years are asked no further, whatever the zone.
    static bool FileCanHold(const DateTime& date) {
        constexpr double k1970January3 = 25570.0 + 2, k2038January17 = 50420.0 - 2;
        if (date.Value() >= k1970January3 && date.Value() < k2038January17) return true;
        return date.IsValid() && date.ToUnixTime() != -1;
    }

    // Once for each event or to-do, however many of its occurrences fall
    // outside those years.
    void NoteOutOfRange(const CalendarItem& item) {
        if (outOfRangeNoted_.insert(&item).second)
            Note(item, "dates before 1970 or after 2037, which the document file cannot hold, were left out");
    }

    ICalNote* Note(const CalendarItem& item, std::string reason, DateTime date = DateTime()) {
        ++result_.notedItems;
        if (result_.notes.size() >= kICalNotesKept) return nullptr;
        ICalNote note;
        note.summary = Summary(item).substr(0, kSummaryBytes);
        if (const size_t lineBreak = note.summary.find_first_of("\r\n"); lineBreak != std::string::npos)
            note.summary.resize(lineBreak);
        if (!date.IsValid() && item.start.given) {
            int64_t local = 0;
            if (item.start.time.dateOnly) date = DateTimeOf(item.start.time.wall);
            else if (LocalWall(item.start.time.wall, PeekFrame(item.start), local)) date = DateTimeOf(local);
        }
        note.date = date.DatePart();
        note.reason = std::move(reason);
        result_.notes.push_back(std::move(note));
        return &result_.notes.back();
    }

    // The frame of a time without noting an unknown zone again.
    Frame PeekFrame(const TimeProperty& time) const {
        Frame frame;
        if (time.time.utc) {
            frame.utc = true;
        } else if (!time.zone.empty() && !time.time.dateOnly) {
            if (const auto own = file_.zones.find(time.zone); own != file_.zones.end()) frame.zone = &own->second;
            else if (const auto known = systemZones_.find(time.zone); known != systemZones_.end())
                frame.zone = known->second.get();
        }
        return frame;
    }

    static DateTime DateTimeOf(int64_t wall) {
        const CivilTime civil = CivilOfWall(wall);
        return DateTime::FromFields(civil.year, civil.month, civil.day, civil.hour, civil.minute, civil.second);
    }

    PimDocument& document_;
    const CalendarZones& zones_;
    CalendarFile& file_;
    ICalImportResult& result_;
    int64_t todayWall_ = 0, horizonWall_ = 0;
    std::unordered_map<std::string, std::unique_ptr<ZoneRules>> systemZones_;
    static constexpr int64_t kOffsetVaries = INT64_MIN;
    mutable std::unordered_map<int64_t, int64_t> dayOffsets_;  // by UTC day
    std::vector<Appointment> candidates_;
    std::vector<const CalendarItem*> candidateEvents_;  // the event of each, for a note
    Appointment appointment_;
    const std::string noTitle_ = kNoTitle;
    std::unordered_set<TaskKeyType, KeyHash> taskKeys_;
    int32_t allDayEvents_ = 0, already_ = 0;
    size_t budget_ = 0;  // tasks an all-day event may still make
    bool spent_ = false;
    std::set<const CalendarItem*> outOfRangeNoted_;
    std::set<const CalendarItem*> unknownZoneNoted_;
    bool stopped_ = false;
};

}  // namespace

ICalImportResult ImportICalendar(PimDocument& document, const char* bytes, size_t length,
                                 const VCardCodePages& codePages, const CalendarZones& zones) {
    ICalImportResult result;
    VCardConverter converter(codePages);
    CalendarFile file;
    ReadCalendarFile(bytes, length, converter, file);
    Importer(document, zones, file, result).Run();
    return result;
}
