#include "ExchangeWizard.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "ColumnNames.h"
#include "DelimitedText.h"
#include "FieldTokenizer.h"
#include "FieldsDialog.h"
#include "HelpLibrary.h"
#include "ListViewRows.h"
#include "PropertySheet.h"
#include "WindowText.h"
#include "WizardPicture.h"
#include "resource.h"

namespace {

const unsigned kDisplayTopic = 0;     // HH_DISPLAY_TOPIC
const size_t kFieldNameLimit = 511;   // characters of an assigned field's name

const char kEmptyField[] = "EMPTY FIELD";

int Tell(HWND owner, const char* text, const char* caption, UINT icon) {
    return MessageBoxA(owner, text, caption, MB_OK | icon);
}

// What every page shares: the settings, the wizard's options, the picture
// painted where the template's placeholder was, the title and help.
class WizardPage : public PropertyPage {
public:
    WizardPage(UINT templateId, const char* title, ExchangeSettings& settings,
               const ExchangeWizardOptions& options)
        : PropertyPage(templateId), title_(title), settings_(settings), options_(options) {
        // The wizard's caption names the command and the step.
        SetTitle(options_.caption + " - " + title_);
    }

protected:
    bool OnInitDialog() override {
        // The placeholder only marks the picture's place.
        if (HWND placeholder = Item(IDC_EXCHANGE_PICTURE)) {
            GetWindowRect(placeholder, &picture_);
            MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&picture_), 2);
            DestroyWindow(placeholder);
        }
        return true;
    }
    void OnPaint(HDC dc) override { WizardPicture::Draw(dc, picture_); }
    void OnHelp(const HELPINFO& request) override { ShowEditorHelp(options_.help, request, Topics()); }
    void OnHelpButton() override {
        const EditorHelp& help = options_.help;
        if (!help.library) return;
        const std::string topic = help.directory + "\\" + help.fileName +
                                  (options_.importMode ? "::/html/csvimport.htm>topic"
                                                       : "::/html/csvexport.htm>topic");
        help.library->Show(Sheet(), topic.c_str(), kDisplayTopic, 0);
    }
    virtual std::vector<HelpTopic> Topics() const = 0;

    const char* title_;
    ExchangeSettings& settings_;
    const ExchangeWizardOptions& options_;
    RECT picture_ = {};
};

// --- "Select Document" ----------------------------------------------------------------

