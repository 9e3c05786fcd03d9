#include "FieldsDialog.h"

#include "Window.h"
#include "resource.h"

namespace {

const std::vector<HelpTopic>& FieldsHelpTopics() {
    static const std::vector<HelpTopic> topics = {
        {IDC_EXCHANGE_ASSIGN_FIELD, 1550},
        {IDC_EXCHANGE_ASSIGN_LABEL, 1550},
        {IDC_EXCHANGE_IMPORT_FIELD, 1551},
    };
    return topics;
}

}  // namespace

FieldsDialog::FieldsDialog(const std::vector<std::string>& fields, int32_t selected,
                           EditorHelp help)
    : Dialog(IDD_EXCHANGE_FIELDS_DIALOG),
      fields_(fields),
      selected_(selected),
      importField_(selected >= 0),
      help_(std::move(help)) {}

bool FieldsDialog::OnInitDialog() {
    HWND combo = Item(IDC_EXCHANGE_ASSIGN_FIELD);
    for (const std::string& field : fields_)
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(field.c_str()));
    const bool assigned = selected_ >= 0 && static_cast<size_t>(selected_) < fields_.size();
    SendMessageA(combo, CB_SETCURSEL, assigned ? selected_ : -1, 0);
    CheckDlgButton(Handle(), IDC_EXCHANGE_IMPORT_FIELD, assigned ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(Item(IDOK), assigned);
    CentreOverOwner(Handle());
    return true;
}

int32_t FieldsDialog::ChosenIndex() const {
    return static_cast<int32_t>(SendMessageA(Item(IDC_EXCHANGE_ASSIGN_FIELD), CB_GETCURSEL, 0, 0));
}

bool FieldsDialog::OnCommand(UINT id, UINT code, HWND control) {
    if (id == IDC_EXCHANGE_ASSIGN_FIELD && code == CBN_SELCHANGE) {
        // Choosing a field means importing it: OK with the box left unticked
        // would silently skip the column.
        const bool chosen = ChosenIndex() >= 0;
        EnableWindow(Item(IDOK), chosen);
        if (chosen) CheckDlgButton(Handle(), IDC_EXCHANGE_IMPORT_FIELD, BST_CHECKED);
        return true;
    }
    // Enter reaches the dialog as IDOK even while OK is disabled.
    if (id == IDOK && !IsWindowEnabled(Item(IDOK))) return true;
    return Dialog::OnCommand(id, code, control);
}

void FieldsDialog::OnOK() {
    selected_ = ChosenIndex();
    importField_ = IsDlgButtonChecked(Handle(), IDC_EXCHANGE_IMPORT_FIELD) == BST_CHECKED;
    End(IDOK);
}

INT_PTR FieldsDialog::DialogMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HELP) {
        ShowEditorHelp(help_, *reinterpret_cast<const HELPINFO*>(lParam), FieldsHelpTopics());
        return TRUE;
    }
    return Dialog::DialogMessage(message, wParam, lParam);
}
