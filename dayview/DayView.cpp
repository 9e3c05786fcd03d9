#include "DayView.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <string>
#include <vector>

#include "DateText.h"
#include "AlarmSoundSetting.h"
#include "DayViewImages.h"
#include "Dpi.h"
#include "ListViewRows.h"
#include "PhoneListOrder.h"
#include "StorableDays.h"
#include "resource.h"

using ListViewRows::CellText;
using ListViewRows::ItemValue;
using ListViewRows::RowCount;

namespace {

const char kNotAvailable[] = "Not Available";

// A control of the contact panel and the person's field it shows.
struct ContactField {
    int control;
    const Text Person::*field;
};

std::string TimeText(const DateTime& time) {
    return DateText::FormatTime(time, LOCALE_USER_DEFAULT, TIME_NOSECONDS);
}

std::string LongDateText(const DateTime& day) {
    return DateText::FormatDate(day, LOCALE_USER_DEFAULT, DATE_LONGDATE);
}

std::string ShortDateText(const DateTime& day) {
    return DateText::FormatDate(day, LOCALE_USER_DEFAULT, DATE_SHORTDATE);
}

// The day planner covers 05:00 to 23:00 of the day shown.
DateTime FirstSlotTimeOf(const DateTime& day) {
    return day + DateSpan::FromParts(0, 5, 0, 0);
}
DateTime LastSlotTimeOf(const DateTime& day) {
    return day + DateSpan::FromParts(0, 23, 0, 0);
}

int ListClientWidth(HWND list) {
    RECT client = {};
    GetClientRect(list, &client);
    return client.right - client.left;
}

}  // namespace

DayView::DayView(PimDocument& document) : Dialog(IDD_DAY_VIEW), document_(document) {}

DayView::~DayView() { document_.DetachView(this); }

HWND DayView::Create(HWND frame) {
    HWND window = Dialog::Create(frame);
    // A document opened before the view existed shows at once.
    if (window) RefreshLists();
    return window;
}

