// The writer: every appointment as a VEVENT at its moments in UTC, every
// task as a VTODO due on its day, in one buffer handed to the caller's sink
// about a megabyte at a time.
#include <cstdio>
#include <string>
#include <string_view>

#include "CivilCalendar.h"
#include "ICal.h"
#include "PimDocument.h"
#include "VCardUnicode.h"

namespace {

constexpr size_t kPieceBytes = size_t(1) << 20;
// Octets on a line, its line break not counted.
constexpr size_t kLineOctets = 75;

bool StartsCharacter(unsigned char byte) { return (byte & 0xC0) != 0x80; }

class CalendarWriter {
public:
    CalendarWriter(const VCardCodePages& codePages, const CalendarZones& zones, const ExportSink& sink)
        : converter_(codePages), zones_(zones), sink_(sink) {}

    // A whole line, folded: a continuation begins with a space and no
    // character is split between two lines.
    void Line(std::string_view text) {
        size_t room = kLineOctets;
        while (text.size() > room) {
            size_t cut = room;
            while (cut > 0 && !StartsCharacter(static_cast<unsigned char>(text[cut]))) --cut;
            out_.append(text.data(), cut);
            out_ += "\r\n ";
            text.remove_prefix(cut);
            room = kLineOctets - 1;
        }
        out_.append(text.data(), text.size());
        out_ += "\r\n";
    }

    // NAME:value with the value's text escaped, in UTF-8.
    void TextLine(std::string_view name, std::string_view ansi) {
        utf8_.clear();
        converter_.AnsiToUtf8(ansi, utf8_);
        line_.assign(name);
        line_ += ':';
        for (size_t at = 0; at < utf8_.size(); ++at) {
            const char c = utf8_[at];
            if (c == '\\' || c == ';' || c == ',') {
                line_ += '\\';
                line_ += c;
            } else if (c == '\r' || c == '\n') {
                if (c == '\r' && at + 1 < utf8_.size() && utf8_[at + 1] == '\n') ++at;
                line_ += "\\n";
            } else {
                line_ += c;
            }
        }
        Line(line_);
    }

    // NAME:value of a local date and time: in UTC ("...Z") where the moment
    // reads back as the same local time, else as it stands.
    bool TimeLine(std::string_view name, const DateTime& time) {
        CivilTime utc;
        const bool exact = InUtc(time, utc);
        return TimeLine(name, time, exact);
    }

    // The same with the choice made by the caller: an event's start and end
    // are both in UTC or both as they stand, so that its length holds.
    bool TimeLine(std::string_view name, const DateTime& time, bool utc) {
        if (!time.IsValid()) return false;
        CivilTime moment;
        if (utc && !InUtc(time, moment)) return false;
        line_.assign(name);
        line_ += ':';
        AppendStamp(utc ? moment : Civil(time), utc);
        Line(line_);
        return true;
    }

    static CivilTime Civil(const DateTime& time) {
        CivilTime civil;
        civil.year = time.Year();
        civil.month = time.Month();
        civil.day = time.Day();
        civil.hour = time.Hour();
        civil.minute = time.Minute();
        civil.second = time.Second();
        return civil;
    }

    // The moment in UTC of a local time, when there is one that reads back
    // as the same local time; a local time that the clocks skip has none.
    bool InUtc(const DateTime& time, CivilTime& utc) const {
        if (!time.IsValid()) return false;
        const CivilTime local = Civil(time);
        CivilTime back;
        return zones_.LocalToUtc(local, utc) && zones_.UtcToLocal(utc, back) && WallSeconds(back) == WallSeconds(local);
    }

    void AppendStamp(const CivilTime& time, bool utc) {
        char text[32];
        std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02d%s", time.year, time.month, time.day, time.hour,
                      time.minute, time.second, utc ? "Z" : "");
        line_ += text;
    }

    // Hands the buffer on once it holds a piece.
    bool Flush(bool last) {
        if (!ok_ || (!last && out_.size() < kPieceBytes) || out_.empty()) return ok_;
        ok_ = sink_(out_.data(), out_.size());
        out_.clear();
        return ok_;
    }

    std::string& Scratch() { return line_; }

private:
    VCardConverter converter_;
    const CalendarZones& zones_;
    const ExportSink& sink_;
    std::string out_, utf8_, line_;
    bool ok_ = true;
};

