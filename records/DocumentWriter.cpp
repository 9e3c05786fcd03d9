// Writes the document in the file's exact layout: TAB indentation, LF line
// ends, every attribute always present and in a fixed order, dates as Unix
// times.
#include <charconv>
#include <cstring>

#include "DocumentFile.h"
#include "PimDocument.h"

namespace {

class DocumentTextWriter {
public:
    explicit DocumentTextWriter(std::string& out) : out_(out) {}

    void Raw(const char* text) { out_.append(text); }
    void Raw(const char* text, size_t length) { out_.append(text, length); }

    void Number(int64_t value) {
        char digits[24];
        auto result = std::to_chars(digits, digits + sizeof digits, value);
        out_.append(digits, static_cast<size_t>(result.ptr - digits));
    }

    // ` Name="value"` for each kind of attribute.
    void IntAttribute(const char* name, int64_t value) {
        BeginAttribute(name);
        Number(value);
        out_.push_back('"');
    }
    void FlagAttribute(const char* name, bool value) {
        BeginAttribute(name);
        out_.append(value ? "1\"" : "0\"");
    }
    void StringAttribute(const char* name, const std::string& value) {
        BeginAttribute(name);
        Escaped(value);
        out_.push_back('"');
    }

private:
    void BeginAttribute(const char* name) {
        out_.push_back(' ');
        out_.append(name);
        out_.append("=\"");
    }

    // Only the five XML characters are replaced; TAB, CR, LF and bytes above
    // 127 go out unchanged.
    void Escaped(const std::string& value) {
        const char* run = value.data();
        const char* end = run + value.size();
        for (const char* p = run; p != end; ++p) {
            const char* entity;
            switch (*p) {
                case '"': entity = "&quot;"; break;
                case '&': entity = "&amp;"; break;
                case '\'': entity = "&apos;"; break;
                case '<': entity = "&lt;"; break;
                case '>': entity = "&gt;"; break;
                default: continue;
            }
            out_.append(run, static_cast<size_t>(p - run));
            out_.append(entity);
            run = p + 1;
        }
        out_.append(run, static_cast<size_t>(end - run));
    }

