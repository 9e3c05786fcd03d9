#include "CalendarFile.h"

#include <string_view>

#include "VCardLines.h"

namespace {

// Components nest no deeper than this; anything deeper is skipped.
constexpr size_t kDeepest = 32;

enum class Place { kOther, kCalendar, kItem, kAlarm, kZone, kObservance };

// Reads a date or date-time value with its TZID; a VALUE=DATE value of
// eight digits reads as a date either way.
bool ReadTime(const ContentLine& line, std::string_view value, TimeProperty& time) {
    if (!ParseDateTimeText(value, time.time)) return false;
    time.given = true;
    time.zone.assign(FindParameter(line.params, "TZID"));
    return true;
}

// Each of a comma-separated list of dates, date-times or periods (of which
// the start counts).
void ReadTimes(const ContentLine& line, std::vector<TimeProperty>& times) {
    std::string_view list = line.value;
    while (!list.empty()) {
        const size_t comma = list.find(',');
        std::string_view item = list.substr(0, comma);
        item = item.substr(0, item.find('/'));
        TimeProperty time;
        if (ReadTime(line, item, time)) times.push_back(std::move(time));
        if (comma == std::string_view::npos) break;
        list.remove_prefix(comma + 1);
    }
}

class FileReader {
public:
    FileReader(VCardConverter& converter, CalendarFile& file) : converter_(converter), file_(file) {}

    void Read(const char* bytes, size_t length) {
        ContentLineReader reader(bytes, length);
        ContentLine line;
        while (reader.Next(line)) {
            if (!line.readable) continue;
            if (EqualsNoCase(line.name, "BEGIN")) Begin(line);
            else if (EqualsNoCase(line.name, "END")) End(line.value);
            else Property(line);
        }
        // A file cut short still gives what it held.
        while (!stack_.empty()) End(stack_.back().name);
    }

private:
    struct Open {
        std::string name;
        Place place;
    };

    Place Here() const { return stack_.empty() ? Place::kOther : stack_.back().place; }

    void Begin(const ContentLine& line) {
        const std::string_view name = line.value;
        Place place = Place::kOther;
        const Place here = Here();
        if (stack_.empty() && EqualsNoCase(name, "VCALENDAR")) place = Place::kCalendar;
        else if (here == Place::kCalendar && (EqualsNoCase(name, "VEVENT") || EqualsNoCase(name, "VTODO"))) place = Place::kItem;
        else if (here == Place::kCalendar && EqualsNoCase(name, "VTIMEZONE")) place = Place::kZone;
        else if (here == Place::kItem && EqualsNoCase(name, "VALARM")) place = Place::kAlarm;
        else if (here == Place::kZone && (EqualsNoCase(name, "STANDARD") || EqualsNoCase(name, "DAYLIGHT")))
            place = Place::kObservance;
        if (stack_.size() >= kDeepest) {
            ++tooDeep_;
            return;
        }
        stack_.push_back({std::string(name), place});
        if (place == Place::kItem) {
            item_ = CalendarItem();
            item_.todo = EqualsNoCase(name, "VTODO");
            item_.line = line.line;
        } else if (place == Place::kAlarm) {
            alarm_ = AlarmTrigger();
            alarmRelative_ = false;
        } else if (place == Place::kZone) {
            zoneId_.clear();
            observances_.clear();
        } else if (place == Place::kObservance) {
            observance_ = ZoneObservance();
            observanceValid_ = true;
            observanceStarted_ = false;
        }
    }

    void End(std::string_view name) {
        if (tooDeep_ > 0) {
            --tooDeep_;
            return;
        }
        // An END closes the component it names, and any left open inside it.
        size_t at = stack_.size();
        while (at > 0 && !EqualsNoCase(stack_[at - 1].name, Upper(name))) --at;
        if (at == 0) return;
        while (stack_.size() >= at) {
            Close(stack_.back().place);
            stack_.pop_back();
        }
    }

    static std::string Upper(std::string_view text) {
        std::string upper(text);
        for (char& c : upper)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        return upper;
    }

    void Close(Place place) {
        switch (place) {
            case Place::kItem: file_.items.push_back(std::move(item_)); break;
            case Place::kAlarm:
                if (alarmRelative_) item_.alarms.push_back(alarm_);
                break;
            case Place::kObservance:
                if (observanceValid_ && observanceStarted_) {
                    // A rule's UTC UNTIL, in the time before the change.
                    if (observance_.hasRule && observance_.rule.until.given && observance_.rule.until.utc)
                        observance_.rule.until.wall += observance_.offsetFrom;
                    observances_.push_back(std::move(observance_));
                }
                break;
            case Place::kZone:
                if (!zoneId_.empty() && !observances_.empty())
                    file_.zones[zoneId_] = ZoneRules(std::move(observances_));
                break;
            default: break;
        }
    }

