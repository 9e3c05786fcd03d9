// Speed of the day view under Wine: how long the real form takes to refill
// its lists after a document change, to follow a new calendar day and to
// switch the phone book between the White and the Yellow Pages, for
// generated documents of 1,000, 10,000 and 100,000 persons, tasks and
// appointments; and how long opening such a document as a file takes, from
// reading the file to a painted form, as File > Open does it.
//
//   bench_dayview [rounds] [largest]
//                              the table, each figure the median of `rounds`
//                              (default 7), for documents up to `largest`
//                              records (default 100000); then where a phone
//                              book refill spends its time
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DayRows.h"
#include "DayView.h"
#include "DocumentFile.h"
#include "ListViewRows.h"
#include "PimDocument.h"
#include "PhoneListOrder.h"
#include "resource.h"

#include "BenchSupport.h"

namespace {

// A small deterministic generator, so every run builds the same documents.
class Random {
public:
    explicit Random(uint32_t seed) : state_(seed) {}
    uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    uint32_t Below(uint32_t n) { return Next() % n; }

private:
    uint32_t state_;
};

const char* const kSurnames[] = {"Adams",  "Baker",  "Clark", "Davis",  "Evans", "Foster",
                                 "Garcia", "Harris", "Irwin", "Jones",  "King",  "Lopez",
                                 "Miller", "Nolan",  "Owens", "Parker", "Quinn", "Reyes",
                                 "Smith",  "Turner", "Usher", "Vance",  "Walsh", "Young"};
const char* const kGivenNames[] = {"Al",  "Bo",  "Cy",  "Di",  "Ed",  "Flo", "Gus", "Hal",
                                   "Ida", "Jo",  "Kim", "Lu",  "Max", "Ned", "Olga", "Pat"};
const char* const kCompanies[] = {"Acme",    "Globex", "Initech", "Umbrella", "Hooli",
                                  "Vandelay", "Wonka", "Stark",   "Tyrell",   "Cyberdyne",
                                  "Soylent", "Oscorp", "Massive", "Aperture", "Gringotts"};

template <typename T, size_t N>
const char* Pick(Random& random, T (&names)[N]) {
    return names[random.Below(static_cast<uint32_t>(N))];
}

DateTime DaysFrom(const DateTime& day, int days) {
    return day + DateSpan::FromParts(days, 0, 0, 0);
}

// `count` persons, tasks and appointments: names and companies from small
// lists with a number to keep them apart, every person in the White Pages
// and one in three in the Yellow Pages, tasks due within a week either side
// of today, appointments on today from 05:00 to 22:45.
void Generate(PimDocument& document, int count, const DateTime& today) {
    Random random(0x5eed1234u + static_cast<uint32_t>(count));
    for (int i = 0; i < count; ++i) {
        Person person;
        person.ID = document.persons.IssueID();
        person.RName = std::string(Pick(random, kSurnames)) + " " + std::to_string(i) + ", " +
                       Pick(random, kGivenNames);
        person.Company = std::string(Pick(random, kCompanies)) + " " +
                         std::to_string(random.Below(200));
        person.WkPhone = "555-" + std::to_string(1000 + random.Below(9000));
        person.HmPhone = "555-" + std::to_string(1000 + random.Below(9000));
        person.EMail = "person" + std::to_string(i) + "@example.com";
        person.WhitePages = 1;
        person.YellowPages = random.Below(3) == 0 ? 1 : 0;
        document.persons.Insert(person.ID, person);

        Task task;
        task.ID = document.tasks.IssueID();
        task.Description = "Task " + std::to_string(i);
        task.Priority = static_cast<int32_t>(random.Below(4));
        task.DueDate = DaysFrom(today, static_cast<int>(random.Below(15)) - 7);
        document.tasks.Insert(task.ID, task);

        Appointment appointment;
        appointment.ID = document.appointments.IssueID();
        appointment.Description = "Meeting " + std::to_string(i);
        appointment.DueDate = today;
        const int quarter = static_cast<int>(random.Below(70));  // 05:00 .. 22:15
        appointment.StartTime = today + DateSpan::FromParts(0, 5, 15.0 * quarter, 0);
        appointment.EndTime =
            appointment.StartTime + DateSpan::FromParts(0, 0, 15.0 * (1 + random.Below(4)), 0);
        document.appointments.Insert(appointment.ID, appointment);
    }
}

// The form's messages that are already queued, as a message loop would
// handle them between user actions.
void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void PickDay(HWND form, const DateTime& day) {
    SYSTEMTIME picked = {};
    picked.wYear = static_cast<WORD>(day.Year());
    picked.wMonth = static_cast<WORD>(day.Month());
    picked.wDay = static_cast<WORD>(day.Day());
    HWND calendar = GetDlgItem(form, IDC_DAY_CALENDAR);
    SendMessageA(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&picked));
    NMSELCHANGE change = {};
    change.nmhdr.hwndFrom = calendar;
    change.nmhdr.idFrom = IDC_DAY_CALENDAR;
    change.nmhdr.code = MCN_SELCHANGE;
    change.stSelStart = picked;
    change.stSelEnd = picked;
    SendMessageA(form, WM_NOTIFY, IDC_DAY_CALENDAR, reinterpret_cast<LPARAM>(&change));
}

