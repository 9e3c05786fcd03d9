// Speed of the address book and the envelopes of 10,000 persons under Wine,
// through the real main window: choosing the persons in "Persons To
// Include" (filling its list, Select All, OK), preparing the report for the
// printer (copies, the sort by name, pagination), opening the preview,
// turning its pages (each recorded against the printer and painted), and
// printing the address book to the PDF queue.
//
//   bench_people_reports [rounds] [persons]   medians of `rounds` (default 5);
//                                             10,000 persons by default
//
// Run it while scripts/print-server.sh keeps the build tree's print server
// up (cmake/wine-run.sh then passes it on), e.g.
//   scripts/print-server.sh start build/win32
//   cmake/wine-run.sh --wine-dir=build/win32/wine build/win32/bench_people_reports.exe
// The print figure is the time until the job is handed to the spooler; with
// the print server's PDF folder known, also until the PDF file is complete.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "DocumentFileDialogs.h"
#include "HelpLibrary.h"
#include "MainFrame.h"
#include "MessageLoop.h"
#include "PreparedReport.h"
#include "resource.h"

#include "BenchSupport.h"

namespace {

class NoFiles : public DocumentFileChooser {
public:
    bool ChooseFileToOpen(HWND, std::string&) override { return false; }
    bool ChooseFileToSave(HWND, const std::string&, std::string&) override { return false; }
};

double Slowest(const std::vector<double>& times) {
    return times.empty() ? 0 : *std::max_element(times.begin(), times.end());
}

// The chooser: everybody, then OK; the print dialog: OK. Run from inside
// each dialog's own modal loop.
void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND dialog = GetActiveWindow();
    if (!dialog) return;
    if (GetDlgItem(dialog, IDC_PERSONS_LIST))
        SendDlgItemMessageA(dialog, IDC_PERSONS_SELECT_ALL, BM_CLICK, 0, 0);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

LRESULT CALLBACK AnswerDialogs(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        char className[32] = "";
        GetClassNameA(reinterpret_cast<HWND>(wParam), className, sizeof className);
        if (lstrcmpA(className, "#32770") == 0) SetTimer(nullptr, 0, 1, AnswerDialog);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Persons as a phone book holds them: names in no particular order, some
// with accents and apostrophes, addresses, phones and a company each.
void AddPersons(PimDocument& document, int count) {
    const char* const last[] = {"Smith", "o'Neil", "\xC5str\xF6m", "van Dyke", "Lee", "M\xFCller",
                                "Garc\xED" "a", "Brown", "Nakamura", "Okafor"};
    const char* const first[] = {"Ann", "Bo", "\xC9lise", "Dan", "Eve", "Finn", "Gus"};
    for (int i = 0; i < count; ++i) {
        Person person;
        person.ID = document.persons.IssueID();
        person.FName = first[i % 7];
        person.LName = std::string(last[(i * 7919) % 10]) + " " + std::to_string((i * 7919) % 100003);
        person.RName = person.MakeDisplayName();
        person.Company = "Company " + std::to_string(i % 500);
        person.Position = "Position " + std::to_string(i % 40);
        person.Addr1 = std::to_string(i + 1) + " Long Street";
        if (i % 3 == 0) person.Addr2 = "Suite " + std::to_string(i % 90);
        person.City = "Springfield";
        person.State = "IL";
        person.Zip = std::to_string(60000 + i % 3000);
        person.HmPhone = "555 0" + std::to_string(100 + i % 900);
        person.WkPhone = "555 1" + std::to_string(100 + i % 900);
        if (i % 4 == 0) person.WkExt = std::to_string(i % 100);
        person.EMail = "person" + std::to_string(i) + "@example.com";
        person.WebPage = "http://www.example.com/" + std::to_string(i);
        person.WhitePages = person.YellowPages = 1;
        document.persons.Insert(person.ID, person);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const int count = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10000;
    INITCOMMONCONTROLSEX controls = {sizeof(controls), 0x0504};
    InitCommonControlsEx(&controls);

    MessageLoop loop;
    NoFiles chooser;
    HelpLibrary help([]() -> HtmlHelpEntry { return nullptr; });
    MainFrame frame(loop, chooser, help, "C:\\Vantrel");
    if (!frame.Create()) {
        std::fprintf(stderr, "cannot create the main window\n");
        return 1;
    }
    ShowWindow(frame.Handle(), SW_SHOWNORMAL);
    loop.PumpPending();
    ReportPrinter& printing = frame.Printing();
    if (!printing.Printer().HasPrinter()) {
        std::fprintf(stderr, "no printer: start scripts/print-server.sh for the build tree first\n");
        return 1;
    }
    PimDocument& document = frame.Document();
    AddPersons(document, count);
    document.user.FName = "Ola";
    document.user.LName = "Brennix";
    document.user.Addr1 = "4 Harbour Rd";
    document.user.City = "Portland";
    document.user.State = "ME";
    document.user.Zip = "04101";
    document.SetModified(true, true);
    loop.PumpPending();

    const auto command = [&frame](UINT id) { SendMessageA(frame.Handle(), WM_COMMAND, id, 0); };
    // The report chosen last, as the frame hands it to Print and Print Preview.
    const auto* dayView = dynamic_cast<const DayView*>(Dialog::FromHandle(frame.DayView()));
    if (!dayView) {
        std::fprintf(stderr, "no day view\n");
        return 1;
    }
    const auto nothing = [] {};
    const auto closePreview = [&] {
        if (printing.PreviewOpen()) command(ID_PREVIEW_CLOSE);
        loop.PumpPending();
    };
    HHOOK hook = SetWindowsHookExA(WH_CBT, AnswerDialogs, nullptr, GetCurrentThreadId());

    struct Figures {
        double choose = 0;
        double prepare = 0;
        double open = 0;
        std::vector<double> turns;
        int pages = 0;
    };
    const auto measure = [&](UINT report) {
        Figures figures;
        figures.choose = Time(rounds, nothing, [&] { command(report); });
        // The preparation alone, as Print and Print Preview do it: copies
        // of the chosen persons, the sort, the fonts and the pagination.
        figures.prepare = Time(rounds, nothing, [&] {
            const PreparedReport prepared(printing.Printer().CreateInformationContext(),
                                          MakeReport(dayView->Reports()),
                                          printing.Printer().margins, printing.ReportFont());
            figures.pages = prepared.PageCount();
        });
        figures.open = Time(rounds, closePreview, [&] {
            command(ID_FILE_PRINT_PREVIEW);  // prepares, records page 1 and paints it
            UpdateWindow(frame.Handle());
        });
        // Forward over the first pages and back, each turn recorded and
        // painted; the last pages as well.
        const int turnsEachWay = std::min(figures.pages - 1, 40);
        for (UINT step : {ID_PREVIEW_NEXT_PAGE, ID_PREVIEW_PREVIOUS_PAGE}) {
            for (int turn = 0; turn < turnsEachWay; ++turn) {
                const double start = Now();
                command(step);
                UpdateWindow(printing.PreviewWindow());
                figures.turns.push_back(Now() - start);
            }
        }
        closePreview();
        return figures;
    };
    const Figures book = measure(ID_REPORT_PHONE_BOOK);
    const Figures envelopes = measure(ID_REPORT_ENVELOPES);

    // The address book to the PDF queue, once: its file is large.
    command(ID_REPORT_PHONE_BOOK);
    const std::string folder = PdfFolder();
    const std::set<std::string> before = folder.empty() ? std::set<std::string>() : PdfFiles(folder);
    double start = Now();
    command(ID_FILE_PRINT);
    const double spooled = Now() - start;
    double written = -1;
    for (int wait = 0; !folder.empty() && wait < 60000 && written < 0; ++wait) {
        for (const std::string& file : PdfFiles(folder)) {
            if (before.count(file) || !EndsAsAPdf(file)) continue;
            written = Now() - start;
            DeleteFileA(file.c_str());
        }
        if (written < 0) Sleep(10);
    }
    UnhookWindowsHookEx(hook);

    std::printf("%d persons; median of %d rounds, milliseconds\n\n", count, rounds);
    for (const auto& report : {std::make_pair("Address book", &book), std::make_pair("Envelopes", &envelopes)}) {
        const Figures& f = *report.second;
        std::printf("%s: %d pages on the printer's paper\n", report.first, f.pages);
        std::printf("  %-46s %9.2f\n", "choose (fill the list, Select All, OK)", f.choose);
        std::printf("  %-46s %9.2f\n", "prepare (copy, sort, fonts, paginate)", f.prepare);
        std::printf("  %-46s %9.2f\n", "open the preview (prepare, page 1, paint)", f.open);
        std::printf("  %-46s %9.2f  (slowest %.2f, %d turns)\n", "turn a page (record and paint)",
                    Median(f.turns), Slowest(f.turns), static_cast<int>(f.turns.size()));
    }
    std::printf("Address book to the PDF queue:\n");
    std::printf("  %-46s %9.2f\n", "print: handed to the spooler", spooled);
    if (written >= 0)
        std::printf("  %-46s %9.2f\n", "print: PDF file complete", written);
    else
        std::printf("  %-46s %9s\n", "print: PDF file complete", "unknown");
    return 0;
}