    void Property(const ContentLine& line) {
        switch (Here()) {
            case Place::kItem: ItemProperty(line); break;
            case Place::kAlarm:
                if (EqualsNoCase(line.name, "TRIGGER") && !EqualsNoCase(FindParameter(line.params, "VALUE"), "DATE-TIME") &&
                    ParseDurationText(line.value, alarm_.seconds)) {
                    alarm_.fromEnd = EqualsNoCase(FindParameter(line.params, "RELATED"), "END");
                    alarmRelative_ = true;
                }
                break;
            case Place::kZone:
                if (EqualsNoCase(line.name, "TZID")) zoneId_.assign(line.value);
                break;
            case Place::kObservance: ObservanceProperty(line); break;
            default: break;
        }
    }

    void ObservanceProperty(const ContentLine& line) {
        if (EqualsNoCase(line.name, "DTSTART")) {
            TimeText time;
            observanceStarted_ = ParseDateTimeText(line.value, time);
            observance_.startWall = time.wall;
        } else if (EqualsNoCase(line.name, "TZOFFSETFROM")) {
            observanceValid_ &= ParseUtcOffsetText(line.value, observance_.offsetFrom);
        } else if (EqualsNoCase(line.name, "TZOFFSETTO")) {
            observanceValid_ &= ParseUtcOffsetText(line.value, observance_.offsetTo);
        } else if (EqualsNoCase(line.name, "RRULE")) {
            observance_.hasRule = ParseRecurrenceRule(line.value, observance_.rule);
            observanceValid_ &= observance_.hasRule;
        } else if (EqualsNoCase(line.name, "RDATE")) {
            std::vector<TimeProperty> dates;
            ReadTimes(line, dates);
            for (const TimeProperty& date : dates) observance_.dates.push_back(date.time.wall);
        }
    }

    void ItemProperty(const ContentLine& line) {
        const std::string_view name = line.name;
        if (EqualsNoCase(name, "SUMMARY")) {
            item_.hasSummary = true;
            item_.summary = Text(line.value);
        } else if (EqualsNoCase(name, "UID")) {
            item_.uid.assign(line.value);
        } else if (EqualsNoCase(name, "DTSTART")) {
            ReadTime(line, line.value, item_.start);
        } else if (EqualsNoCase(name, "DTEND")) {
            ReadTime(line, line.value, item_.end);
        } else if (EqualsNoCase(name, "DUE")) {
            ReadTime(line, line.value, item_.due);
        } else if (EqualsNoCase(name, "COMPLETED")) {
            ReadTime(line, line.value, item_.completed);
        } else if (EqualsNoCase(name, "RECURRENCE-ID")) {
            ReadTime(line, line.value, item_.recurrenceId);
        } else if (EqualsNoCase(name, "DURATION")) {
            item_.hasDuration = ParseDurationText(line.value, item_.duration);
        } else if (EqualsNoCase(name, "RRULE")) {
            // Only the first rule counts; a second one is rare and not read.
            if (!item_.hasRule) item_.ruleReadable = ParseRecurrenceRule(line.value, item_.rule);
            item_.hasRule = true;
        } else if (EqualsNoCase(name, "EXDATE")) {
            ReadTimes(line, item_.exceptions);
        } else if (EqualsNoCase(name, "RDATE")) {
            ReadTimes(line, item_.extraDates);
        } else if (EqualsNoCase(name, "PRIORITY")) {
            const std::string_view value = line.value;
            item_.priority = value.size() == 1 && value[0] >= '0' && value[0] <= '9' ? value[0] - '0' : 0;
        } else if (EqualsNoCase(name, "STATUS")) {
            item_.completedStatus = EqualsNoCase(line.value, "COMPLETED");
            item_.cancelled = EqualsNoCase(line.value, "CANCELLED");
        }
    }

    // A TEXT value in the ANSI code page: UTF-8 as the format has it, or,
    // from programs that know no other, the ANSI code page itself.
    std::string Text(std::string_view value) {
        unescaped_.clear();
        AppendUnescapedText(value, unescaped_);
        if (IsAscii(unescaped_) || !IsUtf8(unescaped_)) return unescaped_;
        std::string ansi;
        file_.lostCharacters += converter_.Utf8ToAnsi(unescaped_, ansi);
        return ansi;
    }

    VCardConverter& converter_;
    CalendarFile& file_;
    std::vector<Open> stack_;
    size_t tooDeep_ = 0;
    CalendarItem item_;
    AlarmTrigger alarm_;
    bool alarmRelative_ = false;
    std::string zoneId_;
    std::vector<ZoneObservance> observances_;
    ZoneObservance observance_;
    bool observanceValid_ = false, observanceStarted_ = false;
    std::string unescaped_;
};

}  // namespace

void ReadCalendarFile(const char* bytes, size_t length, VCardConverter& converter, CalendarFile& file) {
    FileReader(converter, file).Read(bytes, length);
}
