// The day view's Add and Edit commands, and Del in its lists: each fills an editor's data from the
// document (or from defaults), runs the editor and, on OK, stores the result
// and marks the document modified, which refills the lists.
#include "DayView.h"

#include <string>

#include "AppointmentEditor.h"
#include "PersonSheet.h"
#include "TaskEditor.h"
#include "resource.h"

namespace {

const char kReplaceQuestion[] =
    "You already have an appointment scheduled for this time. Do you want to replace it?";
const char kReplaceTitle[] = "Replace Appointment?";

// The day planner's rows: quarter hours from 05:00.
const int kFirstRowMinutes = 5 * 60;
const int kRowMinutes = 15;

DateSpan Minutes(int minutes) { return DateSpan::FromParts(0, 0, minutes, 0); }

// A collection whose last ID is the largest there is (a file may carry it)
// takes no new record. Said before the editor opens, so nothing is typed in
// vain and an appointment that would have been replaced stays. True when
// the user was told.
bool ToldNoIDLeft(HWND owner, bool hasIDLeft, const std::string& records, const char* caption) {
    if (hasIDLeft) return false;
    const std::string text =
        "This document has no room for more " + records +
        ": each one gets a number of its own that is never used again, and every number has been used. "
        "Compact does not free numbers. To add " + records + ", start a new document, or export the " +
        records + " and import them into a new one.";
    MessageBoxA(owner, text.c_str(), caption, MB_OK | MB_ICONERROR);
    return true;
}

}  // namespace

EditorHelp DayView::HelpForEditors() const { return EditorHelp{help_, helpDirectory_, helpFileName_}; }

// Editors belong to the window the user is working in; the form's own
// top-level window when nothing of this thread is active.
HWND DayView::EditorOwner() const {
    HWND active = GetActiveWindow();
    return active ? active : GetAncestor(Handle(), GA_ROOT);
}

// --- Tasks ------------------------------------------------------------------------

void DayView::AddTask() {
    if (ToldNoIDLeft(Handle(), document_.tasks.HasIDLeft(), "tasks", "Add Task")) return;
    TaskEditorData data;
    data.caption = "Add Task";
    data.priority = kPriorityHigh;
    data.dueDate = CalendarDay();
    TaskEditor editor(data, HelpForEditors());
    if (editor.Run(EditorOwner()) != IDOK) return;

    Task task;
    task.DueDate = data.dueDate.DatePart();
    task.Priority = data.priority;
    task.Description = data.text;
    task.ID = document_.tasks.IssueID();
    document_.tasks.Insert(task.ID, task);
    document_.SetModified(true, true);
}

void DayView::EditTask() {
    const int32_t id = selection_.task.id;
    const Task* stored = TaskSelected() ? document_.tasks.Find(id) : nullptr;
    if (!stored) return;
    TaskEditorData data;
    data.caption = "Edit Task";
    data.text = stored->Description;
    data.priority = stored->Priority;
    data.dueDate = stored->DueDate;
    TaskEditor editor(data, HelpForEditors());
    if (editor.Run(EditorOwner()) != IDOK) return;

    // The editor is modal, but look the task up again rather than trust a
    // pointer across the dialog's message loop.
    Task* task = document_.tasks.Find(id);
    if (!task) return;
    task->DueDate = data.dueDate.DatePart();
    task->Priority = data.priority;
    task->Description = data.text;
    document_.SetModified(true, true);
}

// --- Appointments -----------------------------------------------------------------

