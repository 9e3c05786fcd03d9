// The export and import commands through the real wizard: its pages, the
// Fields dialog and the messages, driven in-process; the files are real.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "DocumentFiles.h"
#include "DialogDriver.h"
#include "ExchangeCommands.h"
#include "HelpLibrary.h"
#include "ListViewRows.h"
#include "MessageBoxCatcher.h"
#include "PimDocument.h"
#include "WindowText.h"
#include "resource.h"

namespace {

std::vector<std::string> g_helpTopics;
HWND WINAPI RecordHelp(HWND, LPCSTR topic, UINT command, DWORD_PTR data) {
    std::string entry = topic ? topic : "";
    if (command == 0x0011 && data) entry += " #" + std::to_string(reinterpret_cast<const DWORD*>(data)[1]);
    g_helpTopics.push_back(entry);
    return nullptr;
}

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

HWND Page(HWND sheet) { return PropSheet_GetCurrentPageHwnd(sheet); }
void Press(HWND sheet, int button) {
    PropSheet_PressButton(sheet, button);
    Pump();
}
bool NextEnabled(HWND sheet) {
    Pump();
    return IsWindowEnabled(GetDlgItem(sheet, 0x3024)) != FALSE;  // the wizard's Next
}

class ExchangeWizardTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "vantrel-exchange-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder_.c_str(), nullptr);
        frame_ = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                 nullptr, nullptr);
        g_helpTopics.clear();
    }
    void TearDown() override {
        DestroyWindow(frame_);
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder_ + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string path = folder_ + "\\" + found.cFileName;
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(folder_.c_str());
    }

    std::string Path(const char* name) const { return folder_ + "\\" + name; }
    void Write(const char* name, const std::string& bytes) {
        ASSERT_TRUE(ReplaceDocumentFile(Path(name), bytes));
    }
    std::string Read(const char* name) const {
        std::string bytes;
        ReadDocumentFile(Path(name), bytes);
        return bytes;
    }
    void AddTask(PimDocument& document, const char* text, int32_t priority) {
        Task task;
        task.ID = document.tasks.IssueID();
        task.Description = text;
        task.Priority = priority;
        task.DueDate = DateTime::FromFields(2002, 3, 4, 0, 0, 0);
        document.tasks.Insert(task.ID, task);
    }

    // Runs `command` on `document`; `sheet` works the wizard, each Fields
    // dialog takes the next name of `assign` ("" unchecks "Import this
    // field"), and every message box is recorded and answered OK.
    void Drive(PimDocument& document, UINT command, const std::function<void(HWND)>& sheet,
               std::deque<std::string> assign = {}) {
        ExchangeCommands commands(document, EditorHelp{&help_, "C:\\Apps", "Vantrel.chm"});
        commands.SetFrame(frame_);
        commands.SetFileChooser([this](HWND, bool, const std::string&, std::string& chosen) {
            chosen = Path("chosen.csv");
            return true;
        });
        DialogDriver driver([&](HWND dialog) {
            CaughtMessageBox box;
            if (MessageBoxCatcher::Read(dialog, box)) {
                boxes_.push_back(box);
                PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            } else if (HWND field = GetDlgItem(dialog, IDC_EXCHANGE_ASSIGN_FIELD)) {
                const std::string name = assign.empty() ? "" : assign.front();
                if (!assign.empty()) assign.pop_front();
                if (!name.empty()) {
                    // Choosing the field ticks "Import this field" by itself.
                    SendMessageA(field, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(name.c_str()));
                    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_EXCHANGE_ASSIGN_FIELD, CBN_SELCHANGE),
                                 reinterpret_cast<LPARAM>(field));
                } else {
                    CheckDlgButton(dialog, IDC_EXCHANGE_IMPORT_FIELD, BST_UNCHECKED);
                }
                SendMessageA(dialog, WM_COMMAND, name.empty() ? IDCANCEL : IDOK, 0);
            } else {
                sheet(dialog);
                if (IsWindow(dialog)) PropSheet_PressButton(dialog, PSBTN_CANCEL);
            }
        });
        commands.Run(command);
    }

    // The rows of the last page, as "first column|second column".
    static std::vector<std::string> Rows(HWND page) {
        std::vector<std::string> rows;
        HWND list = GetDlgItem(page, IDC_EXCHANGE_FIELDS);
        for (int row = 0; row < ListViewRows::RowCount(list); ++row)
            rows.push_back(ListViewRows::CellText(list, row, 0) + "|" + ListViewRows::CellText(list, row, 1));
        return rows;
    }
    static void ClickRow(HWND page, int row) {
        HWND list = GetDlgItem(page, IDC_EXCHANGE_FIELDS);
        RECT bounds = {};
        bounds.left = LVIR_BOUNDS;
        SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
        NMITEMACTIVATE click = {};
        click.hdr.hwndFrom = list;
        click.hdr.idFrom = IDC_EXCHANGE_FIELDS;
        click.hdr.code = NM_CLICK;
        click.iItem = row;
        click.ptAction = {bounds.left + 4, (bounds.top + bounds.bottom) / 2};
        SendMessageA(page, WM_NOTIFY, IDC_EXCHANGE_FIELDS, reinterpret_cast<LPARAM>(&click));
    }
    void FileName(HWND sheet, const std::string& name) {
        SetDlgItemTextA(Page(sheet), IDC_EXCHANGE_FILE_NAME, name.c_str());
    }

    std::string folder_;
    HWND frame_ = nullptr;
    HelpLibrary help_{[] { return &RecordHelp; }};
    std::vector<CaughtMessageBox> boxes_;
};