    std::string& out_;
};

// The Unix time of the day of saving at 00:00, stored where a task date
// cannot be converted. Read from the clock once per task that needs it.
int64_t TodayUnixTime() { return DateTime::Today().ToUnixTime(); }

int64_t TaskDueUnixTime(const Task& task) {
    int64_t due = task.DueDate.ToUnixTime();
    return due == -1 ? TodayUnixTime() : due;
}

int64_t TaskDoneUnixTime(const Task& task) {
    if (task.Priority != kPriorityDone) return 0;
    int64_t done = task.DoneDate.ToUnixTime();
    return done == -1 ? TodayUnixTime() : done;
}

size_t TextLength(const Person& p) {
    return p.FName.size() + p.LName.size() + p.RName.size() + p.Company.size() +
           p.Position.size() + p.Addr1.size() + p.Addr2.size() + p.City.size() + p.State.size() +
           p.Zip.size() + p.HmPhone.size() + p.WkPhone.size() + p.WkExt.size() + p.Fax.size() +
           p.Pager.size() + p.CelPhone.size() + p.EMail.size() + p.WebPage.size() + p.Notes.size();
}

// Room for the whole text, so that a large document is written without the
// string moving while it grows. Escapes may still make it grow a little.
size_t EstimatedSize(const PimDocument& document) {
    size_t size = 1024;
    for (const auto& entry : document.tasks) size += 110 + entry.second.Description.size();
    for (const auto& entry : document.persons) size += 330 + TextLength(entry.second);
    for (const auto& entry : document.appointments) size += 160 + entry.second.Description.size();
    return size + size / 32;
}

void WriteTasks(const Tasks& tasks, DocumentTextWriter& out) {
    out.Raw("\t<Tasks");
    out.IntAttribute("LastID", tasks.LastID());
    out.Raw(">\n");
    for (const auto& entry : tasks) {
        const Task& task = entry.second;
        out.Raw("\t\t<Task");
        out.IntAttribute("ID", task.ID);
        out.StringAttribute("Description", task.Description);
        out.IntAttribute("Priority", task.Priority);
        out.IntAttribute("DueDate", TaskDueUnixTime(task));
        out.IntAttribute("DoneDate", TaskDoneUnixTime(task));
        out.Raw(" />\n");
    }
    out.Raw("\t</Tasks>\n");
}

void WritePersons(const Persons& persons, DocumentTextWriter& out) {
    out.Raw("\t<Persons");
    out.IntAttribute("LastID", persons.LastID());
    out.Raw(">\n");
    for (const auto& entry : persons) {
        const Person& p = entry.second;
        out.Raw("\t\t<Person");
        out.IntAttribute("ID", p.ID);
        out.StringAttribute("FName", p.FName);
        out.StringAttribute("LName", p.LName);
        out.StringAttribute("RName", p.RName);
        out.StringAttribute("Company", p.Company);
        out.StringAttribute("Position", p.Position);
        out.StringAttribute("Addr1", p.Addr1);
        out.StringAttribute("Addr2", p.Addr2);
        out.StringAttribute("City", p.City);
        out.StringAttribute("State", p.State);
        out.StringAttribute("Zip", p.Zip);
        out.FlagAttribute("YellowPages", p.YellowPages != 0);
        out.FlagAttribute("WhitePages", p.WhitePages != 0);
        out.StringAttribute("Notes", p.Notes);
        out.StringAttribute("HmPhone", p.HmPhone);
        out.StringAttribute("WkPhone", p.WkPhone);
        out.StringAttribute("WkExt", p.WkExt);
        out.StringAttribute("Fax", p.Fax);
        out.StringAttribute("CelPhone", p.CelPhone);
        out.StringAttribute("Pager", p.Pager);
        out.StringAttribute("EMail", p.EMail);
        out.StringAttribute("WebPage", p.WebPage);
        out.Raw(" />\n");
    }
    out.Raw("\t</Persons>\n");
}

void WriteAppointments(const Appointments& appointments, DocumentTextWriter& out) {
    out.Raw("\t<Appointments");
    out.IntAttribute("LastID", appointments.LastID());
    out.Raw(">\n");
    for (const auto& entry : appointments) {
        const Appointment& a = entry.second;
        out.Raw("\t\t<Appointment");
        out.IntAttribute("ID", a.ID);
        out.StringAttribute("Description", a.Description);
        out.IntAttribute("DueDate", a.DueDate.ToUnixTime());
        out.IntAttribute("StartTime", a.StartTime.ToUnixTime());
        out.IntAttribute("EndTime", a.EndTime.ToUnixTime());
        out.FlagAttribute("Alarm", a.Alarm);
        out.IntAttribute("AlarmTime", a.Alarm ? a.AlarmTime.ToUnixTime() : 0);
        out.FlagAttribute("Done", a.Done);
        out.Raw(" />\n");
    }
    out.Raw("\t</Appointments>\n");
}

void WriteUser(const User& user, DocumentTextWriter& out) {
    out.Raw("\t<User ");  // the first attribute's own space makes two
    out.StringAttribute("FName", user.FName);
    out.StringAttribute("LName", user.LName);
    out.StringAttribute("Company", user.Company);
    out.StringAttribute("Position", user.Position);
    out.StringAttribute("Addr1", user.Addr1);
    out.StringAttribute("Addr2", user.Addr2);
    out.StringAttribute("City", user.City);
    out.StringAttribute("State", user.State);
    out.StringAttribute("Zip", user.Zip);
    out.Raw(" />\n");
}

}  // namespace

void WriteDocument(const PimDocument& document, std::string& out) {
    out.reserve(out.size() + EstimatedSize(document));
    DocumentTextWriter writer(out);
    writer.Raw("<?xml version=\"1.0\"?>\n<Pim Version=\"1\">\n");
    WriteTasks(document.tasks, writer);
    WritePersons(document.persons, writer);
    WriteAppointments(document.appointments, writer);
    WriteUser(document.user, writer);
    writer.Raw("</Pim>\n");
}
