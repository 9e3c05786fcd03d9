#include "PimDocument.h"

#include <algorithm>

PimDocument::PimDocument() : SelectedDate(DateTime::Today()) {}

void PimDocument::AttachView(PimDocumentView* view) {
    if (std::find(views_.begin(), views_.end(), view) == views_.end()) views_.push_back(view);
}

void PimDocument::DetachView(PimDocumentView* view) {
    views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end());
}

void PimDocument::SetModified(bool modified, bool notify) {
    modified_ = modified;
    if (notify) NotifyViews();
}

void PimDocument::NotifyViews() {
    // A view may detach itself while refreshing; walk a copy.
    std::vector<PimDocumentView*> views = views_;
    for (PimDocumentView* view : views) view->OnDocumentChanged();
}

void PimDocument::Clear() {
    persons.Clear();
    appointments.Clear();
    tasks.Clear();
    user = User();
    SetModified(false, true);
}

void PimDocument::TakeContentFrom(PimDocument& loaded) {
    persons = std::move(loaded.persons);
    appointments = std::move(loaded.appointments);
    tasks = std::move(loaded.tasks);
    user = std::move(loaded.user);
    loaded.persons.Clear();
    loaded.appointments.Clear();
    loaded.tasks.Clear();
    loaded.user = User();
}