bool DayView::OnInitDialog() {
    calendar_ = Item(IDC_DAY_CALENDAR);
    phoneList_ = Item(IDC_DAY_PHONE_LIST);
    taskList_ = Item(IDC_DAY_TASK_LIST);
    timeSlotList_ = Item(IDC_DAY_TIME_SLOT_LIST);
    dateCaption_ = Item(IDC_DAY_DATE_CAPTION);

    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    SendMessageA(calendar_, MCM_SETCOLOR, MCSC_BACKGROUND, face);
    SendMessageA(calendar_, MCM_SETCOLOR, MCSC_MONTHBK, face);
    // Only days the file can hold in this time zone: it stores dates as
    // 32-bit Unix times.
    SYSTEMTIME range[2] = {};
    StorableDayLimits(range);
    SendMessageA(calendar_, MCM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(range));

    timeSlotDrawing_.SetDpi(WindowDpi(Handle()));
    SetListImages(timeSlotDrawing_.Dpi());

    CheckRadioButton(Handle(), IDC_DAY_WHITE_PAGES, IDC_DAY_YELLOW_PAGES, IDC_DAY_WHITE_PAGES);
    mode_ = PhoneBookMode::kWhitePages;

    CreateColumns();
    const DateTime day = document_.SelectedDate;
    timeSlots_.SetSlotTimes(FirstSlotTimeOf(day), LastSlotTimeOf(day));
    timeSlots_.CreateRows();
    if (RowCount(timeSlotList_) == 0) {
        ListViewRows::DrawingSuspended suspended(timeSlotList_);
        for (size_t row = 0; row < timeSlots_.size(); ++row) {
            ListViewRows::InsertRow(timeSlotList_, static_cast<int>(row),
                                    TimeText(timeSlots_[row].time), 0);
        }
    }

    SetWindowTextA(dateCaption_, LongDateText(day).c_str());
    selection_ = DayViewSelection();
    ShowContact(-1);
    SetTimer(Handle(), kMinuteTimer, kMinuteTimerPeriod, nullptr);
    if (!LoadAlarmSound(alarmSoundFile_)) alarmSoundFile_ = kDefaultAlarmSound;
    layout_.Record(Handle());
    // The list asks its form for the row height again when its position
    // changes; by now the form can answer.
    SetWindowPos(timeSlotList_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    // The lists get their rows from the document's first notification.
    return false;
}

void DayView::CreateColumns() {
    const DWORD fullRow = LVS_EX_FULLROWSELECT;
    SendMessageA(phoneList_, LVM_SETEXTENDEDLISTVIEWSTYLE, fullRow, fullRow);
    SendMessageA(taskList_, LVM_SETEXTENDEDLISTVIEWSTYLE, fullRow, fullRow);

    const int phoneWidth = ListClientWidth(phoneList_);
    const int nameWidth = phoneWidth / 2;
    ListViewRows::AddColumn(phoneList_, 0, "Name", nameWidth);
    ListViewRows::AddColumn(phoneList_, 1, "Company", phoneWidth - nameWidth);

    const int taskWidth = ListClientWidth(taskList_);
    const int descriptionWidth = (taskWidth / 6) * 4;
    ListViewRows::AddColumn(taskList_, 0, "Task", descriptionWidth);
    ListViewRows::AddColumn(taskList_, 1, "Original Due Date", taskWidth - descriptionWidth);

    // The time column holds the widest time the user's format gives; the
    // appointment column leaves room for the scroll bar the 73 rows bring.
    const int slotWidth = ListClientWidth(timeSlotList_);
    const int timeWidth = static_cast<int>(SendMessageA(
        timeSlotList_, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(" 00:00 AM ")));
    ListViewRows::AddColumn(timeSlotList_, 0, "Time", timeWidth);
    ListViewRows::AddColumn(timeSlotList_, 1, "Appointment",
                            slotWidth - timeWidth - GetSystemMetrics(SM_CXVSCROLL), LVCFMT_CENTER);
}

void DayView::FitColumns() {
    const int phoneWidth = ListClientWidth(phoneList_);
    SendMessageA(phoneList_, LVM_SETCOLUMNWIDTH, 0, phoneWidth / 2);
    SendMessageA(phoneList_, LVM_SETCOLUMNWIDTH, 1, phoneWidth - phoneWidth / 2);

    const int slotWidth = ListClientWidth(timeSlotList_);
    const int timeWidth = static_cast<int>(SendMessageA(timeSlotList_, LVM_GETCOLUMNWIDTH, 0, 0));
    SendMessageA(timeSlotList_, LVM_SETCOLUMNWIDTH, 1, slotWidth - timeWidth);

    const int taskWidth = ListClientWidth(taskList_);
    const int descriptionWidth = (taskWidth / 6) * 4;
    SendMessageA(taskList_, LVM_SETCOLUMNWIDTH, 0, descriptionWidth);
    SendMessageA(taskList_, LVM_SETCOLUMNWIDTH, 1, taskWidth - descriptionWidth);
}

void DayView::OnSize(int width, int height) {
    if (!layout_.Recorded()) return;
    layout_.Apply(Handle(), width, height);
    FitColumns();
    RedrawWindow(Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

UINT DayView::TimeSlotRowHeight() const {
    // The mark and the bottom line.
    UINT height = static_cast<UINT>(DayViewImages::AlarmSize(timeSlotDrawing_.Dpi()).cy + 1);
    HDC dc = GetDC(timeSlotList_);
    if (!dc) return height;
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(timeSlotList_, WM_GETFONT, 0, 0));
    HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
    TEXTMETRICA metrics = {};
    if (GetTextMetricsA(dc, &metrics)) height = std::max(height, static_cast<UINT>(metrics.tmHeight + 2));
    if (previous) SelectObject(dc, previous);
    ReleaseDC(timeSlotList_, dc);
    return height;
}

INT_PTR DayView::DialogMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (wParam != IDC_DAY_TIME_SLOT_LIST || !item || item->CtlType != ODT_LISTVIEW) break;
        timeSlotDrawing_.DrawRow(*item, timeSlots_);
        SetResult(TRUE);  // what the sender of WM_DRAWITEM receives
        return TRUE;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (!item || item->CtlType != ODT_LISTVIEW || item->CtlID != IDC_DAY_TIME_SLOT_LIST ||
            !timeSlotList_)
            break;
        item->itemHeight = TimeSlotRowHeight();
        SetResult(TRUE);
        return TRUE;
    }
    case WM_SIZE:
        OnSize(LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_CONTEXTMENU: {
        HWND list = reinterpret_cast<HWND>(wParam);
        if (list != phoneList_ && list != taskList_ && list != timeSlotList_) break;
        // From the keyboard (Shift+F10, the menu key) there is no position:
        // both coordinates read -1. The whole lParam is not compared with -1,
        // as in a 64-bit build it then holds 0xFFFFFFFF.
        const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ShowContextMenu(list, point, point.x == -1 && point.y == -1);
        return TRUE;
    }
    case WM_HELP: {
        const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
        if (info && info->iContextType == HELPINFO_WINDOW) ShowHelpFor(info->iCtrlId);
        SetResult(TRUE);
        return TRUE;
    }
    case WM_LBUTTONUP: {
        const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (helpMode_) {
            OnLeftButtonUp(point);
            return TRUE;
        }
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        break;
    }
    case WM_TIMER:
        if (wParam != kMinuteTimer) break;
        OnMinuteTick();
        return TRUE;
    case WM_DESTROY:
        KillTimer(Handle(), kMinuteTimer);
        break;
    }
    return Dialog::DialogMessage(message, wParam, lParam);
}

