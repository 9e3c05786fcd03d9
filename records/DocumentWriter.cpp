// Writes the document in the file's exact layout: TAB indentation, LF line
// ends, every attribute always present and in a fixed order, dates as Unix
// times.
#include <algorithm>
#include <charconv>
#include <cstring>
#include <string_view>

#include "DocumentFile.h"
#include "PimDocument.h"

namespace {

// Appends to the output through a raw cursor: before each line the buffer is
// grown to hold the line's worst case (every byte of its strings escaped), so
// the writes themselves need no checks. Saving a large document is mostly
// this copying, and std::string's checked appends cost several times more.
class DocumentTextWriter {
public:
    explicit DocumentTextWriter(std::string& out) : out_(out), used_(out.size()) {
        cursor_ = out_.data() + used_;
    }
    ~DocumentTextWriter() { Finish(); }

    // Room for `bytes` more before the next Reserve.
    void Reserve(size_t bytes) {
        used_ = static_cast<size_t>(cursor_ - out_.data());
        if (out_.size() - used_ >= bytes) return;
        out_.resize(std::max(out_.size() * 2, used_ + bytes));
        cursor_ = out_.data() + used_;
    }

    // The worst case of one string attribute's value.
    static size_t Escaped(std::string_view value) { return value.size() * kLongestEntity; }

    template <size_t N>
    void Raw(const char (&text)[N]) {
        std::memcpy(cursor_, text, N - 1);
        cursor_ += N - 1;
    }

    // ` Name="value"` for each kind of attribute; the name comes with its
    // leading space and the opening quote, so it is one fixed copy.
    template <size_t N>
    void IntAttribute(const char (&nameEqualsQuote)[N], int64_t value) {
        Raw(nameEqualsQuote);
        cursor_ = std::to_chars(cursor_, cursor_ + 24, value).ptr;
        *cursor_++ = '"';
    }
    template <size_t N>
    void FlagAttribute(const char (&nameEqualsQuote)[N], bool value) {
        Raw(nameEqualsQuote);
        *cursor_++ = value ? '1' : '0';
        *cursor_++ = '"';
    }
    template <size_t N>
    void StringAttribute(const char (&nameEqualsQuote)[N], std::string_view value) {
        Raw(nameEqualsQuote);
        WriteEscaped(value);
        *cursor_++ = '"';
    }

    static constexpr size_t kLongestEntity = 6;  // "&quot;"

private:
    void Finish() { out_.resize(static_cast<size_t>(cursor_ - out_.data())); }

    // Only the five XML characters are replaced; every other byte from 1 to
    // 255 goes out unchanged, since the parser takes all of them in a quoted
    // value as they are (TAB, CR and LF included: it does not fold them into
    // spaces). A zero byte would end the file's text where it stands, and the
    // loader keeps a value only up to its first zero byte anyway: the value
    // ends there. So no character reference is ever needed, and kLongestEntity
    // stays the longest replacement. Runs without these bytes are copied
    // whole.
    void WriteEscaped(std::string_view value) {
        const unsigned char* p = reinterpret_cast<const unsigned char*>(value.data());
        const unsigned char* end = p + value.size();
        while (p != end) {
            const unsigned char* run = p;
            while (p != end && !EndsRun(*p)) ++p;
            std::memcpy(cursor_, run, static_cast<size_t>(p - run));
            cursor_ += p - run;
            if (p == end) break;
            switch (*p++) {
                case '\0': return;
                case '"': Raw("&quot;"); break;
                case '&': Raw("&amp;"); break;
                case '\'': Raw("&apos;"); break;
                case '<': Raw("&lt;"); break;
                default: Raw("&gt;"); break;
            }
        }
    }

    static bool EndsRun(unsigned char c) {
        // The five and the zero byte all lie below 64: one shift tests them.
        constexpr uint64_t kSpecial = uint64_t(1) | (uint64_t(1) << '"') | (uint64_t(1) << '&') |
                                      (uint64_t(1) << '\'') | (uint64_t(1) << '<') |
                                      (uint64_t(1) << '>');
        return c < 64 && ((kSpecial >> c) & 1);
    }