// Tasks go out through the wizard and come back in through it, each column
// found by its name: the same tasks, and the count said.
TEST_F(ExchangeWizardTest, TasksExportedAndImportedThroughTheWizardComeBackTheSame) {
    PimDocument source;
    AddTask(source, "Buy \"milk\", bread", kPriorityMedium);
    AddTask(source, "Call\nthe bank", kPriorityDone);
    std::string caption;
    Drive(source, ID_EXPORT_TASKS, [&](HWND sheet) {
        caption = WindowText(sheet);
        EXPECT_FALSE(NextEnabled(sheet));
        FileName(sheet, Path("tasks.csv"));
        EXPECT_TRUE(NextEnabled(sheet));
        Press(sheet, PSBTN_NEXT);
        EXPECT_EQ(nullptr, GetDlgItem(Page(sheet), IDC_EXCHANGE_FIRST_LINE));  // nothing to preview
        Press(sheet, PSBTN_NEXT);
        HWND list = GetDlgItem(Page(sheet), IDC_EXCHANGE_FIELDS);
        EXPECT_EQ((std::vector<std::string>{"Task|", "DueDate|", "Priority|", "DoneDate|"}), Rows(Page(sheet)));
        ListView_SetCheckState(list, 0, TRUE);
        ListView_SetCheckState(list, 2, TRUE);
        Press(sheet, PSBTN_FINISH);
    });
    EXPECT_EQ("Export Tasks To Text File - Select Document", caption);
    EXPECT_TRUE(boxes_.empty());
    EXPECT_EQ("\"Task\",\"Priority\"\n\"Buy \"\"milk\"\", bread\",\"1\"\n\"Call\nthe bank\",\"3\"\n",
              Read("tasks.csv"));

    PimDocument target;
    Drive(target, ID_IMPORT_TASKS, [&](HWND sheet) {
        FileName(sheet, Path("tasks.csv"));
        Press(sheet, PSBTN_NEXT);
        EXPECT_EQ("\"Task\",\"Priority\"", WindowText(GetDlgItem(Page(sheet), IDC_EXCHANGE_FIRST_LINE)));
        Press(sheet, PSBTN_NEXT);
        // The columns name their fields: nothing to assign by hand.
        EXPECT_EQ((std::vector<std::string>{"Task|Task", "Priority|Priority"}), Rows(Page(sheet)));
        Press(sheet, PSBTN_FINISH);
    });
    ASSERT_EQ(1u, boxes_.size());
    EXPECT_EQ("2 tasks added to current database.", boxes_[0].text);
    EXPECT_EQ("Imported Tasks", boxes_[0].caption);
    ASSERT_EQ(2u, target.tasks.size());
    EXPECT_EQ("Buy \"milk\", bread", target.tasks[1].Description);
    EXPECT_EQ(kPriorityMedium, target.tasks[1].Priority);
    EXPECT_EQ("Call\nthe bank", target.tasks[2].Description);
    EXPECT_EQ(kPriorityDone, target.tasks[2].Priority);
    EXPECT_TRUE(target.IsModified());
}