DateTime DayView::CalendarDay() const {
    SYSTEMTIME picked = {};
    if (!calendar_ || !SendMessageA(calendar_, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&picked)))
        return document_.SelectedDate;
    return DateTime::FromFields(picked.wYear, picked.wMonth, picked.wDay, 0, 0, 0);
}

void DayView::RefreshLists() {
    if (!Handle()) return;
    FillPhoneBook();
    FillTasks();
    FillTimeSlots();
}

void DayView::FillPhoneBook() {
    if (!phoneList_) return;
    const std::vector<int32_t> byName = PersonsByName(document_.persons);
    whitePages_ = PhoneBookOrder(document_.persons, PhoneBookMode::kWhitePages, byName);
    yellowPages_ = PhoneBookOrder(document_.persons, PhoneBookMode::kYellowPages, byName);
    pagedPersons_ = document_.persons.size();
    ShowPhoneBook();
}

void DayView::ShowPhoneBook() {
    phoneRows_ = mode_ == PhoneBookMode::kWhitePages ? whitePages_ : yellowPages_;
    {
        ListViewRows::DrawingSuspended suspended(phoneList_);
        ListViewRows::SetVirtualRows(phoneList_, phoneRows_.size());
    }
    // The rows are new: no person is picked, though the row number stays.
    selection_.person = ListPick::NoRecord(selection_.person.row);
    ShowContact(-1);
}

void DayView::FillTasks() {
    if (!taskList_) return;
    taskRows_.clear();
    if (!document_.tasks.empty())
        taskRows_ = TaskRows(document_.tasks, CalendarDay(), DateTime::Today());
    ListViewRows::DrawingSuspended suspended(taskList_);
    ListViewRows::SetVirtualRows(taskList_, taskRows_.size());
}

int32_t DayView::PersonIDOfRow(int row) const {
    return row >= 0 && static_cast<size_t>(row) < phoneRows_.size()
               ? phoneRows_[static_cast<size_t>(row)]
               : 0;
}

int32_t DayView::TaskIDOfRow(int row) const {
    return row >= 0 && static_cast<size_t>(row) < taskRows_.size()
               ? taskRows_[static_cast<size_t>(row)].taskID
               : 0;
}

void DayView::AnswerPhoneRow(NMHDR* header) const {
    // Both forms of the request share the item's layout up to the text.
    const LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(header)->item;
    // A person is looked up only for the rows the list shows; a row whose
    // person is gone shows nothing until the refill that follows.
    const Person* person = document_.persons.Find(PersonIDOfRow(item.iItem));
    ListViewRows::AnswerText(header, !person ? std::string_view()
                                     : item.iSubItem == 1 ? person->Company.view()
                                                          : person->RName.view());
}

void DayView::AnswerTaskRow(NMHDR* header) const {
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(header)->item;
    if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= taskRows_.size()) {
        ListViewRows::AnswerText(header, std::string());
        return;
    }
    const TaskRow& row = taskRows_[static_cast<size_t>(item.iItem)];
    if (item.mask & LVIF_IMAGE) item.iImage = item.iSubItem == 0 ? row.priority : -1;
    // The due date is put into words only for the rows the list shows.
    ListViewRows::AnswerText(header,
                             item.iSubItem == 1 ? ShortDateText(row.dueDate) : row.description);
}

