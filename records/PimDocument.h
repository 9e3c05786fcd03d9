// The one document of a run: the owner's details, the phone book, the task
// list and the appointment book, with the file path and the modified flag.
#pragma once

#include <string>
#include <vector>

#include "Collections.h"
#include "DateTime.h"
#include "Records.h"

// A window that shows the document and re-reads it after a change.
class PimDocumentView {
public:
    virtual ~PimDocumentView() = default;
    virtual void OnDocumentChanged() = 0;
};

class PimDocument {
public:
    PimDocument();
    virtual ~PimDocument() = default;

    PimDocument(const PimDocument&) = delete;
    PimDocument& operator=(const PimDocument&) = delete;

    void AttachView(PimDocumentView* view);
    void DetachView(PimDocumentView* view);

    bool IsModified() const { return modified_; }
    // Stores the flag; with `notify` every attached view refreshes.
    void SetModified(bool modified, bool notify);
    // Every attached view refreshes.
    void NotifyViews();

    const std::string& Path() const { return path_; }
    void SetPath(const std::string& path) { path_ = path; }

    // Empties every collection and the owner's details, clears the modified
    // flag and refreshes the views. The path and SelectedDate stay.
    void Clear();

    // Takes over the records and owner's details of `loaded` (a document
    // read aside, so that a failed open leaves this one untouched). The
    // path, SelectedDate, the modified flag and the views stay; `loaded` is
    // left empty. Does not refresh the views.
    void TakeContentFrom(PimDocument& loaded);

    Persons persons;
    Appointments appointments;
    Tasks tasks;
    User user;
    DateTime SelectedDate;  // the day picked in the calendar, at 00:00

private:
    std::vector<PimDocumentView*> views_;
    bool modified_ = false;
    std::string path_;
};
