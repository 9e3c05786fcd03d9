// Speed of the daily plan under Wine, through the real main window: a day
// whose planner has all 73 quarter-hour rows taken (one appointment each)
// and 500 tasks. Times choosing the report, preparing it for the printer,
// opening the preview, turning its pages at every zoom (the page recorded
// against the printer and painted), and printing it.
//
//   bench_reports [rounds]     each figure the median of `rounds` (default 7)
//
// Printing needs a printer: run it while scripts/print-server.sh keeps the
// build tree's print server up (cmake/wine-run.sh then passes it on), e.g.
//   scripts/print-server.sh start build/win32
//   cmake/wine-run.sh --wine-dir=build/win32/wine build/win32/bench_reports.exe
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

#include "DailySnapshot.h"
#include "DocumentFileDialogs.h"
#include "HelpLibrary.h"
#include "MainFrame.h"
#include "MessageLoop.h"
#include "PreviewZoom.h"
#include "PrintJob.h"
#include "resource.h"

#include "BenchSupport.h"

namespace {

const int kTasks = 500;

class NoFiles : public DocumentFileChooser {
public:
    bool ChooseFileToOpen(HWND, std::string&) override { return false; }
    bool ChooseFileToSave(HWND, const std::string&, std::string&) override { return false; }
};

// Answers the print dialog with OK from inside its own modal loop.
void CALLBACK PressOk(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (HWND dialog = GetActiveWindow()) PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

LRESULT CALLBACK AnswerDialogs(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        char className[32] = "";
        GetClassNameA(reinterpret_cast<HWND>(wParam), className, sizeof className);
        if (lstrcmpA(className, "#32770") == 0) SetTimer(nullptr, 0, 1, PressOk);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A prepared report as the print job's pages, without the frame around it.
class ReportPages : public PrintablePages {
public:
    explicit ReportPages(const PreparedReport& report) : report_(report) {}
    int PageCount() const override { return report_.PageCount(); }
    bool PrintPage(HDC dc, int index) override {
        report_.DrawPage(dc, index);
        return true;
    }

private:
    const PreparedReport& report_;
};

// A day of `count` appointments, a minute apart from 00:00 on, some of
// them the same length, among as many on the days around it.
Appointments CrowdedDay(const DateTime& day, int count) {
    Appointments appointments;
    for (int i = 0; i < 3 * count; ++i) {
        Appointment appointment;
        appointment.ID = appointments.IssueID();
        appointment.Description = "Call " + std::to_string(i + 1);
        appointment.DueDate = day + DateSpan::FromParts(i % 3 - 1, 0, 0, 0);
        appointment.StartTime = appointment.DueDate + DateSpan::FromParts(0, 0, (i / 3) % 1440, 0);
        appointment.EndTime = appointment.StartTime + DateSpan::FromParts(0, 0, 15 * (i % 5), 0);
        appointments.Insert(appointment.ID, appointment);
    }
    return appointments;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
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

    // Every quarter hour from 05:00 to 23:00 taken by an appointment of its
    // own, and 500 tasks due on the day.
    PimDocument& document = frame.Document();
    const DateTime day = document.SelectedDate;
    for (int quarter = 0; quarter < 73; ++quarter) {
        Appointment appointment;
        appointment.ID = document.appointments.IssueID();
        appointment.Description = "Appointment " + std::to_string(quarter + 1);
        appointment.DueDate = day;
        appointment.StartTime = day + DateSpan::FromParts(0, 5, 15.0 * quarter, 0);
        appointment.EndTime = appointment.StartTime + DateSpan::FromParts(0, 0, 15, 0);
        document.appointments.Insert(appointment.ID, appointment);
    }
    for (int i = 0; i < kTasks; ++i) {
        Task task;
        task.ID = document.tasks.IssueID();
        task.Description = "Task number " + std::to_string(i + 1) + " of the day";
        task.Priority = i % 4;
        task.DueDate = day;
        document.tasks.Insert(task.ID, task);
    }
    document.SetModified(true, true);
    loop.PumpPending();

    const auto command = [&frame](UINT id) { SendMessageA(frame.Handle(), WM_COMMAND, id, 0); };
    const auto nothing = [] {};
    const auto closePreview = [&] {
        if (printing.PreviewOpen()) command(ID_PREVIEW_CLOSE);
        loop.PumpPending();
    };

    const double choose = Time(rounds, nothing, [&] { command(ID_REPORT_DAILY_PLAN); });
    const double prepare = Time(rounds, closePreview, [&] {
        command(ID_FILE_PRINT_PREVIEW);  // prepares, records page 1 and paints it
        UpdateWindow(frame.Handle());
    });
    const int pages = printing.Prepared() ? printing.Prepared()->PageCount() : 0;

    // Forward to the last page and back at every zoom, each turn recorded
    // and painted; + steps the zoom from the whole page up to 200%.
    std::vector<std::pair<std::string, std::vector<double>>> turnsAtZoom;
    for (int zoom = 0; zoom < 5; ++zoom) {
        if (zoom > 0) SendMessageA(printing.PreviewWindow(), WM_KEYDOWN, VK_ADD, 0);
        std::vector<double> turns;
        for (int round = 0; round < rounds; ++round) {
            for (UINT step : {ID_PREVIEW_NEXT_PAGE, ID_PREVIEW_PREVIOUS_PAGE}) {
                for (int page = 1; page < pages; ++page) {
                    const double start = Now();
                    command(step);
                    UpdateWindow(printing.PreviewWindow());
                    turns.push_back(Now() - start);
                }
            }
        }
        turnsAtZoom.emplace_back(ZoomLevelName(printing.Preview()->Zoom()), std::move(turns));
    }
    closePreview();

    const std::string folder = PdfFolder();
    HHOOK hook = SetWindowsHookExA(WH_CBT, AnswerDialogs, nullptr, GetCurrentThreadId());
    std::vector<double> spooled;
    std::vector<double> written;
    for (int round = 0; round < std::min(rounds, 3); ++round) {
        const std::set<std::string> before = folder.empty() ? std::set<std::string>() : PdfFiles(folder);
        const double start = Now();
        command(ID_FILE_PRINT);
        spooled.push_back(Now() - start);
        if (folder.empty()) continue;
        for (int wait = 0; wait < 3000; ++wait) {
            bool done = false;
            for (const std::string& file : PdfFiles(folder)) {
                if (before.count(file) || !EndsAsAPdf(file)) continue;
                written.push_back(Now() - start);
                DeleteFileA(file.c_str());
                done = true;
            }
            if (done) break;
            Sleep(10);
        }
    }
    UnhookWindowsHookEx(hook);

    // The job alone: the same pages, without the print dialog.
    ReportSelection selection;
    selection.kind = ReportKind::kDailyPlan;
    for (const auto& entry : document.tasks) selection.reportTasks.push_back(entry.second);
    for (const auto& entry : document.appointments)
        selection.reportAppointments.push_back(entry.second);
    const PreparedReport report(printing.Printer().CreateInformationContext(), MakeReport(selection),
                                printing.Printer().margins, printing.ReportFont());
    ReportPages reportPages(report);
    const std::set<std::string> before = folder.empty() ? std::set<std::string>() : PdfFiles(folder);
    const double job = Time(std::min(rounds, 3), nothing, [&] {
        HDC printer = printing.Printer().CreateDeviceContext();
        RunPrintJob(printer, kReportDocumentName, reportPages, 0, report.PageCount() - 1);
        DeleteDC(printer);
    });

    // Their files are not timed; they go once they are written.
    if (!folder.empty()) {
        Sleep(3000);
        for (const std::string& file : PdfFiles(folder)) {
            if (!before.count(file)) DeleteFileA(file.c_str());
        }
    }

    // Daily Appointments of a day of 10,000: choosing it (every appointment
    // of the day, sorted) and laying it out for the printer, against copying
    // the day's appointments alone, the least a report of them must do.
    const int crowd = 10000;
    const Appointments crowded = CrowdedDay(day, crowd);
    const double copyDay = Time(rounds, nothing, [&] {
        std::vector<Appointment> copies;
        for (const auto& entry : crowded)
            if (entry.second.DueDate == day) copies.push_back(entry.second);
    });
    int crowdedPages = 0;
    const double prepareDay = Time(rounds, nothing, [&] {
        ReportSelection chosen;
        TakeDailySnapshot(chosen, ReportKind::kDailyAppointments, {}, {}, day, Tasks(), crowded);
        const PreparedReport prepared(printing.Printer().CreateInformationContext(),
                                      MakeReport(chosen), printing.Printer().margins,
                                      printing.ReportFont());
        crowdedPages = prepared.PageCount();
    });

    std::printf("Daily plan: %d appointments, %d tasks, %d pages on the printer's paper\n",
                static_cast<int>(document.appointments.size()), kTasks, pages);
    std::printf("median of %d rounds, milliseconds\n\n", rounds);
    std::printf("%-44s %9.2f\n", "choose the report (copy the rows)", choose);
    std::printf("%-44s %9.2f\n", "open the preview (prepare, page 1, paint)", prepare);
    for (const auto& zoom : turnsAtZoom) {
        const std::vector<double>& turns = zoom.second;
        std::printf("%-44s %9.2f  (slowest %.2f, %d turns)\n",
                    ("turn a page at " + zoom.first + " (record, paint)").c_str(), Median(turns),
                    turns.empty() ? 0.0 : *std::max_element(turns.begin(), turns.end()),
                    static_cast<int>(turns.size()));
    }
    std::printf("%-44s %9.2f  (%.2f a page)\n", "print job alone, no dialog", job,
                pages > 0 ? job / pages : 0.0);
    std::printf("%-44s %9.2f\n", "print: handed to the spooler", Median(spooled));
    if (!written.empty())
        std::printf("%-44s %9.2f\n", "print: PDF file complete", Median(written));
    else
        std::printf("%-44s %9s\n", "print: PDF file complete", "unknown");
    std::printf("\nDaily appointments of a day of %d (of %d in all), %d pages\n", crowd,
                static_cast<int>(crowded.size()), crowdedPages);
    std::printf("%-44s %9.2f\n", "copy the day's appointments (reference)", copyDay);
    std::printf("%-44s %9.2f  (%.1f x reference)\n", "choose and prepare the report", prepareDay,
                copyDay > 0 ? prepareDay / copyDay : 0.0);
    return 0;
}