void DayView::FillTimeSlots() {
    if (!timeSlotList_) return;
    timeSlots_.FillTimeSlots(document_.appointments, CalendarDay());
    ListViewRows::DrawingSuspended suspended(timeSlotList_);
    const int rows = std::min(RowCount(timeSlotList_), static_cast<int>(timeSlots_.size()));
    for (int row = 0; row < rows; ++row) {
        const TimeSlotRows::Row& slot = timeSlots_[static_cast<size_t>(row)];
        if (ItemValue(timeSlotList_, row) == slot.appointmentID &&
            CellText(timeSlotList_, row, 1) == slot.description)
            continue;
        ListViewRows::SetCellText(timeSlotList_, row, 1, slot.description);
        ListViewRows::SetItemValue(timeSlotList_, row, slot.appointmentID);
    }
}

void DayView::ShowContact(int32_t personID) {
    static const ContactField kFields[] = {
        {IDC_DAY_HOME_PHONE, &Person::HmPhone}, {IDC_DAY_WORK_PHONE, &Person::WkPhone},
        {IDC_DAY_PAGER, &Person::Pager},        {IDC_DAY_CELL_PHONE, &Person::CelPhone},
        {IDC_DAY_EMAIL, &Person::EMail},        {IDC_DAY_FAX, &Person::Fax},
        {IDC_DAY_WEB_PAGE, &Person::WebPage},
    };
    const Person* person = personID == -1 ? nullptr : document_.persons.Find(personID);
    for (const ContactField& entry : kFields) {
        const std::string value = person ? (person->*entry.field).str() : std::string();
        std::string text = value.empty() ? kNotAvailable : value;
        // The extension follows the work phone only when there is a work phone.
        if (person && entry.control == IDC_DAY_WORK_PHONE && !value.empty() &&
            !person->WkExt.empty())
            text = value + "x" + person->WkExt;
        SetWindowTextA(Item(entry.control), text.c_str());
        EnableWindow(Item(entry.control), !value.empty());
    }
}

void DayView::OnCalendarSelection() {
    const DateTime day = CalendarDay();
    selection_.active = ActiveControl::kCalendar;
    document_.SelectedDate = day;
    SetWindowTextA(dateCaption_, LongDateText(day).c_str());
    timeSlots_.SetSlotTimes(FirstSlotTimeOf(day), LastSlotTimeOf(day));
    FillTasks();
    FillTimeSlots();
}

void DayView::SetPhoneBookMode(PhoneBookMode mode) {
    if (mode == mode_) return;
    mode_ = mode;
    // Both pages' rows serve while the document stays as it is.
    if (pagedPersons_ == document_.persons.size()) ShowPhoneBook();
    else FillPhoneBook();
}

bool DayView::CommandEnabled(UINT id) const {
    switch (RecordCommandActsOn(id)) {
    case PickedRecord::kPerson: return PersonSelected();
    case PickedRecord::kTask: return TaskSelected();
    case PickedRecord::kAppointment: return AppointmentSelected();
    case PickedRecord::kNone: break;
    }
    return true;
}

// --- Clicks -------------------------------------------------------------------------

ListPick DayView::PickPersonRow(int row) const {
    return row == -1 ? ListPick::NoRecord(-1) : ListPick::Record(row, PersonIDOfRow(row));
}

ListPick DayView::PickTaskRow(int row) const {
    return row == -1 ? ListPick::NoRecord(-1) : ListPick::Record(row, TaskIDOfRow(row));
}

// A planner row picks its appointment only when it shows one.
ListPick DayView::PickSlotRow(int row) const {
    if (row < 0 || static_cast<size_t>(row) >= timeSlots_.size()) return ListPick::NoRecord(row);
    const TimeSlotRows::Row& slot = timeSlots_[static_cast<size_t>(row)];
    if (slot.description.empty()) return ListPick::NoRecord(row);
    return ListPick::Record(row, slot.appointmentID);
}