// A name for the document in its records' UIDs, so that two documents'
// records do not share one: a hash of its file's name, any case.
std::string DocumentTag(const PimDocument& document) {
    const std::string& path = document.Path();
    const size_t slash = path.find_last_of("\\/");
    uint32_t hash = 2166136261u;
    for (size_t at = slash == std::string::npos ? 0 : slash + 1; at < path.size(); ++at) {
        char c = path[at];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    }
    char text[16];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(hash));
    return text;
}

}  // namespace

bool ExportICalendar(const PimDocument& document, const VCardCodePages& codePages, const CalendarZones& zones,
                     const ExportSink& sink) {
    CalendarWriter writer(codePages, zones, sink);
    const std::string tag = DocumentTag(document);
    char stampText[32];
    const CivilTime now = zones.NowUtc();
    std::snprintf(stampText, sizeof stampText, "DTSTAMP:%04d%02d%02dT%02d%02d%02dZ", now.year, now.month, now.day,
                  now.hour, now.minute, now.second);
    const std::string stamp = stampText;

    writer.Line("BEGIN:VCALENDAR");
    writer.Line("VERSION:2.0");
    writer.Line("PRODID:-//Brennix//Vantrel! 1.3//EN");
    writer.Line("CALSCALE:GREGORIAN");
    for (const auto& entry : document.appointments) {
        const Appointment& a = entry.second;
        // An appointment without a readable start or end has no moment to
        // give a calendar.
        if (!a.StartTime.IsValid() || !a.EndTime.IsValid()) continue;
        writer.Line("BEGIN:VEVENT");
        writer.Line("UID:appointment-" + std::to_string(a.ID) + "-" + tag + "@vantrel");
        writer.Line(stamp);
        const DateTime& end = a.EndTime.IsBefore(a.StartTime) ? a.StartTime : a.EndTime;
        CivilTime unused;
        const bool utc = writer.InUtc(a.StartTime, unused) && writer.InUtc(end, unused);
        writer.TimeLine("DTSTART", a.StartTime, utc);
        writer.TimeLine("DTEND", end, utc);
        writer.TextLine("SUMMARY", a.Description);
        if (a.Alarm && a.AlarmTime.IsValid()) {
            const double minutes = (a.StartTime - a.AlarmTime).Days() * 1440.0;
            const long long lead = static_cast<long long>(minutes + (minutes < 0 ? -0.5 : 0.5));
            writer.Line("BEGIN:VALARM");
            writer.Line("ACTION:DISPLAY");
            writer.TextLine("DESCRIPTION", a.Description);
            writer.Line(lead >= 0 ? "TRIGGER:-PT" + std::to_string(lead) + "M" : "TRIGGER:PT" + std::to_string(-lead) + "M");
            writer.Line("END:VALARM");
        }
        writer.Line("END:VEVENT");
        if (!writer.Flush(false)) return false;
    }
    for (const auto& entry : document.tasks) {
        const Task& t = entry.second;
        writer.Line("BEGIN:VTODO");
        writer.Line("UID:task-" + std::to_string(t.ID) + "-" + tag + "@vantrel");
        writer.Line(stamp);
        writer.TextLine("SUMMARY", t.Description);
        if (t.DueDate.IsValid()) {
            char due[40];
            std::snprintf(due, sizeof due, "DUE;VALUE=DATE:%04d%02d%02d", static_cast<int>(t.DueDate.Year()),
                          static_cast<int>(t.DueDate.Month()), static_cast<int>(t.DueDate.Day()));
            writer.Line(due);
        }
        switch (t.Priority) {
            case kPriorityHigh: writer.Line("PRIORITY:1"); break;
            case kPriorityLow: writer.Line("PRIORITY:9"); break;
            case kPriorityDone: break;
            default: writer.Line("PRIORITY:5"); break;
        }
        if (t.Priority == kPriorityDone) {
            writer.Line("STATUS:COMPLETED");
            // Noon of the day it was done: the day survives every zone's
            // changes of the clocks, which midnight may not.
            if (t.DoneDate.IsValid())
                writer.TimeLine("COMPLETED", DateTime::FromFields(t.DoneDate.Year(), t.DoneDate.Month(),
                                                                   t.DoneDate.Day(), 12, 0, 0));
        }
        writer.Line("END:VTODO");
        if (!writer.Flush(false)) return false;
    }
    writer.Line("END:VCALENDAR");
    return writer.Flush(true);
}
