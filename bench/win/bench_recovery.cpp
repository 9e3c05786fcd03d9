// Writing a recovery copy of a 100,000-record document against saving the
// same document, in one run under Wine: the copy is written while the user
// works, so it must take no longer than a save does. Prints the medians of
// both and their ratio.
//
//   cmake/wine-run.sh --wine-dir=<build>/wine <build>/bench_recovery.exe [records] [rounds]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "BenchSupport.h"
#include "DocumentFile.h"
#include "DocumentFiles.h"
#include "PimDocument.h"
#include "RecoveryStore.h"

namespace {

// Persons, tasks and appointments in turn, with some text to escape.
void Generate(PimDocument& document, int records) {
    const DateTime today = DateTime::Today();
    for (int i = 0; i < records; ++i) {
        const std::string text = "Record " + std::to_string(i) + " & <notes> \"quoted\"";
        if (i % 3 == 0) {
            Person person;
            person.ID = document.persons.IssueID();
            person.RName = text;
            person.EMail = "person" + std::to_string(i) + "@example.com";
            person.WhitePages = 1;
            document.persons.Insert(person.ID, person);
        } else if (i % 3 == 1) {
            Task task;
            task.ID = document.tasks.IssueID();
            task.Description = text;
            task.DueDate = today;
            document.tasks.Insert(task.ID, task);
        } else {
            Appointment appointment;
            appointment.ID = document.appointments.IssueID();
            appointment.Description = text;
            appointment.DueDate = appointment.StartTime = appointment.EndTime = today;
            document.appointments.Insert(appointment.ID, appointment);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int records = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 7;
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "bench_recovery";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + "\\document.pgr";

    PimDocument document;
    Generate(document, records);
    document.SetPath(path);
    RecoveryStore store(folder + "\\Recovery");
    if (!store.Open()) {
        std::fprintf(stderr, "cannot open the recovery folder\n");
        return 1;
    }
    const auto nothing = [] {};
    // As DocumentLife::SaveTo writes: the whole text in memory, then the
    // file replaced in one step.
    const double save = Time(rounds, nothing, [&] {
        std::string text;
        WriteDocument(document, text);
        if (!ReplaceDocumentFile(path, text)) std::exit(1);
    });
    const double copy = Time(rounds, nothing, [&] {
        if (!store.WriteCopy(document, static_cast<int64_t>(std::time(nullptr)))) std::exit(1);
    });
    std::printf("%d records, median of %d: save %.1f ms, recovery copy %.1f ms, ratio %.2f\n",
                records, rounds, save, copy, copy / save);
    store.RemoveCopy();
    DeleteFileA(path.c_str());
    return 0;
}