void DayView::OnPhoneListClick(POINT point) {
    selection_.person = PickPersonRow(ListViewRows::RowAt(phoneList_, point));
    // Off the rows, the panel keeps the last person's numbers.
    if (selection_.person.hasRecord) ShowContact(selection_.person.id);
    selection_.active = ActiveControl::kPhoneList;
}

void DayView::OnPhoneListDoubleClick() {
    selection_.active = ActiveControl::kPhoneList;
    if (selection_.person.row != -1) SendMessageA(Handle(), WM_COMMAND, ID_PERSON_EDIT, 0);
}

void DayView::OnTaskListClick(POINT point, bool complete) {
    selection_.task = PickTaskRow(ListViewRows::RowAt(taskList_, point));
    selection_.active = ActiveControl::kTaskList;
    if (complete && TaskSelected()) CompleteTask();
}

// The day planner follows its own selection rather than the click position.
void DayView::OnTimeSlotListClick() {
    selection_.slot = PickSlotRow(static_cast<int>(
        SendMessageA(timeSlotList_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)));
    selection_.active = ActiveControl::kTimeSlotList;
}

bool DayView::OnNotify(NMHDR* header, LRESULT& result) {
    result = 0;
    switch (header->idFrom) {
    case IDC_DAY_CALENDAR:
        if (header->code == MCN_SELCHANGE || header->code == MCN_SELECT) {
            OnCalendarSelection();
            return true;
        }
        return false;
    case IDC_DAY_PHONE_LIST:
    case IDC_DAY_TASK_LIST:
    case IDC_DAY_TIME_SLOT_LIST:
        break;
    default:
        return false;
    }
    if (header->code == LVN_DELETEALLITEMS) {
        // Nothing hangs on a row, so the lists need not report each one.
        result = TRUE;
        return true;
    }
    if (header->code == LVN_GETDISPINFOA || header->code == LVN_GETDISPINFOW) {
        if (header->idFrom == IDC_DAY_PHONE_LIST) AnswerPhoneRow(header);
        else if (header->idFrom == IDC_DAY_TASK_LIST) AnswerTaskRow(header);
        return header->idFrom != IDC_DAY_TIME_SLOT_LIST;
    }
    if (header->code == LVN_ODFINDITEMA || header->code == LVN_ODFINDITEMW) {
        // Typing a name's first letters in the list goes to it.
        if (header->idFrom == IDC_DAY_PHONE_LIST) {
            result = ListViewRows::AnswerFind(
                header, static_cast<int>(phoneRows_.size()),
                [this](int row) -> std::string_view {
                    const Person* person = document_.persons.Find(phoneRows_[static_cast<size_t>(row)]);
                    return person ? person->RName.view() : std::string_view();
                });
            return true;
        }
        if (header->idFrom == IDC_DAY_TASK_LIST) {
            result = ListViewRows::AnswerFind(
                header, static_cast<int>(taskRows_.size()), [this](int row) -> std::string_view {
                    return taskRows_[static_cast<size_t>(row)].description;
                });
            return true;
        }
        return false;
    }
    if (header->code == LVN_KEYDOWN && reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey == VK_DELETE) {
        OnDeleteKey(static_cast<int>(header->idFrom));
        return true;
    }
    const bool click = header->code == NM_CLICK || header->code == NM_RCLICK;
    const bool doubleClick = header->code == NM_DBLCLK;
    if (!click && !doubleClick) return false;
    // The list reports where the button went down, in its client coordinates.
    const POINT point = reinterpret_cast<NMITEMACTIVATE*>(header)->ptAction;
    switch (header->idFrom) {
    case IDC_DAY_PHONE_LIST:
        if (click) OnPhoneListClick(point);
        else OnPhoneListDoubleClick();
        break;
    case IDC_DAY_TASK_LIST:
        OnTaskListClick(point, doubleClick);
        break;
    case IDC_DAY_TIME_SLOT_LIST:
        if (click) OnTimeSlotListClick();
        break;
    }
    return true;
}

// --- Commands -----------------------------------------------------------------------

