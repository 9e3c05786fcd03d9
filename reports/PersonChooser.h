// "Persons To Include" (dialog template 204): the persons the phone book
// shows, in a sorted list to pick some or all of, for the address book or
// the envelopes. OK, Preview and Print are enabled while something is
// picked; Preview and Print also close the dialog as OK does, and say which
// of them did, for the caller to preview or print at once.
//
// Use:
//  1. Construct it from PersonsShownIn(document's persons, phone book mode).
//  2. Run() it; on IDOK, Chosen() holds copies of the picked persons and
//     PreviewRequested() or PrintRequested() what is to follow.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>

#include "Collections.h"
#include "DayRows.h"
#include "Dialog.h"
#include "EditorHelp.h"

// The persons the phone book lists in `mode` (WhitePages or YellowPages
// is 1), copied and keyed by ID, so none is listed twice.
std::map<int32_t, Person> PersonsShownIn(const Persons& persons, PhoneBookMode mode);

// A person's item in the list: the display name kept with the person
// (RName), and the company in parentheses when there is one; trimmed.
std::string ChooserItemText(const Person& person);

class PersonChooser : public Dialog {
public:
    PersonChooser(std::map<int32_t, Person> candidates, EditorHelp help);

    // Modal, owned by `owner` and centred on it: IDOK or IDCANCEL (-1 when
    // it could not be shown).
    INT_PTR Run(HWND owner) { return DoModal(owner); }

    // After OK, the picked persons by ID; empty after Cancel.
    const std::map<int32_t, Person>& Chosen() const { return chosen_; }
    std::map<int32_t, Person>& Chosen() { return chosen_; }
    bool PreviewRequested() const { return previewRequested_; }
    bool PrintRequested() const { return printRequested_; }

protected:
    INT_PTR DialogMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    void OnOK() override;

private:
    void FillList();
    // OK, Preview and Print together.
    void EnableClosingButtons(bool enable);
    bool AnythingPicked() const;
    void OnSelectAll();
    void ShowHelpTopic();

    std::map<int32_t, Person> candidates_;
    std::map<int32_t, Person> chosen_;
    EditorHelp help_;
    bool previewRequested_ = false;
    bool printRequested_ = false;
};
