// How the day view looks: the owner-drawn day planner rows painted into a
// memory picture, the priority discs of the task list, and the places and
// column widths of the controls after the form changes size.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "DayView.h"
#include "DayViewDriving.h"
#include "DayViewImages.h"
#include "ListViewRows.h"
#include "PimDocument.h"
#include "resource.h"

namespace {

constexpr int kNineOClockRow = 16;    // 05:00 + 16 quarter hours
constexpr int kElevenOClockRow = 24;  // 05:00 + 24 quarter hours
constexpr int kPictureWidth = 240;
constexpr int kRowHeight = 17;

DateTime At(const DateTime& day, int hour, int minute) {
    return day + DateSpan::FromParts(0, hour, minute, 0);
}

// A 32-bit memory picture one row high that a row can be drawn into.
class RowPicture {
public:
    RowPicture() {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = kPictureWidth;
        info.bmiHeader.biHeight = -kRowHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        dc_ = CreateCompatibleDC(nullptr);
        previous_ = SelectObject(dc_, bitmap_);
    }
    ~RowPicture() {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    HDC Dc() const { return dc_; }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

private:
    HBITMAP bitmap_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

class DayViewDrawingTest : public testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {};
        controls.dwSize = sizeof(controls);
        controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES;
        InitCommonControlsEx(&controls);

        today_ = DateTime::Today();
        AddAppointment("Alarmed meeting", 9, true);
        AddAppointment("Quiet meeting", 11, false);
        AddTask(1, "Urgent", 0);
        AddTask(2, "Normal", 1);
        AddTask(3, "Someday", 2);
        AddTask(4, "Finished", 3);

        host_ = std::make_unique<DayViewDriving::HostedDayView>(document_);
        view_ = host_->View();
        ASSERT_TRUE(host_->Open());
        document_.NotifyViews();
    }

    void TearDown() override {
        host_.reset();
    }

    void AddAppointment(const char* text, int hour, bool alarm) {
        Appointment appointment;
        appointment.ID = document_.appointments.IssueID();
        appointment.Description = text;
        appointment.DueDate = today_;
        appointment.StartTime = At(today_, hour, 0);
        appointment.EndTime = At(today_, hour + 1, 0);
        appointment.Alarm = alarm;
        appointment.AlarmTime = At(today_, hour - 1, 45);
        document_.appointments.Insert(appointment.ID, appointment);
    }

    void AddTask(int32_t id, const char* text, int32_t priority) {
        Task task;
        task.ID = id;
        task.Description = text;
        task.Priority = priority;
        task.DueDate = today_;
        if (priority == 3) task.DoneDate = today_;
        document_.tasks.Insert(id, task);
    }

    HWND Control(int id) const { return GetDlgItem(view_->Handle(), id); }

    // Asks the form to paint `row` of the day planner into `picture`, as the
    // list does when it repaints.
    void DrawSlotRow(const RowPicture& picture, int row, UINT state = 0) {
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_LISTVIEW;
        item.CtlID = IDC_DAY_TIME_SLOT_LIST;
        item.itemID = static_cast<UINT>(row);
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = state;
        item.hwndItem = Control(IDC_DAY_TIME_SLOT_LIST);
        item.hDC = picture.Dc();
        item.rcItem = {0, 0, kPictureWidth, kRowHeight};
        item.itemData = 0;
        ASSERT_TRUE(SendMessageA(view_->Handle(), WM_DRAWITEM, IDC_DAY_TIME_SLOT_LIST,
                                 reinterpret_cast<LPARAM>(&item)));
    }

    int GutterRight() const {
        return static_cast<int>(
                   SendMessageA(Control(IDC_DAY_TIME_SLOT_LIST), LVM_GETCOLUMNWIDTH, 0, 0)) - 2;
    }

    // How many pixels of the clock mark's place show its yellow ground.
    int YellowPixelsWhereTheMarkGoes(const RowPicture& picture) const {
        int count = 0;
        const int left = GutterRight() + 2;
        for (int y = 0; y < DayViewImages::kAlarmHeight; ++y)
            for (int x = left; x < left + DayViewImages::kAlarmWidth; ++x)
                if (picture.At(x, y) == DayViewImages::kAlarmGround) ++count;
        return count;
    }