bool DayView::OnCommand(UINT id, UINT code, HWND control) {
    // Whatever sent it (menu, key, popup or double click), a record command
    // acts only when something is picked for it.
    if (!CommandEnabled(id)) return true;
    switch (id) {
    case IDC_DAY_HOME_PHONE:
    case IDC_DAY_WORK_PHONE:
    case IDC_DAY_PAGER:
    case IDC_DAY_CELL_PHONE:
    case IDC_DAY_EMAIL:
    case IDC_DAY_WEB_PAGE:
        if (code == BN_CLICKED) OnContactButton(id);
        return true;
    case IDC_DAY_WHITE_PAGES:
        if (code == BN_CLICKED) SetPhoneBookMode(PhoneBookMode::kWhitePages);
        return true;
    case IDC_DAY_YELLOW_PAGES:
        if (code == BN_CLICKED) SetPhoneBookMode(PhoneBookMode::kYellowPages);
        return true;
    case ID_TASK_DELETE:
        DeleteTask();
        return true;
    case ID_TASK_COMPLETE:
        CompleteTask();
        return true;
    case ID_CONTEXT_HELP:
        EnterHelpMode();
        return true;
    case ID_TASK_ADD:
        AddTask();
        return true;
    case ID_TASK_EDIT:
        EditTask();
        return true;
    case ID_APPOINTMENT_ADD:
        AddAppointment();
        return true;
    case ID_APPOINTMENT_EDIT:
        EditAppointment();
        return true;
    case ID_PERSON_ADD:
        AddPerson();
        return true;
    case ID_PERSON_EDIT:
        EditPerson();
        return true;
    case ID_EDIT_USER:
        EditUser();
        return true;
    case ID_EDIT_ALARM_SOUND:
        ChooseAlarmSound();
        return true;
    case ID_PERSON_DELETE:
        DeletePerson();
        return true;
    case ID_APPOINTMENT_DELETE:
        DeleteAppointment();
        return true;
    case ID_REPORT_DAILY_PLAN:
        ChooseDailyReport(ReportKind::kDailyPlan);
        return true;
    case ID_REPORT_DAILY_TASKS:
        ChooseDailyReport(ReportKind::kDailyTasks);
        return true;
    case ID_REPORT_DAILY_APPOINTMENTS:
        ChooseDailyReport(ReportKind::kDailyAppointments);
        return true;
    case ID_REPORT_PHONE_BOOK:
        ChoosePeopleReport(ReportKind::kAddressBook);
        return true;
    case ID_REPORT_ENVELOPES:
        ChoosePeopleReport(ReportKind::kEnvelopes);
        return true;
    default:
        return Dialog::OnCommand(id, code, control);
    }
}

// A deleted record is no longer picked: Delete and Edit stay off for its
// list until another row is clicked. The notification refills the lists.
void DayView::DeletePerson() {
    document_.persons.Erase(selection_.person.id);
    const int row = selection_.person.row;
    if (row >= 0 && static_cast<size_t>(row) < phoneRows_.size()) {
        phoneRows_.erase(phoneRows_.begin() + row);
        SendMessageA(phoneList_, LVM_DELETEITEM, row, 0);
    }
    selection_.person = ListPick();
    document_.SetModified(true, true);
}

void DayView::DeleteTask() {
    document_.tasks.Erase(selection_.task.id);
    const int row = selection_.task.row;
    if (row >= 0 && static_cast<size_t>(row) < taskRows_.size()) {
        taskRows_.erase(taskRows_.begin() + row);
        SendMessageA(taskList_, LVM_DELETEITEM, row, 0);
    }
    selection_.task = ListPick();
    document_.SetModified(true, true);
}

// The planner row stays picked as a place: Add still begins there.
void DayView::DeleteAppointment() {
    document_.appointments.Erase(selection_.slot.id);
    selection_.slot = ListPick::NoRecord(selection_.slot.row);
    FillTimeSlots();
    document_.SetModified(true, true);
}

void DayView::CompleteTask() {
    Task* task = document_.tasks.Find(selection_.task.id);
    if (!task) return;
    task->Priority = kPriorityDone;
    task->DoneDate = DateTime::Today();
    const int row = selection_.task.row;
    if (row >= 0 && static_cast<size_t>(row) < taskRows_.size())
        taskRows_[static_cast<size_t>(row)].priority = kPriorityDone;
    SendMessageA(taskList_, LVM_REDRAWITEMS, selection_.task.row, selection_.task.row);
    document_.SetModified(true, true);
}