// What the wizard refuses, each with its message, and the page it keeps.
TEST_F(ExchangeWizardTest, TheWizardTellsWhatItCannotUseAndStaysOnThePage) {
    Write("empty-first.csv", "\nTask\n");
    Write("commas.csv", ",,x\n");
    PimDocument document;
    Drive(document, ID_IMPORT_TASKS, [&](HWND sheet) {
        FileName(sheet, "   ");  // only spaces: not a file
        Press(sheet, PSBTN_NEXT);
        FileName(sheet, Path("missing.csv"));
        Press(sheet, PSBTN_NEXT);
        EXPECT_NE(nullptr, GetDlgItem(Page(sheet), IDC_EXCHANGE_FILE_NAME));
        FileName(sheet, Path("empty-first.csv"));
        Press(sheet, PSBTN_NEXT);
        Press(sheet, PSBTN_NEXT);
        EXPECT_TRUE(Rows(Page(sheet)).empty());
        Press(sheet, PSBTN_FINISH);  // nothing assigned
        EXPECT_NE(nullptr, GetDlgItem(Page(sheet), IDC_EXCHANGE_FIELDS));
    });
    ASSERT_EQ(3u, boxes_.size());
    EXPECT_EQ("Unable to open file", boxes_[0].text);
    EXPECT_EQ("File Error", boxes_[0].caption);
    EXPECT_EQ("Unable to open file", boxes_[1].text);
    EXPECT_EQ("You must include a task as a field to import.", boxes_[2].text);
    EXPECT_EQ("Import Error", boxes_[2].caption);
    EXPECT_TRUE(document.tasks.empty());

    // ",,x" without an encloser: two empty columns and x; a field goes to
    // one column only; appointments need all four of their fields.
    boxes_.clear();
    Drive(document, ID_IMPORT_APPOINTMENTS, [&](HWND sheet) {
        FileName(sheet, Path("commas.csv"));
        Press(sheet, PSBTN_NEXT);
        SendDlgItemMessageA(Page(sheet), IDC_EXCHANGE_ENCLOSER, LB_SETCURSEL, 2, 0);  // Nothing
        Press(sheet, PSBTN_NEXT);
        ClickRow(Page(sheet), 0);
        ClickRow(Page(sheet), 2);
        EXPECT_EQ((std::vector<std::string>{"EMPTY FIELD|", "EMPTY FIELD|", "x|Date"}), Rows(Page(sheet)));
        Press(sheet, PSBTN_FINISH);
    }, {"Date", "Date"});
    ASSERT_EQ(1u, boxes_.size());
    EXPECT_EQ("You must include an appointment, date, start time, and end time as fields to import.",
              boxes_[0].text);
}

// An export that cannot write its file says so and leaves any file of that
// name as it was, with no temporary file left beside it.
TEST_F(ExchangeWizardTest, AFailedExportIsToldAndKeepsTheOldFile) {
    Write("locked.csv", "old contents\n");
    SetFileAttributesA(Path("locked.csv").c_str(), FILE_ATTRIBUTE_READONLY);
    PimDocument document;
    AddTask(document, "Task", kPriorityHigh);
    Drive(document, ID_EXPORT_TASKS, [&](HWND sheet) {
        FileName(sheet, Path("locked.csv"));
        Press(sheet, PSBTN_NEXT);
        Press(sheet, PSBTN_NEXT);
        ListView_SetCheckState(GetDlgItem(Page(sheet), IDC_EXCHANGE_FIELDS), 0, TRUE);
        Press(sheet, PSBTN_FINISH);
    });
    ASSERT_EQ(1u, boxes_.size());
    EXPECT_NE(std::string::npos, boxes_[0].text.find(Path("locked.csv")));
    EXPECT_EQ("Export Tasks To Text File", boxes_[0].caption);
    EXPECT_EQ("old contents\n", Read("locked.csv"));
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder_ + "\\VTR*").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, search);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