class DocumentPage : public WizardPage {
public:
    DocumentPage(ExchangeSettings& settings, const ExchangeWizardOptions& options)
        : WizardPage(IDD_EXCHANGE_DOCUMENT_PAGE, "Select Document", settings, options) {}

protected:
    bool OnInitDialog() override {
        WizardPage::OnInitDialog();
        // The "?" in the wizard's title bar.
        HWND sheet = Sheet();
        SetWindowLongPtrA(sheet, GWL_EXSTYLE,
                          GetWindowLongPtrA(sheet, GWL_EXSTYLE) | WS_EX_CONTEXTHELP);
        SetWindowPos(sheet, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        SetWindowTextA(Item(IDC_EXCHANGE_FILE_NAME), fileName_.c_str());
        return true;
    }
    void OnSetActive() override {
        WizardPage::OnSetActive();
        OfferNext();
    }
    bool OnCommand(UINT id, UINT code, HWND) override {
        if (id == IDC_EXCHANGE_FILE_NAME && code == EN_CHANGE) {
            fileName_ = WindowText(Item(IDC_EXCHANGE_FILE_NAME));
            OfferNext();
            return true;
        }
        if (id == IDC_EXCHANGE_BROWSE && code == BN_CLICKED) {
            Browse();
            return true;
        }
        return false;
    }
    bool OnWizardNext() override {
        if (fileName_.empty()) {
            Tell(Handle(), "You must enter a file name", "Enter File Name", MB_ICONINFORMATION);
            return false;
        }
        settings_.FileName = fileName_;
        if (!options_.importMode) return true;
        std::string line;
        if (!ReadExchangeFirstLine(fileName_, line)) {
            Tell(Handle(), "Unable to open file", "File Error", MB_ICONINFORMATION);
            return false;
        }
        settings_.FirstLine = line;
        return true;
    }
    std::vector<HelpTopic> Topics() const override {
        return {{IDC_EXCHANGE_FILE_NAME, 1500}, {IDC_EXCHANGE_FILE_GROUP, 1500},
                {IDC_EXCHANGE_BROWSE, 1501}};
    }

private:
    void OfferNext() { SetWizardButtons(fileName_.empty() ? 0 : PSWIZB_NEXT); }
    void Browse() {
        std::string chosen;
        if (!options_.chooseFile ||
            !options_.chooseFile(Sheet(), options_.importMode, fileName_, chosen))
            return;
        SetWindowTextA(Item(IDC_EXCHANGE_FILE_NAME), chosen.c_str());  // follows as EN_CHANGE
        fileName_ = chosen;
        OfferNext();
    }

    std::string fileName_;
};

// --- "Document Structure" -------------------------------------------------------------

struct Choice {
    const char* shown;
    const char* value;
};
const Choice kSeparators[] = {
    {"Comma(,)", ","}, {"Semi-colon(;)", ";"}, {"Pipe(|)", "|"}, {"Space", " "}, {"Tab", "\t"},
};
const Choice kEnclosers[] = {
    {"Double Quote(\")", "\""}, {"Single Quote(')", "'"}, {"Nothing", ""},
};

class StructurePage : public WizardPage {
public:
    StructurePage(ExchangeSettings& settings, const ExchangeWizardOptions& options)
        : WizardPage(IDD_EXCHANGE_STRUCTURE_PAGE, "Document Structure", settings, options) {}

protected:
    bool OnInitDialog() override {
        WizardPage::OnInitDialog();
        Fill(IDC_EXCHANGE_ENCLOSER, kEnclosers);
        Fill(IDC_EXCHANGE_SEPARATOR, kSeparators);
        CheckDlgButton(Handle(), IDC_EXCHANGE_HAS_NAMES, BST_CHECKED);
        if (!options_.importMode) {
            // An export has no first line to show.
            DestroyWindow(Item(IDC_EXCHANGE_FIRST_LINE));
            DestroyWindow(Item(IDC_EXCHANGE_FIRST_LINE_GROUP));
        }
        return true;
    }
    void OnSetActive() override {
        WizardPage::OnSetActive();
        if (options_.importMode)
            SetWindowTextA(Item(IDC_EXCHANGE_FIRST_LINE), settings_.FirstLine.c_str());
        SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    }
    bool OnWizardNext() override {
        const int separator = Selected(IDC_EXCHANGE_SEPARATOR);
        const int encloser = Selected(IDC_EXCHANGE_ENCLOSER);
        if (separator < 0 || encloser < 0) {
            Tell(Handle(),
                 "You must select both a character that encloses each text field and one that "
                 "separates each field.",
                 "Choose Formatting Characters", MB_ICONINFORMATION);
            return false;
        }
        settings_.Separator = kSeparators[separator].value;
        settings_.Encloser = kEnclosers[encloser].value;
        settings_.FirstLineHasNames = IsDlgButtonChecked(Handle(), IDC_EXCHANGE_HAS_NAMES) == BST_CHECKED;
        return true;
    }
    std::vector<HelpTopic> Topics() const override {
        return {{IDC_EXCHANGE_FIRST_LINE, 1502}, {IDC_EXCHANGE_FIRST_LINE_GROUP, 1502},
                {IDC_EXCHANGE_HAS_NAMES, 1504},  {IDC_EXCHANGE_NAMES_GROUP, 1504},
                {IDC_EXCHANGE_SEPARATOR, 1506},  {IDC_EXCHANGE_SEPARATOR_GROUP, 1506},
                {IDC_EXCHANGE_ENCLOSER, 1508},   {IDC_EXCHANGE_ENCLOSER_GROUP, 1508}};
    }

private:
    template <size_t N>
    void Fill(int listId, const Choice (&choices)[N]) {
        HWND list = Item(listId);
        for (const Choice& choice : choices)
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.shown));
        SendMessageA(list, LB_SETCURSEL, 0, 0);
    }
    int Selected(int listId) const {
        const LRESULT index = SendMessageA(Item(listId), LB_GETCURSEL, 0, 0);
        return index == LB_ERR ? -1 : static_cast<int>(index);
    }
};

// --- "Fields To Import" ---------------------------------------------------------------