    RECT Placement(int id) const {
        RECT rect = {};
        GetWindowRect(Control(id), &rect);
        MapWindowPoints(HWND_DESKTOP, view_->Handle(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    static int ClientWidth(HWND list) {
        RECT client = {};
        GetClientRect(list, &client);
        return client.right;
    }

    static int ColumnWidth(HWND list, int column) {
        return static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0));
    }

    PimDocument document_;
    DateTime today_;
    std::unique_ptr<DayViewDriving::HostedDayView> host_;
    DayView* view_ = nullptr;
};

TEST_F(DayViewDrawingTest, AnAlarmedAppointmentsRowShowsTheClockMarkAfterTheGutter) {
    ASSERT_EQ("Alarmed meeting",
              ListViewRows::CellText(Control(IDC_DAY_TIME_SLOT_LIST), kNineOClockRow, 1));
    RowPicture picture;
    DrawSlotRow(picture, kNineOClockRow);
    EXPECT_GT(GutterRight(), 4);
    EXPECT_EQ(DayViewImages::kAlarmGround, picture.At(GutterRight() + 3, 1));
    EXPECT_EQ(DayViewImages::kAlarmGround,
              picture.At(GutterRight() + 2 + DayViewImages::kAlarmWidth - 1,
                         DayViewImages::kAlarmHeight - 1));
    EXPECT_EQ(DayViewImages::kAlarmFace, picture.At(GutterRight() + 2 + 5, 7));
}

TEST_F(DayViewDrawingTest, RowsWithoutAnAlarmShowNoClockMark) {
    ASSERT_EQ("Quiet meeting",
              ListViewRows::CellText(Control(IDC_DAY_TIME_SLOT_LIST), kElevenOClockRow, 1));
    RowPicture quiet;
    DrawSlotRow(quiet, kElevenOClockRow);
    EXPECT_EQ(0, YellowPixelsWhereTheMarkGoes(quiet));
    RowPicture free;
    DrawSlotRow(free, 0);
    EXPECT_EQ(0, YellowPixelsWhereTheMarkGoes(free));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW) & 0xFFFFFF, free.At(kPictureWidth - 3, 5));
}

TEST_F(DayViewDrawingTest, ARowHasAGreyGutterAndShadowLines) {
    RowPicture picture;
    DrawSlotRow(picture, 0);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW) & 0xFFFFFF;
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE) & 0xFFFFFF, picture.At(0, 5));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE) & 0xFFFFFF, picture.At(GutterRight() - 1, kRowHeight - 3));
    EXPECT_EQ(shadow, picture.At(GutterRight(), 3));
    EXPECT_EQ(shadow, picture.At(kPictureWidth - 3, kRowHeight - 1));
    EXPECT_EQ(shadow, picture.At(1, kRowHeight - 1));
}

TEST_F(DayViewDrawingTest, TheFocusedRowIsHighlightedRightOfTheGutter) {
    RowPicture picture;
    DrawSlotRow(picture, 0, ODS_FOCUS | ODS_SELECTED);
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT) & 0xFFFFFF, picture.At(kPictureWidth - 10, 6));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE) & 0xFFFFFF, picture.At(0, 5));
}