void DayView::AddAppointment() {
    if (ToldNoIDLeft(Handle(), document_.appointments.HasIDLeft(), "appointments", "Add Appointment"))
        return;
    // Only what the user sees can be replaced: the appointment shown now on
    // the row clicked last. It goes when OK stores the new one, not before.
    const bool replacing = selection_.ShowsPickedAppointment(timeSlots_, document_.appointments);
    const int32_t replaced = selection_.slot.id;
    if (replacing &&
        MessageBoxA(Handle(), kReplaceQuestion, kReplaceTitle, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    AppointmentEditorData data;
    data.caption = "Add Appointment";
    data.date = CalendarDay();
    const int row = selection_.slot.row > 0 ? selection_.slot.row : 0;
    data.begin = data.date + Minutes(kFirstRowMinutes + kRowMinutes * row);
    data.end = data.begin + Minutes(kRowMinutes);
    data.alarmTime = data.begin;
    AppointmentEditor editor(data, HelpForEditors());
    if (editor.Run(EditorOwner()) != IDOK) return;

    Appointment appointment;
    appointment.Description = data.text;
    appointment.DueDate = data.date;
    appointment.StartTime = data.begin;
    appointment.EndTime = data.end;
    appointment.Alarm = data.alarm;
    appointment.AlarmTime = data.alarmTime;
    appointment.Done = data.done;
    // The new one is stored before the old one goes, so a failure keeps the old.
    appointment.ID = document_.appointments.IssueID();
    if (!document_.appointments.Insert(appointment.ID, appointment)) return;
    if (replacing) document_.appointments.Erase(replaced);
    document_.SetModified(true, true);
    FillTimeSlots();
}

void DayView::EditAppointment() {
    const int32_t id = selection_.slot.id;
    const Appointment* stored = AppointmentSelected() ? document_.appointments.Find(id) : nullptr;
    if (!stored) return;
    AppointmentEditorData data;
    data.caption = "Edit Appointment";
    data.text = stored->Description;
    data.alarm = stored->Alarm;
    data.done = stored->Done;
    data.date = stored->DueDate;
    data.begin = stored->StartTime;
    data.end = stored->EndTime;
    data.alarmTime = stored->AlarmTime;
    AppointmentEditor editor(data, HelpForEditors());
    if (editor.Run(EditorOwner()) != IDOK) return;

    Appointment* appointment = document_.appointments.Find(id);
    if (!appointment) return;
    appointment->Alarm = data.alarm;
    appointment->Done = data.done;
    appointment->AlarmTime = data.alarmTime;
    appointment->DueDate = data.date;
    appointment->StartTime = data.begin;
    appointment->EndTime = data.end;
    appointment->Description = data.text;
    document_.SetModified(true, true);
    FillTimeSlots();
}

// --- Persons and the owner --------------------------------------------------------

// Storing a person marks the document modified with notification, and the
// notification refills the phone list with the others.
void DayView::AddPerson() {
    if (ToldNoIDLeft(Handle(), document_.persons.HasIDLeft(), "persons", "Add Person")) return;
    PersonPageData pages;
    if (RunPersonSheet(EditorOwner(), "Add Person", pages, HelpForEditors()) != IDOK) return;
    Person person;
    CopyPersonPages(pages, person);
    person.ID = document_.persons.IssueID();
    document_.persons.Insert(person.ID, person);
    document_.SetModified(true, true);
}

void DayView::EditPerson() {
    const int32_t id = selection_.person.id;
    const Person* stored = PersonSelected() ? document_.persons.Find(id) : nullptr;
    if (!stored) return;
    PersonPageData pages = PersonPagesFrom(*stored);
    if (RunPersonSheet(EditorOwner(), "Edit Person", pages, HelpForEditors()) != IDOK) return;
    Person* person = document_.persons.Find(id);
    if (!person) return;
    CopyPersonPages(pages, *person);
    document_.SetModified(true, true);
}

void DayView::EditUser() {
    UserPageData pages = UserPagesFrom(document_.user);
    if (RunUserSheet(EditorOwner(), pages, HelpForEditors()) != IDOK) return;
    CopyUserPages(pages, document_.user);
    document_.SetModified(true, true);
}

// Del in a list deletes the record picked there, as the menu's Delete does.
// A key is pressed by mistake more easily than a menu item is chosen, so
// the record is named and the user asked first.
void DayView::OnDeleteKey(int listId) {
    UINT command = 0;
    std::string question;
    if (listId == IDC_DAY_TASK_LIST) {
        command = ID_TASK_DELETE;
        if (const Task* task = document_.tasks.Find(selection_.task.id))
            question = "Delete the task \"" + std::string(task->Description.view()) + "\"?";
    } else if (listId == IDC_DAY_PHONE_LIST) {
        command = ID_PERSON_DELETE;
        if (const Person* person = document_.persons.Find(selection_.person.id))
            question = "Delete " + std::string(person->RName.view()) + " from the phone book?";
    } else if (listId == IDC_DAY_TIME_SLOT_LIST) {
        command = ID_APPOINTMENT_DELETE;
        if (const Appointment* appointment = document_.appointments.Find(selection_.slot.id))
            question = "Delete the appointment \"" + std::string(appointment->Description.view()) + "\"?";
    }
    if (question.empty() || !CommandEnabled(command)) return;
    if (MessageBoxA(Handle(), question.c_str(), "Vantrel!", MB_YESNO | MB_ICONQUESTION) == IDYES)
        OnCommand(command, 0, nullptr);
}