// An export's list of fields is built once and keeps its ticks. An import's
// columns come from the file's first line and the formatting characters:
// they are built again whenever the user went back and changed either, so
// that no column is silently left out. When the first line holds names,
// each column that names a field starts assigned to it.
class FieldsPage : public WizardPage {
public:
    FieldsPage(ExchangeSettings& settings, const ExchangeWizardOptions& options)
        : WizardPage(IDD_EXCHANGE_FIELDS_PAGE, "Fields To Import", settings, options) {}

protected:
    bool OnInitDialog() override {
        WizardPage::OnInitDialog();
        available_ = settings_.AvailableFields;
        required_ = settings_.RequiredFields;
        HWND list = List();
        RECT client = {};
        GetClientRect(list, &client);
        const int width = client.right - client.left;
        const std::string caption = settings_.KindName + " Fields";
        if (options_.importMode) {
            SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
            ListViewRows::AddColumn(list, 0, "Import Fields", width / 2);
            ListViewRows::AddColumn(list, 1, caption.c_str(), width / 2);
        } else {
            SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
            ListViewRows::AddColumn(list, 0, caption.c_str(), width);
            for (size_t row = 0; row < available_.size(); ++row)
                ListViewRows::InsertRow(list, static_cast<int>(row), available_[row],
                                        static_cast<int32_t>(row));
        }
        return true;
    }
    void OnSetActive() override {
        WizardPage::OnSetActive();
        if (options_.importMode && !(built_ && builtFor_ == Inputs::Of(settings_))) BuildColumns();
        SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
    }
    bool OnNotify(NMHDR* header, LRESULT& result) override {
        if (header->idFrom != IDC_EXCHANGE_FIELDS || !options_.importMode) return false;
        result = 0;
        if (header->code == NM_CLICK) {
            // Only a click on a row assigns; empty space does nothing.
            const int row = ListViewRows::RowAt(List(), reinterpret_cast<NMITEMACTIVATE*>(header)->ptAction);
            if (row >= 0) Assign(row);
            return true;
        }
        if (header->code == NM_RETURN) {
            // From the keyboard: the highlighted row.
            const int row = static_cast<int>(
                SendMessageA(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
            if (row >= 0) Assign(row);
            return true;
        }
        return false;
    }
    bool OnWizardFinish() override {
        return options_.importMode ? FinishImport() : FinishExport();
    }
    std::vector<HelpTopic> Topics() const override {
        return {{IDC_EXCHANGE_FIELDS, 1510}, {IDC_EXCHANGE_FIELDS_GROUP, 1510}};
    }

private:
    // What an import's columns were built from.
    struct Inputs {
        std::string file, firstLine, separator, encloser;
        bool hasNames = false;
        static Inputs Of(const ExchangeSettings& s) {
            return {s.FileName, s.FirstLine, s.Separator, s.Encloser, s.FirstLineHasNames};
        }
        bool operator==(const Inputs& o) const {
            return file == o.file && firstLine == o.firstLine && separator == o.separator &&
                   encloser == o.encloser && hasNames == o.hasNames;
        }
    };

    HWND List() const { return Item(IDC_EXCHANGE_FIELDS); }

    // One row per field of the first line; with names there, each column
    // that names a field starts assigned to it.
    void BuildColumns() {
        HWND list = List();
        SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
        const FieldTokenizer tokenizer(settings_, PlatformExchangeLocale());
        std::string line = settings_.FirstLine;
        std::vector<std::string> names;
        for (std::string field; tokenizer.NextField(line, field); field.clear()) names.push_back(field);
        const std::vector<std::string> fields =
            settings_.FirstLineHasNames ? FieldsForColumnNames(options_.kind, names) : std::vector<std::string>();
        for (size_t row = 0; row < names.size(); ++row) {
            const int at = static_cast<int>(row);
            ListViewRows::InsertRow(list, at, names[row].empty() ? kEmptyField : names[row], at);
            if (row < fields.size() && !fields[row].empty()) ListViewRows::SetCellText(list, at, 1, fields[row]);
        }
        settings_.ColumnCount = static_cast<int32_t>(names.size());
        builtFor_ = Inputs::Of(settings_);
        built_ = true;
    }

    // The Fields dialog for one column; a field goes to at most one column.
    void Assign(int row) {
        HWND list = List();
        const std::string current = ListViewRows::CellText(list, row, 1);
        const auto found = std::find(available_.begin(), available_.end(), current);
        const int32_t selected =
            current.empty() || found == available_.end() ? -1 : static_cast<int32_t>(found - available_.begin());
        FieldsDialog dialog(available_, selected, options_.help);
        if (dialog.Run(Handle()) != IDOK) return;
        if (!dialog.ImportField() || dialog.Selected() < 0) {
            ListViewRows::SetCellText(list, row, 1, "");
            return;
        }
        const std::string& name = available_[static_cast<size_t>(dialog.Selected())];
        ListViewRows::SetCellText(list, row, 1, name);
        for (int other = 0; other < ListViewRows::RowCount(list); ++other) {
            if (other != row && ListViewRows::CellText(list, other, 1) == name) {
                ListViewRows::SetCellText(list, other, 1, "");
                break;
            }
        }
    }

    bool FinishImport() {
        HWND list = List();
        settings_.FieldMap.clear();
        size_t matches = 0;
        for (int row = 0; row < ListViewRows::RowCount(list); ++row) {
            std::string name = ListViewRows::CellText(list, row, 1);
            if (name.size() > kFieldNameLimit) name.resize(kFieldNameLimit);
            if (std::find(required_.begin(), required_.end(), name) != required_.end()) ++matches;
            settings_.FieldMap.push_back(std::move(name));
        }
        // Persons need a name or a company; tasks and appointments every
        // required field.
        const bool persons = options_.kind == ExchangeKind::kPersons;
        if (persons ? matches >= 1 : matches == required_.size()) return true;
        const char* message =
            persons ? "You must include a first name, last name, or company as a field to import."
            : options_.kind == ExchangeKind::kTasks
                ? "You must include a task as a field to import."
                : "You must include an appointment, date, start time, and end time as fields to "
                  "import.";
        Tell(Handle(), message, "Import Error", MB_ICONWARNING);
        return false;
    }

    bool FinishExport() {
        HWND list = List();
        settings_.FieldMap.clear();
        for (int row = 0; row < ListViewRows::RowCount(list); ++row) {
            if (ListView_GetCheckState(list, row))
                settings_.FieldMap.push_back(ListViewRows::CellText(list, row, 0));
        }
        if (!settings_.FieldMap.empty()) return true;
        Tell(Handle(), "You must check at least one field to export.", "Import Error", MB_ICONWARNING);
        return false;
    }

    std::vector<std::string> available_;
    std::vector<std::string> required_;
    Inputs builtFor_;
    bool built_ = false;
};

}  // namespace

bool ChooseExchangeFile(HWND owner, bool import, const std::string& current, std::string& chosen) {
    char path[MAX_PATH] = {};
    lstrcpynA(path, current.c_str(), MAX_PATH);
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    // Pairs of shown text and pattern, ended by an empty pair.
    dialog.lpstrFilter =
        "Comma Separated files (*.csv)\0*.csv\0Text Files (*.txt)\0*.txt\0All files (*.)\0*.*\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = "csv";
    dialog.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER;
    const BOOL picked = import ? GetOpenFileNameA(&dialog) : GetSaveFileNameA(&dialog);
    if (!picked) return false;
    chosen = path;
    return true;
}

bool ReadExchangeFile(const std::string& path, std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart >= 0 && size.QuadPart < 0x7fffffff;
    if (ok) {
        bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
        DWORD read = 0;
        ok = bytes.empty() ||
             (ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr) &&
              read == bytes.size());
    }
    CloseHandle(file);
    return ok;
}

bool ReadExchangeFirstLine(const std::string& path, std::string& line) {
    // The whole file: its encoding shows in any of its lines.
    std::string bytes;
    if (!ReadExchangeFile(path, bytes)) return false;
    line = FirstLineOf(bytes.data(), bytes.size(), PlatformExchangeLocale());
    return true;
}

bool RunExchangeWizard(HWND owner, ExchangeSettings& settings, const ExchangeWizardOptions& options) {
    DocumentPage document(settings, options);
    StructurePage structure(settings, options);
    FieldsPage fields(settings, options);
    ModalPropertySheet wizard(options.caption, {&document, &structure, &fields});
    wizard.SetWizard(true);
    return wizard.Run(owner) == IDOK;
}
