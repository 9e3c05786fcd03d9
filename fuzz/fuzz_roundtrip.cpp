// Builds a document from arbitrary bytes, saves it, opens the saved text into
// a fresh document and saves that again. Whatever the document holds (texts
// with any bytes, dates at and beyond the ends of what the file can hold, IDs
// at the int32 limits), the records must come back as the save stored them
// and the second save must give the same bytes.
//
// "As the save stored them" is worked out here from the writer's rules, not
// taken from the reloaded document:
//   - a text keeps the bytes before its first zero byte;
//   - a date is stored as a Unix time, -1 when it cannot be converted, and
//     reads back as DateTime::FromUnixTime of that (-1 reads as no date);
//   - a task date that cannot be converted is stored as today at 00:00; an
//     open task's DoneDate and an appointment's AlarmTime without an alarm as
//     0;
//   - a person's White/Yellow Pages are stored as 1 or 0;
//   - a LastID below the largest ID (0 when there are no records) is stored
//     raised to it, as the loader would raise it.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "DocumentFile.h"
#include "PimDocument.h"

// Names the broken expectation before aborting, so that a crash report says
// which field did not come back.
#define CHECK(holds) \
    ((holds) ? void() : (std::fprintf(stderr, "fuzz_roundtrip.cpp:%d: %s\n", __LINE__, #holds), std::abort()))

namespace {

// --- Building a document from the input ---

int32_t PickId(FuzzedDataProvider& in) {
    static const int32_t kEdges[] = {INT32_MIN, INT32_MIN + 1, -1, 0, 1, 2, 3, INT32_MAX - 1, INT32_MAX};
    return in.ConsumeBool() ? in.PickValueInArray(kEdges) : in.ConsumeIntegral<int32_t>();
}

int32_t PickPriority(FuzzedDataProvider& in) {
    static const int32_t kValues[] = {kPriorityHigh, kPriorityMedium, kPriorityLow, kPriorityDone,
                                      -1, INT32_MIN, INT32_MAX};
    return in.ConsumeBool() ? in.PickValueInArray(kValues) : in.ConsumeIntegral<int32_t>();
}

// Any bytes, zero and control bytes and bytes above 127 included.
std::string PickText(FuzzedDataProvider& in) { return in.ConsumeRandomLengthString(160); }

DateTime PickDate(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 5)) {
        case 0:
            return DateTime();
        case 1: {
            // Within three days either side of the first and the last moment a
            // file can hold, to the second or finer.
            const double end = in.ConsumeBool() ? DateTime::FromUnixTime(0).Value()
                                                : DateTime::FromUnixTime(INT32_MAX).Value();
            const int32_t seconds = in.ConsumeIntegralInRange(-3 * 86400, 3 * 86400);
            const double fraction = in.ConsumeBool() ? in.ConsumeProbability<double>() : 0.0;
            return DateTime(end + (seconds + fraction) / 86400.0);
        }
        case 2: {
            static const double kValues[] = {
                DateTime::kMin, DateTime::kMax, DateTime::kInvalid,
                std::nextafter(DateTime::kMin, -1e9), std::nextafter(DateTime::kMax, 1e9),
                0.0, -0.5, -1.25, 25569.0,
                std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                std::numeric_limits<double>::quiet_NaN()};
            return DateTime(in.PickValueInArray(kValues));
        }
        case 3: {
            // Any bit pattern: NaNs, infinities, denormals.
            const uint64_t bits = in.ConsumeIntegral<uint64_t>();
            double value;
            std::memcpy(&value, &bits, sizeof value);
            return DateTime(value);
        }
        case 4:
            return DateTime::FromUnixTime(in.ConsumeIntegral<int32_t>());
        default: {
            const int year = in.ConsumeIntegralInRange(1969, 2039);
            const int month = in.ConsumeIntegralInRange(1, 12);
            const int day = in.ConsumeIntegralInRange(1, 31);
            const int hour = in.ConsumeIntegralInRange(0, 23);
            const int minute = in.ConsumeIntegralInRange(0, 59);
            const int second = in.ConsumeIntegralInRange(0, 59);
            return DateTime::FromFields(year, month, day, hour, minute, second);
        }
    }
}

void FillTask(FuzzedDataProvider& in, Task& task) {
    task.Description = PickText(in);
    task.Priority = PickPriority(in);
    task.DueDate = PickDate(in);
    task.DoneDate = PickDate(in);
}

void FillPerson(FuzzedDataProvider& in, Person& person) {
    for (Text* text : {&person.FName, &person.LName, &person.RName, &person.Company,
                              &person.Position, &person.Addr1, &person.Addr2, &person.City,
                              &person.State, &person.Zip, &person.HmPhone, &person.WkPhone,
                              &person.WkExt, &person.Fax, &person.Pager, &person.CelPhone,
                              &person.EMail, &person.WebPage, &person.Notes}) {
        if (in.ConsumeBool()) *text = PickText(in);
    }
    person.WhitePages = in.ConsumeBool() ? in.ConsumeIntegral<int32_t>() : 1;
    person.YellowPages = in.ConsumeBool() ? in.ConsumeIntegral<int32_t>() : 0;
}

void FillAppointment(FuzzedDataProvider& in, Appointment& appointment) {
    appointment.Description = PickText(in);
    appointment.DueDate = PickDate(in);
    appointment.StartTime = PickDate(in);
    appointment.EndTime = PickDate(in);
    appointment.Alarm = in.ConsumeBool();
    appointment.AlarmTime = PickDate(in);
    appointment.Done = in.ConsumeBool();
}

void FillUser(FuzzedDataProvider& in, User& user) {
    for (Text* text : {&user.FName, &user.LName, &user.Company, &user.Position, &user.Addr1,
                              &user.Addr2, &user.City, &user.State, &user.Zip}) {
        *text = PickText(in);
    }
}

// Records are kept under their own ID, as the program keeps them.
template <typename Record, typename Collection, typename Fill>
void AddRecords(FuzzedDataProvider& in, Collection& records, Fill fill) {
    const int count = in.ConsumeIntegralInRange(0, 5);
    for (int i = 0; i < count; ++i) {
        Record record;
        record.ID = PickId(in);
        fill(in, record);
        records.Insert(record.ID, record);
    }
    records.SetLastID(PickId(in));
}

// --- What the file keeps ---

std::string StoredText(const std::string& text) { return text.substr(0, text.find('\0')); }

// A date written as its Unix time and read back.
DateTime StoredDate(const DateTime& date) { return DateTime::FromUnixTime(date.ToUnixTime()); }

// A task date: today at 00:00 where the date cannot be converted.
DateTime StoredTaskDate(const DateTime& date, int64_t today) {
    const int64_t unixTime = date.ToUnixTime();
    return DateTime::FromUnixTime(unixTime == -1 ? today : unixTime);
}

template <typename Collection>
int32_t StoredLastId(const Collection& records) {
    return std::max(records.LastID(), records.LargestID());
}

// Walks the saved and the loaded collection side by side: the same IDs in
// the same order, each record under its own ID, and the same LastID.
template <typename Collection, typename Compare>
void CheckCollection(const Collection& saved, const Collection& loaded, Compare compare) {
    CHECK(loaded.size() == saved.size());
    CHECK(loaded.LastID() == StoredLastId(saved));
    auto back = loaded.begin();
    for (const auto& entry : saved) {
        CHECK(back->first == entry.first && back->second.ID == entry.first);
        compare(entry.second, back->second);
        ++back;
    }
}

void CheckDocument(const PimDocument& saved, const PimDocument& loaded, int64_t today) {
    CheckCollection(saved.tasks, loaded.tasks, [today](const Task& s, const Task& l) {
        CHECK(l.Description == StoredText(s.Description));
        CHECK(l.Priority == s.Priority);
        CHECK(l.DueDate == StoredTaskDate(s.DueDate, today));
        const DateTime done =
            s.Priority == kPriorityDone ? StoredTaskDate(s.DoneDate, today) : DateTime::FromUnixTime(0);
        CHECK(l.DoneDate == done);
    });
    CheckCollection(saved.persons, loaded.persons, [](const Person& s, const Person& l) {
        for (Text Person::*text :
             {&Person::FName, &Person::LName, &Person::RName, &Person::Company, &Person::Position,
              &Person::Addr1, &Person::Addr2, &Person::City, &Person::State, &Person::Zip,
              &Person::HmPhone, &Person::WkPhone, &Person::WkExt, &Person::Fax, &Person::Pager,
              &Person::CelPhone, &Person::EMail, &Person::WebPage, &Person::Notes}) {
            CHECK(l.*text == StoredText(s.*text));
        }
        CHECK(l.WhitePages == (s.WhitePages != 0 ? 1 : 0));
        CHECK(l.YellowPages == (s.YellowPages != 0 ? 1 : 0));
    });
    CheckCollection(saved.appointments, loaded.appointments,
                    [](const Appointment& s, const Appointment& l) {
                        CHECK(l.Description == StoredText(s.Description));
                        CHECK(l.DueDate == StoredDate(s.DueDate));
                        CHECK(l.StartTime == StoredDate(s.StartTime));
                        CHECK(l.EndTime == StoredDate(s.EndTime));
                        CHECK(l.Alarm == s.Alarm);
                        CHECK(l.AlarmTime == (s.Alarm ? StoredDate(s.AlarmTime) : DateTime::FromUnixTime(0)));
                        CHECK(l.Done == s.Done);
                    });
    for (Text User::*text : {&User::FName, &User::LName, &User::Company, &User::Position,
                                    &User::Addr1, &User::Addr2, &User::City, &User::State, &User::Zip}) {
        CHECK(loaded.user.*text == StoredText(saved.user.*text));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    PimDocument document;
    AddRecords<Task>(in, document.tasks, FillTask);
    AddRecords<Person>(in, document.persons, FillPerson);
    AddRecords<Appointment>(in, document.appointments, FillAppointment);
    FillUser(in, document.user);

    const int64_t today = DateTime::Today().ToUnixTime();
    std::string written;
    WriteDocument(document, written);
    // Across midnight the writer may have used either day: nothing to check.
    if (DateTime::Today().ToUnixTime() != today) return 0;

    PimDocument reloaded;
    CHECK(LoadDocument(reloaded, written.data(), written.size()));
    CheckDocument(document, reloaded, today);

    std::string rewritten;
    WriteDocument(reloaded, rewritten);
    CHECK(rewritten == written);
    return 0;
}