void ClickMode(HWND form, int button) {
    SendMessageA(form, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(form, button)));
}

struct Figures {
    int records = 0;
    size_t fileBytes = 0;
    // Opening the document's file: reading and loading it, then the view
    // taking it in and painting.
    double open = 0, openLoad = 0, openView = 0;
    double refresh = 0, dayChange = 0, toYellow = 0, toWhite = 0;
    // Where a White Pages refill goes.
    double phoneRows = 0, orderRows = 0, deleteRows = 0, fillPhoneBook = 0, fillTasks = 0, fillTimeSlots = 0;
    double sortedInserts = 0, appendedInserts = 0;
    int phoneRowCount = 0;
};

// The same rows put into a bare report list, once sorted by the list and
// once appended in a list without sorting.
double InsertIntoBareList(HWND parent, const std::vector<PhoneBookRow>& rows, bool sorted,
                          int rounds) {
    const DWORD style = WS_CHILD | LVS_REPORT | (sorted ? LVS_SORTASCENDING : 0);
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", style, 0, 0, 400, 300, parent, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ListViewRows::AddColumn(list, 0, "Name", 150);
    ListViewRows::AddColumn(list, 1, "Company", 150);
    const double ms = Time(
        rounds, [&] { SendMessageA(list, LVM_DELETEALLITEMS, 0, 0); },
        [&] {
            ListViewRows::DrawingSuspended suspended(list);
            for (const PhoneBookRow& row : rows) {
                const int placed = ListViewRows::InsertRow(list, ListViewRows::RowCount(list),
                                                           row.name, row.personID);
                if (placed >= 0) ListViewRows::SetCellText(list, placed, 1, row.company);
            }
        });
    DestroyWindow(list);
    return ms;
}

// The whole file read into `bytes`, as the program reads a document.
bool ReadWholeFile(const std::string& path, std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const DWORD size = GetFileSize(file, nullptr);
    bytes.resize(size);
    DWORD read = 0;
    const bool ok = size == 0 || (ReadFile(file, &bytes[0], size, &read, nullptr) && read == size);
    CloseHandle(file);
    return ok;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                              nullptr) && written == bytes.size();
    CloseHandle(file);
    return ok;
}

