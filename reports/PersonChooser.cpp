#include "PersonChooser.h"

#include <algorithm>
#include <vector>

#include "HelpLibrary.h"
#include "ReportLayout.h"
#include "Window.h"
#include "resource.h"

namespace {

const unsigned kDisplayTopic = 0;  // HH_DISPLAY_TOPIC

const std::vector<HelpTopic>& PersonChooserHelpTopics() {
    static const std::vector<HelpTopic> topics = {
        {IDC_PERSONS_LIST, 1600},   {IDC_PERSONS_SELECT_ALL, 1005}, {IDOK, 1000},
        {IDCANCEL, 1001},           {IDC_PERSONS_HELP, 1002},       {IDC_PERSONS_PREVIEW, 1004},
        {IDC_PERSONS_PRINT, 1003},
    };
    return topics;
}

// Drawing is off while thousands of items go in, and on again afterwards.
class ListFilling {
public:
    explicit ListFilling(HWND list) : list_(list) { SendMessageA(list_, WM_SETREDRAW, FALSE, 0); }
    ~ListFilling() {
        SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, TRUE);
    }
    ListFilling(const ListFilling&) = delete;
    ListFilling& operator=(const ListFilling&) = delete;

private:
    HWND list_;
};

}  // namespace

std::map<int32_t, Person> PersonsShownIn(const Persons& persons, PhoneBookMode mode) {
    std::map<int32_t, Person> shown;
    for (const auto& entry : persons) {
        const Person& person = entry.second;
        const bool listed = mode == PhoneBookMode::kYellowPages ? person.YellowPages == 1
                                                                : person.WhitePages == 1;
        if (listed) shown.emplace_hint(shown.end(), entry.first, person);
    }
    return shown;
}

std::string ChooserItemText(const Person& person) {
    std::string text = person.RName;
    if (!person.Company.empty()) text += " (" + person.Company + ")";
    return TrimBoth(text);
}

PersonChooser::PersonChooser(std::map<int32_t, Person> candidates, EditorHelp help)
    : Dialog(IDD_PERSONS_TO_INCLUDE), candidates_(std::move(candidates)), help_(std::move(help)) {}

INT_PTR PersonChooser::DialogMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HELP) {
        const auto* request = reinterpret_cast<const HELPINFO*>(lParam);
        if (request) ShowEditorHelp(help_, *request, PersonChooserHelpTopics());
        SetResult(TRUE);
        return TRUE;
    }
    return Dialog::DialogMessage(message, wParam, lParam);
}

bool PersonChooser::OnInitDialog() {
    chosen_.clear();
    previewRequested_ = printRequested_ = false;
    FillList();
    CheckDlgButton(Handle(), IDC_PERSONS_SELECT_ALL, BST_UNCHECKED);
    EnableClosingButtons(false);
    CentreOverOwner(Handle());
    return true;
}

// The list keeps the items in its own alphabetical order; each item's data
// is its person's ID.
void PersonChooser::FillList() {
    HWND list = Item(IDC_PERSONS_LIST);
    ListFilling filling(list);
    SendMessageA(list, LB_INITSTORAGE, candidates_.size(), candidates_.size() * 32);
    for (const auto& entry : candidates_) {
        const std::string text = ChooserItemText(entry.second);
        const LRESULT index = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (index >= 0) SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(index), entry.first);
    }
}

bool PersonChooser::OnCommand(UINT id, UINT code, HWND control) {
    switch (id) {
    case IDC_PERSONS_LIST:
        // The check box stays as it is when the user picks by hand.
        if (code == LBN_SELCHANGE) EnableClosingButtons(AnythingPicked());
        return true;
    case IDC_PERSONS_SELECT_ALL:
        if (code == BN_CLICKED) OnSelectAll();
        return true;
    case IDC_PERSONS_HELP:
        if (code == BN_CLICKED) ShowHelpTopic();
        return true;
    case IDC_PERSONS_PREVIEW:
    case IDC_PERSONS_PRINT:
        if (code != BN_CLICKED || !IsWindowEnabled(Item(static_cast<int>(id)))) return true;
        if (id == IDC_PERSONS_PREVIEW)
            previewRequested_ = true;
        else
            printRequested_ = true;
        OnOK();
        return true;
    case IDOK:
        // Enter reaches the dialog as IDOK even while OK is disabled.
        if (!IsWindowEnabled(Item(IDOK))) return true;
        break;
    }
    return Dialog::OnCommand(id, code, control);
}

// The picked persons in the list's order; the candidates are done with.
void PersonChooser::OnOK() {
    HWND list = Item(IDC_PERSONS_LIST);
    const LRESULT count = SendMessageA(list, LB_GETSELCOUNT, 0, 0);
    std::vector<int> picked(static_cast<size_t>(std::max<LRESULT>(count, 0)));
    if (!picked.empty())
        SendMessageA(list, LB_GETSELITEMS, picked.size(), reinterpret_cast<LPARAM>(picked.data()));
    chosen_.clear();
    for (int index : picked) {
        const auto id = static_cast<int32_t>(SendMessageA(list, LB_GETITEMDATA, index, 0));
        auto candidate = candidates_.find(id);
        if (candidate != candidates_.end()) chosen_.emplace(id, std::move(candidate->second));
    }
    End(IDOK);
}

void PersonChooser::EnableClosingButtons(bool enable) {
    for (int id : {IDOK, IDC_PERSONS_PREVIEW, IDC_PERSONS_PRINT}) EnableWindow(Item(id), enable);
}

bool PersonChooser::AnythingPicked() const {
    return SendMessageA(Item(IDC_PERSONS_LIST), LB_GETSELCOUNT, 0, 0) > 0;
}

// Checked: everything is picked, and the buttons go on even for an empty
// list. Unchecked: nothing is, and they go off.
void PersonChooser::OnSelectAll() {
    const bool all = IsDlgButtonChecked(Handle(), IDC_PERSONS_SELECT_ALL) == BST_CHECKED;
    SendMessageA(Item(IDC_PERSONS_LIST), LB_SETSEL, all ? TRUE : FALSE, -1);
    EnableClosingButtons(all || AnythingPicked());
}

void PersonChooser::ShowHelpTopic() {
    if (!help_.library) return;
    const std::string topic =
        help_.directory + "\\" + help_.fileName + "::/html/dlgpraddr.htm>topic";
    help_.library->Show(Handle(), topic.c_str(), kDisplayTopic, 0);
}
