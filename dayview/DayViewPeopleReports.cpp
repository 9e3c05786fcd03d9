// The day view's part in the address book and the envelopes: the persons its
// phone book shows are offered in "Persons To Include", the ones picked
// become the report's, and Preview or Print there go on to the frame as its
// own commands.
#include "DayView.h"

#include <map>
#include <utility>

#include "PersonChooser.h"
#include "resource.h"

void DayView::ChoosePeopleReport(ReportKind kind) {
    // The items are greyed without persons; a key or a sent command does
    // nothing either.
    if (document_.persons.empty()) return;
    PersonChooser chooser(PersonsShownIn(document_.persons, mode_), HelpForEditors());
    if (chooser.Run(EditorOwner()) != IDOK) return;

    std::map<int32_t, Person>& chosen = chooser.Chosen();
    if (kind == ReportKind::kAddressBook) {
        reports_.addressBookPersons = std::move(chosen);
    } else {
        reports_.envelopePersons.clear();
        reports_.envelopePersons.reserve(chosen.size());
        for (auto& entry : chosen) reports_.envelopePersons.push_back(std::move(entry.second));
        // The owner and the phone book's pages as they are when the
        // envelopes are prepared, not as they are now.
        reports_.envelopeSender = [this] {
            return EnvelopeSender{document_.user, mode_ == PhoneBookMode::kYellowPages};
        };
    }
    reports_.kind = kind;

    HWND frame = GetParent(Handle());
    // An open preview shows the report chosen before: it closes first, so
    // that Preview shows and Print prints the persons just picked.
    if (chooser.PreviewRequested() || chooser.PrintRequested())
        SendMessageA(frame, WM_COMMAND, ID_PREVIEW_CLOSE, 0);
    if (chooser.PreviewRequested()) SendMessageA(frame, WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
    if (chooser.PrintRequested()) SendMessageA(frame, WM_COMMAND, ID_FILE_PRINT, 0);
}