Figures Measure(int count, int rounds) {
    Figures figures;
    figures.records = count;
    const DateTime today = DateTime::Today();

    PimDocument document;
    Generate(document, count, today);

    // The same document as a file, for the open figure.
    char directory[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, directory);
    const std::string path = std::string(directory) + "bench_dayview.pgr";
    {
        std::string text;
        WriteDocument(document, text);
        figures.fileBytes = text.size();
        if (!WriteWholeFile(path, text)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            std::exit(1);
        }
    }

    HWND parent = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    auto view = std::make_unique<DayView>(document);
    if (!parent || !view->Create(parent)) {
        std::fprintf(stderr, "cannot create the day view\n");
        std::exit(1);
    }
    document.AttachView(view.get());
    document.NotifyViews();
    Pump();
    const HWND form = view->Handle();
    const auto nothing = [] {};

    // File > Open of the document, seen from a shown window: read, load into
    // a document of its own, take it over, notify, paint. Each round opens
    // the file into an emptied document.
    ShowWindow(parent, SW_SHOWNOACTIVATE);
    Pump();
    {
        std::vector<double> loads, views, wholes;
        for (int round = 0; round < rounds; ++round) {
            PimDocument empty;
            document.TakeContentFrom(empty);
            document.SetModified(false, true);
            Pump();
            const double start = Now();
            {
                PimDocument loaded;
                std::string bytes;
                if (!ReadWholeFile(path, bytes) || !LoadDocument(loaded, bytes.data(), bytes.size())) {
                    std::fprintf(stderr, "cannot open %s\n", path.c_str());
                    std::exit(1);
                }
                document.TakeContentFrom(loaded);
            }
            const double loadedAt = Now();
            document.SetModified(false, true);
            UpdateWindow(parent);
            RedrawWindow(parent, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            Pump();
            const double end = Now();
            loads.push_back(loadedAt - start);
            views.push_back(end - loadedAt);
            wholes.push_back(end - start);
        }
        figures.openLoad = Median(loads);
        figures.openView = Median(views);
        figures.open = Median(wholes);
    }
    DeleteFileA(path.c_str());

    figures.refresh = Time(rounds, nothing, [&] { document.SetModified(true, true); });

    bool onToday = true;
    figures.dayChange = Time(rounds, nothing, [&] {
        onToday = !onToday;
        PickDay(form, onToday ? today : DaysFrom(today, 1));
    });
    PickDay(form, today);

    figures.toYellow = Time(
        rounds, [&] { ClickMode(form, IDC_DAY_WHITE_PAGES); },
        [&] { ClickMode(form, IDC_DAY_YELLOW_PAGES); });
    figures.toWhite = Time(
        rounds, [&] { ClickMode(form, IDC_DAY_YELLOW_PAGES); },
        [&] { ClickMode(form, IDC_DAY_WHITE_PAGES); });
    Pump();

    // The parts of a refill, in the White Pages.
    std::vector<PhoneBookRow> rows;
    figures.phoneRows = Time(rounds, nothing, [&] {
        rows = PhoneBookRows(document.persons, PhoneBookMode::kWhitePages);
    });
    figures.phoneRowCount = static_cast<int>(rows.size());
    std::vector<PhoneBookRow> ordered;
    figures.orderRows = Time(
        rounds, [&] { ordered = rows; },
        [&] { OrderPhoneBookRows(ordered, PhoneBookMode::kWhitePages); });
    HWND phoneList = GetDlgItem(form, IDC_DAY_PHONE_LIST);
    figures.deleteRows = Time(
        rounds, [&] { view->FillPhoneBook(); },
        [&] { SendMessageA(phoneList, LVM_DELETEALLITEMS, 0, 0); });
    figures.fillPhoneBook = Time(rounds, nothing, [&] { view->FillPhoneBook(); });
    figures.fillTasks = Time(rounds, nothing, [&] { view->FillTasks(); });
    figures.fillTimeSlots = Time(rounds, nothing, [&] { view->FillTimeSlots(); });
    std::sort(rows.begin(), rows.end(),
              [](const PhoneBookRow& a, const PhoneBookRow& b) { return a.personID < b.personID; });
    // A sorted bare list of 100,000 rows takes many minutes.
    if (count <= 10000) {
        figures.sortedInserts = InsertIntoBareList(parent, rows, true, rounds);
        figures.appendedInserts = InsertIntoBareList(parent, rows, false, rounds);
    }

    document.DetachView(view.get());
    view.reset();
    DestroyWindow(parent);
    return figures;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const int largest = argc > 2 ? std::max(1000, std::atoi(argv[2])) : 100000;

    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);

    std::vector<Figures> all;
    for (int count : {1000, 10000, 100000})
        if (count <= largest) all.push_back(Measure(count, rounds));

    std::printf("Day view, median of %d rounds, milliseconds\n\n", rounds);
    std::printf("%8s %10s %10s %10s %10s %12s\n", "records", "file MB", "open", "read+load",
                "view", "view/load");
    for (const Figures& f : all)
        std::printf("%8d %10.2f %10.2f %10.2f %10.2f %12.2f\n", f.records, f.fileBytes / 1e6,
                    f.open, f.openLoad, f.openView, f.openView / f.openLoad);
    std::printf("\n");
    std::printf("%8s %12s %12s %14s %14s\n", "records", "refresh", "day change", "white->yellow",
                "yellow->white");
    for (const Figures& f : all)
        std::printf("%8d %12.2f %12.2f %14.2f %14.2f\n", f.records, f.refresh, f.dayChange,
                    f.toYellow, f.toWhite);

    std::printf("\nWhere a White Pages refill goes, milliseconds\n\n");
    std::printf("%8s %6s %9s %7s %12s %13s %10s %14s\n", "records", "rows", "row data",
                "order", "delete rows", "FillPhoneBook", "FillTasks", "FillTimeSlots");
    for (const Figures& f : all)
        std::printf("%8d %6d %9.2f %7.2f %12.2f %13.2f %10.2f %14.2f\n", f.records,
                    f.phoneRowCount, f.phoneRows, f.orderRows, f.deleteRows, f.fillPhoneBook,
                    f.fillTasks, f.fillTimeSlots);

    std::printf("\nThe same rows put into a bare list, milliseconds\n\n");
    std::printf("%8s %22s %22s\n", "records", "placed by its own sort", "appended, no sort");
    for (const Figures& f : all)
        if (f.records <= 10000)
            std::printf("%8d %22.2f %22.2f\n", f.records, f.sortedInserts, f.appendedInserts);
    return 0;
}