TEST_F(DayViewDrawingTest, TheTaskListShowsFourPriorityDiscs) {
    HWND tasks = Control(IDC_DAY_TASK_LIST);
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(tasks, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    ASSERT_NE(nullptr, images);
    ASSERT_EQ(DayViewImages::kPriorityImageCount, ImageList_GetImageCount(images));
    int width = 0, height = 0;
    ASSERT_TRUE(ImageList_GetIconSize(images, &width, &height));
    EXPECT_EQ(16, width);
    EXPECT_EQ(16, height);

    RowPicture picture;
    for (int priority = 0; priority < 4; ++priority) {
        ASSERT_TRUE(ImageList_Draw(images, priority, picture.Dc(), priority * 16, 0, ILD_NORMAL));
        EXPECT_EQ(DayViewImages::PriorityColour(priority), picture.At(priority * 16 + 8, 8))
            << priority;
        EXPECT_EQ(DayViewImages::kPriorityGround, picture.At(priority * 16, 0)) << priority;
    }
    EXPECT_EQ(RGB(255, 0, 0), DayViewImages::PriorityColour(0));
    EXPECT_EQ(RGB(0, 0, 0), DayViewImages::PriorityColour(3));
}

TEST_F(DayViewDrawingTest, EachTaskRowShowsItsPrioritysImage) {
    HWND tasks = Control(IDC_DAY_TASK_LIST);
    ASSERT_EQ(4, ListViewRows::RowCount(tasks));
    for (int row = 0; row < 4; ++row) {
        LVITEMA item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        ASSERT_TRUE(SendMessageA(tasks, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        const Task* task = document_.tasks.Find(view_->TaskIDOfRow(row));
        ASSERT_NE(nullptr, task);
        EXPECT_EQ(task->Priority, item.iImage) << row;
    }
}

TEST_F(DayViewDrawingTest, GrowingTheFormStretchesTheGroupsByTheWholeChange) {
    RECT form = {};
    GetClientRect(view_->Handle(), &form);
    const RECT calendar = Placement(IDC_DAY_CALENDAR);
    const RECT phoneBook = Placement(IDC_DAY_PHONE_BOOK_GROUP);
    const RECT appointments = Placement(IDC_DAY_APPOINTMENTS_GROUP);
    const RECT slots = Placement(IDC_DAY_TIME_SLOT_LIST);
    const RECT tasks = Placement(IDC_DAY_TASKS_GROUP);
    const RECT label = Placement(IDC_DAY_HOME_PHONE_LABEL);
    const RECT caption = Placement(IDC_DAY_DATE_CAPTION);

    const int dx = 120, dy = 60;
    SetWindowPos(view_->Handle(), nullptr, 0, 0, form.right + dx, form.bottom + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    const RECT calendarNow = Placement(IDC_DAY_CALENDAR);
    const RECT captionNow = Placement(IDC_DAY_DATE_CAPTION);
    EXPECT_TRUE(EqualRect(&calendar, &calendarNow));
    EXPECT_TRUE(EqualRect(&caption, &captionNow));

    const RECT phoneBookNow = Placement(IDC_DAY_PHONE_BOOK_GROUP);
    EXPECT_EQ(phoneBook.left, phoneBookNow.left);
    EXPECT_EQ(phoneBook.right + dx, phoneBookNow.right);
    EXPECT_EQ(phoneBook.top, phoneBookNow.top);
    EXPECT_EQ(phoneBook.bottom, phoneBookNow.bottom);

    const RECT appointmentsNow = Placement(IDC_DAY_APPOINTMENTS_GROUP);
    EXPECT_EQ(appointments.left, appointmentsNow.left);
    EXPECT_EQ(appointments.right, appointmentsNow.right);
    EXPECT_EQ(appointments.top, appointmentsNow.top);
    EXPECT_EQ(appointments.bottom + dy, appointmentsNow.bottom);
    const RECT slotsNow = Placement(IDC_DAY_TIME_SLOT_LIST);
    EXPECT_EQ(slots.right - slots.left, slotsNow.right - slotsNow.left);
    EXPECT_GT(slotsNow.bottom - slotsNow.top, slots.bottom - slots.top);

    const RECT tasksNow = Placement(IDC_DAY_TASKS_GROUP);
    EXPECT_EQ(tasks.left, tasksNow.left);
    EXPECT_EQ(tasks.right + dx, tasksNow.right);
    EXPECT_EQ(tasks.bottom + dy, tasksNow.bottom);

    // A label moves in proportion to its place in the group and keeps its width.
    const RECT labelNow = Placement(IDC_DAY_HOME_PHONE_LABEL);
    EXPECT_EQ(label.right - label.left, labelNow.right - labelNow.left);
    EXPECT_GT(labelNow.left, label.left);
    EXPECT_LT(labelNow.left, label.left + dx);
    EXPECT_EQ(label.top, labelNow.top);
}

TEST_F(DayViewDrawingTest, AfterASizeChangeTheColumnsShareEachListsWidth) {
    RECT form = {};
    GetClientRect(view_->Handle(), &form);
    HWND slots = Control(IDC_DAY_TIME_SLOT_LIST);
    const int timeWidth = ColumnWidth(slots, 0);
    SetWindowPos(view_->Handle(), nullptr, 0, 0, form.right + 97, form.bottom + 41,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    HWND phones = Control(IDC_DAY_PHONE_LIST);
    const int phoneWidth = ClientWidth(phones);
    EXPECT_EQ(phoneWidth / 2, ColumnWidth(phones, 0));
    EXPECT_EQ(phoneWidth - phoneWidth / 2, ColumnWidth(phones, 1));

    HWND tasks = Control(IDC_DAY_TASK_LIST);
    const int taskWidth = ClientWidth(tasks);
    EXPECT_EQ((taskWidth / 6) * 4, ColumnWidth(tasks, 0));
    EXPECT_EQ(taskWidth - (taskWidth / 6) * 4, ColumnWidth(tasks, 1));

    EXPECT_EQ(timeWidth, ColumnWidth(slots, 0));
    EXPECT_EQ(ClientWidth(slots) - timeWidth, ColumnWidth(slots, 1));
}

}  // namespace
