// The File menu's iCalendar commands: when Export is offered, the file
// dialog, the file written and read back, and what the user is told.
#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <string>
#include <vector>

#include "CommandAvailability.h"
#include "DialogDriver.h"
#include "DocumentFiles.h"
#include "HelpLibrary.h"
#include "ICalCommands.h"
#include "MessageBoxCatcher.h"
#include "PimDocument.h"
#include "resource.h"

namespace {

std::string g_helpTopic;
HWND WINAPI RecordHelp(HWND, LPCSTR topic, UINT, DWORD_PTR) {
    g_helpTopic = topic ? topic : "";
    return nullptr;
}
HelpLibrary g_help{[]() -> HtmlHelpEntry { return RecordHelp; }};
const EditorHelp kHelp{&g_help, "C:\\Vantrel", "Vantrel.chm"};

TEST(ICalCommands, ExportIsOfferedForAnAppointmentOrATask) {
    for (const bool tasks : {false, true})
        for (const bool appointments : {false, true}) {
            CommandSnapshot snapshot;
            snapshot.hasPersons = true;
            snapshot.hasTasks = tasks;
            snapshot.hasAppointments = appointments;
            EXPECT_EQ(tasks || appointments, CommandStateFor(ID_EXPORT_ICALENDAR, snapshot).enabled);
        }
}

TEST(ICalCommands, AnExportReadsBackOnceAndWhatCannotBeWrittenOrReadIsTold) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string name = "vantrel-ical-" + std::to_string(GetCurrentProcessId()) + ".ics";
    const std::string file = temp + name, nowhere = temp + std::string("no such folder\\") + name;
    PimDocument source, target, full;
    for (int hour : {10, 14}) {
        Appointment appointment;
        appointment.ID = source.appointments.IssueID();
        appointment.Description = "meeting";
        appointment.DueDate = DateTime::FromFields(2026, 3, 10, 0, 0, 0);
        appointment.StartTime = DateTime::FromFields(2026, 3, 10, hour, 0, 0);
        appointment.EndTime = DateTime::FromFields(2026, 3, 10, hour + 1, 0, 0);
        source.appointments.Insert(appointment.ID, appointment);
    }
    Task task;
    task.ID = source.tasks.IssueID();
    task.Description = "file the taxes";
    source.tasks.Insert(task.ID, task);
    full.appointments.SetLastID(INT32_MAX);
    full.tasks.SetLastID(INT32_MAX);
    const std::string none = "0 appointments and 0 tasks added to current database.";
    // What each command says first; a report of what was left out may follow.
    const struct {
        PimDocument* document;
        bool import;
        std::string path;
        std::vector<std::string> told;
    } steps[] = {
        {&source, false, file, {}},
        {&target, true, file, {"2 appointments and 1 tasks added to current database."}},
        {&target, true, file, {none}},
        {&full, true, file, {none, "This document has no room for more appointments or tasks: each one gets a number "
                                   "of its own that is never used again, and every number has been used. The rest of " +
                                       name + " was not imported. To import it, start a new document and import "
                                              "the file into it."}},
        {&target, true, nowhere, {"Unable to read " + nowhere + ". Nothing was imported."}},
        {&target, false, file, {"Unable to write " + file + ". Nothing was exported, and a file of that name was left as it was."}},
    };
    std::string exported, last;
    for (const auto& step : steps) {
        // Once written the file is read-only: the last export may not replace it.
        if (!exported.empty()) SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
        ICalCommands commands(*step.document, kHelp);
        commands.SetFileChooser([&step](HWND, bool, std::string& chosen) {
            chosen = step.path;
            return true;
        });
        MessageBoxCatcher boxes(IDOK);
        step.import ? commands.Import() : commands.Export();
        std::vector<std::string> told = boxes.Texts();
        if (told.size() > step.told.size()) told.resize(step.told.size());
        EXPECT_EQ(step.told, told);
        for (const CaughtMessageBox& box : boxes.Boxes())
            EXPECT_EQ(step.import ? "Imported Calendar" : "Export Calendar as iCalendar", box.caption);
        if (exported.empty()) ReadDocumentFile(file, exported);
    }
    EXPECT_TRUE(ReadDocumentFile(file, last) && last == exported && !last.empty());
    EXPECT_EQ(2u, target.appointments.size());
    EXPECT_EQ(1u, target.tasks.size());
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(file.c_str());
}

TEST(ICalCommands, TheOpenDialogOffersIcsFilesAndItsHelpButtonOpensTheICalendarPage) {
    std::string filter, title;
    DialogDriver driver([&](HWND dialog) {
        char text[64] = "";
        GetDlgItemTextA(dialog, cmb1, text, sizeof text);
        filter = text;
        GetWindowTextA(dialog, text, sizeof text);
        title = text;
        // Wine's Help button does nothing: the hook is told as Windows would tell it.
        OFNOTIFYA notify = {};
        notify.hdr.code = CDN_HELP;
        SendMessageA(FindWindowExA(dialog, nullptr, "#32770", nullptr), WM_NOTIFY, 0,
                     reinterpret_cast<LPARAM>(&notify));
        SendMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    });
    std::string path;
    EXPECT_FALSE(ICalCommands::ChooseFile(nullptr, false, kHelp, path));
    EXPECT_EQ(1, driver.DialogsDriven());
    EXPECT_EQ("iCalendar Files (*.ics) / Import Calendar from iCalendar", filter + " / " + title);
    EXPECT_EQ("C:\\Vantrel\\Vantrel.chm::/html/icalendar.htm>topic", g_helpTopic);
}

}  // namespace