    std::string& out_;
    size_t used_;
    char* cursor_;
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

// The loader raises a LastID below the largest ID (0 when there are no
// records) to that ID, so that new records are kept. The file holds it raised
// already: a document opened from it then saves to the same bytes.
template <typename Collection>
int32_t StoredLastID(const Collection& records) {
    return std::max(records.LastID(), records.LargestID());
}

// Room for a record line's names, numbers and punctuation, beyond its text.
constexpr size_t kLineRoom = 512;

size_t TextLength(const Person& p) {
    return p.FName.size() + p.LName.size() + p.RName.size() + p.Company.size() +
           p.Position.size() + p.Addr1.size() + p.Addr2.size() + p.City.size() + p.State.size() +
           p.Zip.size() + p.HmPhone.size() + p.WkPhone.size() + p.WkExt.size() + p.Fax.size() +
           p.Pager.size() + p.CelPhone.size() + p.EMail.size() + p.WebPage.size() + p.Notes.size();
}

// Room for the whole text, so that a large document is written without the
// buffer moving while it grows; a line with many escapes may still grow it.
size_t EstimatedSize(const PimDocument& document) {
    size_t size = 1024;
    for (const auto& entry : document.tasks) size += 110 + entry.second.Description.size();
    for (const auto& entry : document.persons) size += 330 + TextLength(entry.second);
    for (const auto& entry : document.appointments) size += 160 + entry.second.Description.size();
    return size + size / 32;
}

void WriteTasks(const Tasks& tasks, DocumentTextWriter& out) {
    out.Reserve(64);
    out.Raw("\t<Tasks");
    out.IntAttribute(" LastID=\"", StoredLastID(tasks));
    out.Raw(">\n");
    for (const auto& entry : tasks) {
        const Task& task = entry.second;
        out.Reserve(kLineRoom + DocumentTextWriter::Escaped(task.Description));
        out.Raw("\t\t<Task");
        out.IntAttribute(" ID=\"", task.ID);
        out.StringAttribute(" Description=\"", task.Description);
        out.IntAttribute(" Priority=\"", task.Priority);
        out.IntAttribute(" DueDate=\"", TaskDueUnixTime(task));
        out.IntAttribute(" DoneDate=\"", TaskDoneUnixTime(task));
        out.Raw(" />\n");
    }
    out.Reserve(64);
    out.Raw("\t</Tasks>\n");
}

void WritePersons(const Persons& persons, DocumentTextWriter& out) {
    out.Reserve(64);
    out.Raw("\t<Persons");
    out.IntAttribute(" LastID=\"", StoredLastID(persons));
    out.Raw(">\n");
    for (const auto& entry : persons) {
        const Person& p = entry.second;
        out.Reserve(kLineRoom + TextLength(p) * DocumentTextWriter::kLongestEntity);
        out.Raw("\t\t<Person");
        out.IntAttribute(" ID=\"", p.ID);
        out.StringAttribute(" FName=\"", p.FName);
        out.StringAttribute(" LName=\"", p.LName);
        out.StringAttribute(" RName=\"", p.RName);
        out.StringAttribute(" Company=\"", p.Company);
        out.StringAttribute(" Position=\"", p.Position);
        out.StringAttribute(" Addr1=\"", p.Addr1);
        out.StringAttribute(" Addr2=\"", p.Addr2);
        out.StringAttribute(" City=\"", p.City);
        out.StringAttribute(" State=\"", p.State);
        out.StringAttribute(" Zip=\"", p.Zip);
        out.FlagAttribute(" YellowPages=\"", p.YellowPages != 0);
        out.FlagAttribute(" WhitePages=\"", p.WhitePages != 0);
        out.StringAttribute(" Notes=\"", p.Notes);
        out.StringAttribute(" HmPhone=\"", p.HmPhone);
        out.StringAttribute(" WkPhone=\"", p.WkPhone);
        out.StringAttribute(" WkExt=\"", p.WkExt);
        out.StringAttribute(" Fax=\"", p.Fax);
        out.StringAttribute(" CelPhone=\"", p.CelPhone);
        out.StringAttribute(" Pager=\"", p.Pager);
        out.StringAttribute(" EMail=\"", p.EMail);
        out.StringAttribute(" WebPage=\"", p.WebPage);
        out.Raw(" />\n");
    }
    out.Reserve(64);
    out.Raw("\t</Persons>\n");
}

void WriteAppointments(const Appointments& appointments, DocumentTextWriter& out) {
    out.Reserve(64);
    out.Raw("\t<Appointments");
    out.IntAttribute(" LastID=\"", StoredLastID(appointments));
    out.Raw(">\n");
    for (const auto& entry : appointments) {
        const Appointment& a = entry.second;
        out.Reserve(kLineRoom + DocumentTextWriter::Escaped(a.Description));
        out.Raw("\t\t<Appointment");
        out.IntAttribute(" ID=\"", a.ID);
        out.StringAttribute(" Description=\"", a.Description);
        out.IntAttribute(" DueDate=\"", a.DueDate.ToUnixTime());
        out.IntAttribute(" StartTime=\"", a.StartTime.ToUnixTime());
        out.IntAttribute(" EndTime=\"", a.EndTime.ToUnixTime());
        out.FlagAttribute(" Alarm=\"", a.Alarm);
        out.IntAttribute(" AlarmTime=\"", a.Alarm ? a.AlarmTime.ToUnixTime() : 0);
        out.FlagAttribute(" Done=\"", a.Done);
        out.Raw(" />\n");
    }
    out.Reserve(64);
    out.Raw("\t</Appointments>\n");
}

void WriteUser(const User& user, DocumentTextWriter& out) {
    const size_t text = user.FName.size() + user.LName.size() + user.Company.size() +
                        user.Position.size() + user.Addr1.size() + user.Addr2.size() +
                        user.City.size() + user.State.size() + user.Zip.size();
    out.Reserve(kLineRoom + text * DocumentTextWriter::kLongestEntity + 16);
    out.Raw("\t<User ");  // the first attribute's own space makes two
    out.StringAttribute(" FName=\"", user.FName);
    out.StringAttribute(" LName=\"", user.LName);
    out.StringAttribute(" Company=\"", user.Company);
    out.StringAttribute(" Position=\"", user.Position);
    out.StringAttribute(" Addr1=\"", user.Addr1);
    out.StringAttribute(" Addr2=\"", user.Addr2);
    out.StringAttribute(" City=\"", user.City);
    out.StringAttribute(" State=\"", user.State);
    out.StringAttribute(" Zip=\"", user.Zip);
    out.Raw(" />\n");
}

}  // namespace

void WriteDocument(const PimDocument& document, std::string& out) {
    DocumentTextWriter writer(out);
    writer.Reserve(EstimatedSize(document));
    writer.Raw("<?xml version=\"1.0\"?>\n<Pim Version=\"1\">\n");
    WriteTasks(document.tasks, writer);
    WritePersons(document.persons, writer);
    WriteAppointments(document.appointments, writer);
    WriteUser(document.user, writer);
    writer.Reserve(16);
    writer.Raw("</Pim>\n");
}
