// The contact panel's buttons.
#include "DayView.h"

#include <string>

#include "ContactActions.h"
#include "WindowText.h"
#include "resource.h"

// The dial buttons call the stored number (the work phone without the
// extension the button shows); the e-mail and web buttons open what they
// read. Nothing happens while no person is current.
void DayView::OnContactButton(UINT id) {
    if (!selection_.person.hasRecord) return;
    HWND button = Item(static_cast<int>(id));
    if (id == IDC_DAY_EMAIL || id == IDC_DAY_WEB_PAGE) {
        if (!IsWindowEnabled(button)) return;
        const std::string target = WindowText(button);
        if (id == IDC_DAY_EMAIL)
            OpenMailTo(Handle(), target, shellOpen_);
        else
            OpenWebPage(Handle(), target, shellOpen_);
        return;
    }
    const Person* person = document_.persons.Find(selection_.person.id);
    if (!person) return;
    const Text* number = nullptr;
    switch (id) {
    case IDC_DAY_HOME_PHONE: number = &person->HmPhone; break;
    case IDC_DAY_WORK_PHONE: number = &person->WkPhone; break;
    case IDC_DAY_PAGER: number = &person->Pager; break;
    case IDC_DAY_CELL_PHONE: number = &person->CelPhone; break;
    default: return;
    }
    if (number->empty()) return;
    // The call may show a message box; the person is copied out first.
    const std::string destination = *number;
    telephony_.Dial(Handle(), destination);
}
