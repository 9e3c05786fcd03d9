// The File menu's vCard commands as the frame runs them: the file dialog,
// the file written and read back, and what the user is told.
#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <string>

#include "DialogDriver.h"
#include "DocumentFiles.h"
#include "HelpLibrary.h"
#include "MessageBoxCatcher.h"
#include "PimDocument.h"
#include "VCard.h"
#include "VCardCommands.h"
#include "resource.h"

namespace {

std::string g_helpTopic;
HWND WINAPI RecordHelp(HWND, LPCSTR topic, UINT, DWORD_PTR) {
    g_helpTopic = topic ? topic : "";
    return nullptr;
}

class VCardCommandsTest : public testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "vantrel-vcard-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder_.c_str(), nullptr);
    }
    void TearDown() override {
        DeleteFileA(Path("book.vcf").c_str());
        DeleteFileA(Path("broken.vcf").c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    std::string Path(const char* name) const { return folder_ + "\\" + name; }
    // Commands on `document` whose file dialog answers `path`.
    VCardCommands CommandsOn(PimDocument& document, const std::string& path) {
        VCardCommands commands(document, EditorHelp{&help_, "C:\\Vantrel", "Vantrel.chm"});
        commands.SetFileChooser([path](HWND, bool, std::string& chosen) {
            chosen = path;
            return true;
        });
        return commands;
    }
    static void AddPerson(PimDocument& document, const char* first, const char* company) {
        Person person;
        person.ID = document.persons.IssueID();
        person.FName = first;
        person.LName = "Lee";
        person.RName = std::string("Lee, ") + first;
        person.Company = company;
        person.Notes = "line one\r\nline two";
        person.WhitePages = company[0] ? 0 : 1;
        person.YellowPages = company[0] ? 1 : 0;
        document.persons.Insert(person.ID, person);
    }

    std::string folder_;
    HelpLibrary help_{[]() -> HtmlHelpEntry { return RecordHelp; }};
};

TEST_F(VCardCommandsTest, ExportedCardsImportOnceAndWhatCannotBeWrittenOrReadIsTold) {
    PimDocument source;
    AddPerson(source, "Ann", "");
    AddPerson(source, "Bob", "Acme");
    CommandsOn(source, Path("book.vcf")).Export();
    std::string bytes;
    ASSERT_TRUE(ReadDocumentFile(Path("book.vcf"), bytes));
    EXPECT_EQ(0u, bytes.find("BEGIN:VCARD\r\n"));

    // Read again, the file adds nothing and says why.
    PimDocument target;
    for (const auto& expected : {std::vector<std::string>{"2 names added to current database."},
                                 std::vector<std::string>{"0 names added to current database.",
                                                          "Not imported, counted by kind:\ncard already in the phone book: 2"}}) {
        MessageBoxCatcher boxes(IDOK);
        CommandsOn(target, Path("book.vcf")).Import();
        EXPECT_EQ(expected, boxes.Texts());
        EXPECT_EQ("Imported Names", boxes.Boxes().back().caption);
    }
    ASSERT_EQ(2u, target.persons.size());

    const std::string nowhere = Path("no such folder\\book.vcf");
    MessageBoxCatcher boxes(IDOK);
    CommandsOn(source, nowhere).Export();
    CommandsOn(target, nowhere).Import();
    EXPECT_EQ((std::vector<std::string>{"Unable to write " + nowhere +
                                            ". Nothing was exported, and a file of that name was left as it was.",
                                        "Unable to read " + nowhere + ". Nothing was imported."}),
              boxes.Texts());
}

TEST_F(VCardCommandsTest, SkippedCardsAndLeftOutFieldsAreReportedAfterTheCount) {
    ASSERT_TRUE(ReplaceDocumentFile(Path("broken.vcf"),
                                    "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann\r\nBDAY:1980-01-01\r\nEND:VCARD\r\n"
                                    "BEGIN:VCARD\r\nVERSION:3.0\r\nNOTE:nobody\r\nEND:VCARD\r\n"));
    PimDocument document;
    MessageBoxCatcher boxes(IDOK);
    CommandsOn(document, Path("broken.vcf")).Import();
    ASSERT_EQ(2u, boxes.Texts().size());
    EXPECT_EQ("1 names added to current database.", boxes.Texts()[0]);
    const std::string report = boxes.Texts()[1];
    EXPECT_EQ(0u, report.find("Some cards of broken.vcf were not imported, or not whole:\n\nCard 2 (line 6, NOTE:nobody): no name"))
        << report;
    EXPECT_NE(std::string::npos, report.find("Not imported, counted by kind:\nbirthday: 1")) << report;
}

TEST_F(VCardCommandsTest, TheFileDialogOffersVcfFilesAndItsHelpButtonOpensTheVCardPage) {
    ASSERT_TRUE(ReplaceDocumentFile(Path("book.vcf"), "BEGIN:VCARD\r\nEND:VCARD\r\n"));
    const EditorHelp help{&help_, "C:\\Vantrel", "Vantrel.chm"};
    std::string filter;
    DialogDriver driver([&](HWND dialog) {
        char text[64] = "";
        GetDlgItemTextA(dialog, cmb1, text, sizeof text);
        filter = text;
        // Windows tells the dialog's hook of its Help button; Wine's button
        // does nothing, so the hook is told as Windows would tell it.
        OFNOTIFYA notify = {};
        notify.hdr.hwndFrom = dialog;
        notify.hdr.code = CDN_HELP;
        SendMessageA(FindWindowExA(dialog, nullptr, "#32770", nullptr), WM_NOTIFY, 0,
                     reinterpret_cast<LPARAM>(&notify));
        SendMessageA(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(Path("book.vcf").c_str()));
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    std::string path;
    ASSERT_TRUE(VCardCommands::ChooseFile(nullptr, false, help, path));
    EXPECT_EQ(0, driver.DialogsCancelled());
    EXPECT_EQ(Path("book.vcf"), path);
    EXPECT_EQ("vCard Files (*.vcf)", filter);
    EXPECT_EQ("C:\\Vantrel\\Vantrel.chm::/html/vcard.htm>topic", g_helpTopic);
}

}  // namespace