// A UTF-8 file that another program holds open for writing is read in the
// code page, its mark dropped. Columns named as our fields start assigned.
// After the count, a second box lists the lines not added, or not as
// written: the first twenty, then how many more.
TEST_F(ExchangeWizardTest, LinesNotImportedAreListedAfterTheCount) {
    std::string text = "\xEF\xBB\xBFLastName,Notes\nAdams,\xC4\x80\xC3\xA9\n" + std::string(5000, 'x') +
                       ",long\n\"Baker,c\n";
    for (int i = 0; i < 24; ++i) text += ",nameless\n";
    Write("people.csv", text);
    HANDLE held = CreateFileA(Path("people.csv").c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    PimDocument document;
    Drive(document, ID_IMPORT_PHONE_BOOK, [&](HWND sheet) {
        SendMessageA(GetDlgItem(Page(sheet), IDC_EXCHANGE_BROWSE), BM_CLICK, 0, 0);
        EXPECT_EQ(Path("chosen.csv"), WindowText(GetDlgItem(Page(sheet), IDC_EXCHANGE_FILE_NAME)));
        FileName(sheet, Path("people.csv"));
        Press(sheet, PSBTN_NEXT);
        EXPECT_EQ("LastName,Notes", WindowText(GetDlgItem(Page(sheet), IDC_EXCHANGE_FIRST_LINE)));
        Press(sheet, PSBTN_NEXT);
        EXPECT_EQ((std::vector<std::string>{"LastName|LastName", "Notes|Notes"}), Rows(Page(sheet)));
        Press(sheet, PSBTN_FINISH);
    });
    CloseHandle(held);
    ASSERT_EQ(2u, boxes_.size());
    EXPECT_EQ("3 names added to current database.", boxes_[0].text);
    EXPECT_EQ("Imported Names", boxes_[1].caption);
    const std::string& report = boxes_[1].text;
    EXPECT_EQ(0u, report.find("Some lines of people.csv were not imported, or not as they were written:\n\n"
                              "Line 2: 1 character not in the code page.\n"
                              "Line 4: an encloser that is never closed.\n"
                              "Line 5: no first name, last name or company.\n"))
        << report;
    EXPECT_EQ("\n\x85 and 6 more lines.", report.substr(report.size() - 20)) << report;
    ASSERT_EQ(3u, document.persons.size());
    EXPECT_EQ("?\xE9", document.persons[1].Notes);
    EXPECT_EQ(5000u, document.persons[2].LName.size());
    EXPECT_EQ("Baker,c", document.persons[3].LName);
}

// Another separator and encloser, chosen after a first look with the
// defaults, and no header line: going back and changing them rebuilds the
// columns, and a field chosen in the Fields dialog is imported.
TEST_F(ExchangeWizardTest, ChangedFormattingCharactersRebuildTheColumns) {
    Write("tasks.csv", "a;'b;c';2\nx;'y';1\n");
    PimDocument document;
    Drive(document, ID_IMPORT_TASKS, [&](HWND sheet) {
        FileName(sheet, Path("tasks.csv"));
        Press(sheet, PSBTN_NEXT);
        Press(sheet, PSBTN_NEXT);
        EXPECT_EQ((std::vector<std::string>{"a;'b;c';2|"}), Rows(Page(sheet)));
        Press(sheet, PSBTN_BACK);
        SendDlgItemMessageA(Page(sheet), IDC_EXCHANGE_SEPARATOR, LB_SETCURSEL, 1, 0);  // Semi-colon
        SendDlgItemMessageA(Page(sheet), IDC_EXCHANGE_ENCLOSER, LB_SETCURSEL, 1, 0);   // Single Quote
        CheckDlgButton(Page(sheet), IDC_EXCHANGE_HAS_NAMES, BST_UNCHECKED);
        Press(sheet, PSBTN_NEXT);
        EXPECT_EQ((std::vector<std::string>{"a|", "b;c|", "2|"}), Rows(Page(sheet)));
        ClickRow(Page(sheet), 1);
        ClickRow(Page(sheet), 2);
        Press(sheet, PSBTN_FINISH);
    }, {"Task", "Priority"});
    ASSERT_EQ(1u, boxes_.size());
    EXPECT_EQ("2 tasks added to current database.", boxes_[0].text);
    ASSERT_EQ(2u, document.tasks.size());
    EXPECT_EQ("b;c", document.tasks[1].Description);
    EXPECT_EQ(kPriorityLow, document.tasks[1].Priority);
    EXPECT_EQ("y", document.tasks[2].Description);
    EXPECT_EQ(kPriorityMedium, document.tasks[2].Priority);
}

// The Help button opens the import or export page; F1 on a control its
// pop-up text.
TEST_F(ExchangeWizardTest, HelpOpensTheModesPageAndEachControlsText) {
    PimDocument document;
    Drive(document, ID_IMPORT_TASKS, [&](HWND sheet) {
        PropSheet_PressButton(sheet, PSBTN_HELP);
        Pump();
        HELPINFO request = {};
        request.cbSize = sizeof(request);
        request.iContextType = HELPINFO_WINDOW;
        request.iCtrlId = IDC_EXCHANGE_BROWSE;
        request.hItemHandle = GetDlgItem(Page(sheet), IDC_EXCHANGE_BROWSE);
        SendMessageA(Page(sheet), WM_HELP, 0, reinterpret_cast<LPARAM>(&request));
    });
    EXPECT_EQ((std::vector<std::string>{"C:\\Apps\\Vantrel.chm::/html/csvimport.htm>topic",
                                        "C:\\Apps\\Vantrel.chm #1501"}),
              g_helpTopics);
}

}  // namespace
