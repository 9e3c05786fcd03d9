// Documents that arrive from outside the File menu: named on the command
// line of the real program, or dropped on the main window.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "DocumentArrival.h"
#include "DocumentFile.h"
#include "DocumentFileDialogs.h"
#include "DocumentFiles.h"
#include "HelpLibrary.h"
#include "MainFrame.h"
#include "MessageBoxCatcher.h"
#include "MessageLoop.h"
#include "PrivateUserRegistry.h"

namespace {

bool NeverAFolder(const std::string&) { return false; }
bool AlwaysAFolder(const std::string&) { return true; }

TEST(DocumentArrival, OneNameOpensAndAnythingElseIsToldAndOpensNothing) {
    struct Case {
        std::vector<std::string> arguments;
        std::string document;
        bool complaint;
        bool usage;
    } cases[] = {
        {{}, "", false, false},
        {{"Mine.pgr"}, "Mine.pgr", false, false},
        {{"", "C:\\My Documents\\Mine.pgr"}, "C:\\My Documents\\Mine.pgr", false, false},
        {{"a.pgr", "b.pgr"}, "", true, false},
        {{"/print", "a.pgr"}, "", true, false},
        {{"/?"}, "", false, true},
        {{"/?", "a.pgr"}, "a.pgr", false, true},
    };
    for (const Case& c : cases) {
        const StartRequest request = ReadStartArguments(c.arguments);
        const std::string shown = c.arguments.empty() ? "(none)" : c.arguments.back();
        EXPECT_EQ(c.document, request.document) << shown;
        EXPECT_EQ(c.complaint, !request.complaint.empty()) << shown;
        EXPECT_EQ(c.usage, request.usage) << shown;
    }
    // The complaint names the switch and says what the program takes.
    const StartRequest wrong = ReadStartArguments({"/print"});
    EXPECT_NE(std::string::npos, wrong.complaint.find("/print"));
    EXPECT_NE(std::string::npos, wrong.complaint.find(StartUsageText()));

    struct Drop {
        std::vector<std::string> paths;
        bool (*isFolder)(const std::string&);
        bool opens;
    } drops[] = {
        {{"C:\\a\\Mine.pgr"}, NeverAFolder, true},
        {{"C:\\a\\MINE.PGR"}, NeverAFolder, true},
        {{"C:\\a\\Mine.pgr.txt"}, NeverAFolder, false},
        {{"C:\\a.pgr\\Mine"}, NeverAFolder, false},
        {{"C:\\a\\Folder.pgr"}, AlwaysAFolder, false},
        {{"C:\\a\\Mine.pgr", "C:\\a\\Yours.pgr"}, NeverAFolder, false},
        {{}, NeverAFolder, false},
    };
    for (const Drop& d : drops) {
        const DropVerdict verdict = JudgeDroppedFiles(d.paths, d.isFolder);
        const std::string shown = d.paths.empty() ? "(none)" : d.paths[0];
        EXPECT_EQ(d.opens ? d.paths[0] : "", verdict.document) << shown;
        EXPECT_EQ(d.opens, verdict.complaint.empty()) << shown;
    }
}

std::string TempFolder(const char* name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + name + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string GoodDocument() {
    PimDocument document;
    Task task;
    task.ID = document.tasks.IssueID();
    task.Description = "water the plants";
    document.tasks.Insert(task.ID, task);
    std::string text;
    WriteDocument(document, text);
    return text;
}

// WM_DROPFILES as Explorer sends it: a DROPFILES block with wide names.
HDROP MakeDrop(const std::vector<std::string>& paths) {
    std::wstring names;
    for (const std::string& path : paths) names += std::wstring(path.begin(), path.end()) + L'\0';
    names += L'\0';
    const SIZE_T size = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    memcpy(drop + 1, names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

TEST(DocumentArrival, ADroppedDocumentOpensAsOpenWouldAndOtherFilesAreTold) {
    PrivateUserRegistry registry;
    const std::string folder = TempFolder("vantrel-drop-");
    const std::string document = folder + "\\Dropped.pgr";
    const std::string text = folder + "\\Notes.txt";
    ASSERT_TRUE(ReplaceDocumentFile(document, GoodDocument()));
    ASSERT_TRUE(ReplaceDocumentFile(text, "not a document"));

    MessageLoop loop;
    SystemDocumentFileChooser chooser;  // never asked
    HelpLibrary help([]() -> HtmlHelpEntry { return nullptr; });
    auto frame = std::make_unique<MainFrame>(loop, chooser, help, "C:\\Vantrel");
    ASSERT_TRUE(frame->Create());
    auto title = [&frame] {
        char buffer[512] = "";
        GetWindowTextA(frame->Handle(), buffer, sizeof buffer);
        return std::string(buffer);
    };
    frame->Document().SetModified(true, true);
    {
        // Nothing is asked or lost for a file that is not a document.
        MessageBoxCatcher boxes(IDOK);
        SendMessageA(frame->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({text})), 0);
        ASSERT_EQ(1u, boxes.Texts().size());
        EXPECT_EQ(0u, boxes.Texts()[0].find("Notes.txt is not a Vantrel! document."));
        EXPECT_TRUE(frame->Document().IsModified());
    }
    {
        // The unsaved changes are asked about first; No lets the drop go on.
        MessageBoxCatcher boxes(IDNO);
        SendMessageA(frame->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({document})),
                     0);
        EXPECT_EQ(std::vector<std::string>{"Save changes to Untitled?"}, boxes.Texts());
    }
    EXPECT_EQ("Vantrel! [" + document + "]", title());
    EXPECT_EQ(1u, frame->Document().tasks.size());
    ASSERT_EQ(1u, frame->RecentFiles().size());
    EXPECT_EQ(document, frame->RecentFiles().Entries()[0]);

    frame.reset();
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    DeleteFileA(document.c_str());
    DeleteFileA(text.c_str());
    RemoveDirectoryA(folder.c_str());
}

// The real program, started with a command line, as Explorer starts it.
struct ProgramRun {
    std::vector<std::string> messages;  // the texts of the boxes it showed, in order
    std::string title;                  // the main window's title once it waits for the user
};

// The top-level windows of class `className` that belong to `process`.
std::vector<HWND> WindowsOf(DWORD process, const char* className) {
    std::vector<HWND> found;
    for (HWND w = FindWindowExA(nullptr, nullptr, className, nullptr); w;
         w = FindWindowExA(nullptr, w, className, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == process) found.push_back(w);
    }
    return found;
}

ProgramRun RunProgram(const std::string& arguments, const std::string& folder) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string program = self;
    program.erase(program.find_last_of('\\') + 1);
    program += "Vantrel.exe";
    std::string line = "\"" + program + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION child = {};
    ProgramRun run;
    if (!CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &child)) {
        ADD_FAILURE() << "cannot start " << program;
        return run;
    }
    const DWORD start = GetTickCount();
    auto late = [start] { return GetTickCount() - start > 60000; };
    HWND frame = nullptr;
    while (!frame && !late()) {
        const std::vector<HWND> frames = WindowsOf(child.dwProcessId, MainFrame::kClassName);
        if (!frames.empty()) frame = frames[0];
        else Sleep(50);
    }
    // The program answers a sent message only while it waits for input:
    // in a message box, or in its loop once the start is over.
    std::set<HWND> answered;
    while (frame && !late()) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(frame, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
        HWND box = nullptr;
        for (HWND candidate : WindowsOf(child.dwProcessId, "#32770"))
            if (!answered.count(candidate)) box = candidate;
        if (!box) break;
        CaughtMessageBox caught;
        MessageBoxCatcher::Read(box, caught);
        answered.insert(box);
        // Frames of other suites, destroyed without the closing question,
        // leave recovery copies in the prefix's folder: the program asks
        // about those first, and No lets them go.
        if (caught.text.rfind("Vantrel! did not close normally.", 0) == 0) {
            SendMessageA(box, WM_COMMAND, IDNO, 0);
        } else {
            run.messages.push_back(caught.text);
            SendMessageA(box, WM_COMMAND, IDOK, 0);
        }
        while (IsWindow(box) && !late()) Sleep(20);
    }
    if (frame) {
        char title[512] = "";
        GetWindowTextA(frame, title, sizeof title);
        run.title = title;
        PostMessageA(frame, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(child.hProcess, 20000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the program did not end: " << arguments;
        TerminateProcess(child.hProcess, 1);
    }
    EXPECT_FALSE(late()) << arguments;
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return run;
}

TEST(DocumentArrival, TheProgramOpensTheDocumentItsCommandLineNames) {
    const std::string folder = TempFolder("vantrel-start-");
    const std::string good = folder + "\\Good Plan.pgr";
    const std::string foreign = folder + "\\Photo.pgr";
    ASSERT_TRUE(ReplaceDocumentFile(good, GoodDocument()));
    ASSERT_TRUE(ReplaceDocumentFile(foreign, std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)));
    const std::string untitled = "Vantrel! [Untitled]";
    struct Case {
        std::string arguments;
        std::vector<std::string> messages;
        std::string title;
    } cases[] = {
        {"\"" + good + "\"", {}, "Vantrel! [" + good + "]"},
        // Relative to the folder it was started in, as a command prompt has it.
        {"\"Good Plan.pgr\"", {}, "Vantrel! [" + good + "]"},
        {"\"" + folder + "\\Gone.pgr\"",
         {"The document " + folder + "\\Gone.pgr does not exist."}, untitled},
        {"\"" + foreign + "\"", {"Parsing error at line 1", "Error loading file."}, untitled},
        {"\"" + good + "\" \"" + foreign + "\"",
         {ReadStartArguments({"a", "b"}).complaint}, untitled},
    };
    for (const Case& c : cases) {
        const ProgramRun run = RunProgram(c.arguments, folder);
        EXPECT_EQ(c.messages, run.messages) << c.arguments;
        EXPECT_EQ(c.title, run.title) << c.arguments;
    }
    DeleteFileA(good.c_str());
    DeleteFileA(foreign.c_str());
    RemoveDirectoryA(folder.c_str());
}

}  // namespace
