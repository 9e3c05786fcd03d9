// The "Fields" dialog: assigns one of the record's fields to a column of an
// imported file, or tells the import to skip the column.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Dialog.h"
#include "EditorHelp.h"

class FieldsDialog : public Dialog {
public:
    // Offers `fields`; `selected` is the field assigned so far (-1 none),
    // which also checks "Import this field". Read both after OK.
    FieldsDialog(const std::vector<std::string>& fields, int32_t selected, EditorHelp help);

    INT_PTR Run(HWND owner) { return DoModal(owner); }

    int32_t Selected() const { return selected_; }
    bool ImportField() const { return importField_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    void OnOK() override;
    INT_PTR DialogMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int32_t ChosenIndex() const;

    const std::vector<std::string>& fields_;
    int32_t selected_;
    bool importField_;
    EditorHelp help_;
};
