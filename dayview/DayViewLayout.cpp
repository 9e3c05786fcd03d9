#include "DayViewLayout.h"

#include "resource.h"

namespace {

// Where a design coordinate lands when a box starting at `origin` changes
// its extent from `extent` to `extent + change`.
int Scale(int coordinate, int origin, int extent, int change) {
    if (extent <= 0) return coordinate;
    int scaled = extent + change;
    if (scaled < 0) scaled = 0;
    return origin + MulDiv(coordinate - origin, scaled, extent);
}

RECT ChildRect(HWND form, HWND child) {
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, form, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

void DayViewLayout::Record(HWND form) {
    RECT client = {};
    GetClientRect(form, &client);
    designSize_ = {client.right - client.left, client.bottom - client.top};

    struct Entry {
        int id;
        size_t group;
        Horizontal horizontal;
    };
    enum : size_t { kPhoneBook, kAppointments, kTasks };
    // Horizontal behaviour of each member; kStretch also stands for "move
    // and stretch", which is the same proportional mapping of both edges.
    static const Entry kEntries[] = {
        {IDC_DAY_PHONE_BOOK_GROUP, kPhoneBook, Horizontal::kStretch},
        {IDC_DAY_PAGES_GROUP, kPhoneBook, Horizontal::kStretch},
        {IDC_DAY_PHONE_LIST, kPhoneBook, Horizontal::kStretch},
        {IDC_DAY_HOME_PHONE_LABEL, kPhoneBook, Horizontal::kMove},
        {IDC_DAY_WORK_PHONE_LABEL, kPhoneBook, Horizontal::kMove},
        {IDC_DAY_PAGER_LABEL, kPhoneBook, Horizontal::kMove},
        {IDC_DAY_FAX_LABEL, kPhoneBook, Horizontal::kMove},
        {IDC_DAY_CELL_PHONE_LABEL, kPhoneBook, Horizontal::kMove},
        {IDC_DAY_EMAIL_LABEL, kPhoneBook, Horizontal::kMove},
        {IDC_DAY_WEB_PAGE_LABEL, kPhoneBook, Horizontal::kMove},
        {IDC_DAY_HOME_PHONE, kPhoneBook, Horizontal::kStretch},
        {IDC_DAY_WORK_PHONE, kPhoneBook, Horizontal::kStretch},
        {IDC_DAY_PAGER, kPhoneBook, Horizontal::kStretch},
        {IDC_DAY_FAX, kPhoneBook, Horizontal::kStretch},
        {IDC_DAY_CELL_PHONE, kPhoneBook, Horizontal::kStretch},
        {IDC_DAY_EMAIL, kPhoneBook, Horizontal::kStretch},
        {IDC_DAY_WEB_PAGE, kPhoneBook, Horizontal::kStretch},
        {IDC_DAY_APPOINTMENTS_GROUP, kAppointments, Horizontal::kFixed},
        {IDC_DAY_TIME_SLOT_LIST, kAppointments, Horizontal::kFixed},
        {IDC_DAY_TASKS_GROUP, kTasks, Horizontal::kStretch},
        {IDC_DAY_TASK_LIST, kTasks, Horizontal::kStretch},
    };
    groups_ = {
        {Horizontal::kStretch, Vertical::kFixed, {}},
        {Horizontal::kFixed, Vertical::kStretch, {}},
        {Horizontal::kStretch, Vertical::kStretch, {}},
    };
    std::vector<bool> started(groups_.size(), false);
    members_.clear();
    for (const Entry& entry : kEntries) {
        HWND control = GetDlgItem(form, entry.id);
        if (!control) continue;
        const RECT design = ChildRect(form, control);
        members_.push_back({entry.id, entry.group, entry.horizontal, design});
        RECT& box = groups_[entry.group].box;
        if (!started[entry.group]) box = design;
        else UnionRect(&box, &box, &design);
        started[entry.group] = true;
    }
    recorded_ = true;
}

void DayViewLayout::Apply(HWND form, int width, int height) const {
    if (!recorded_) return;
    const int dx = width - designSize_.cx;
    const int dy = height - designSize_.cy;
    for (const Member& member : members_) {
        const Group& group = groups_[member.group];
        const RECT& box = group.box;
        RECT placed = member.design;
        const int boxWidth = box.right - box.left;
        switch (member.horizontal) {
        case Horizontal::kStretch:
            placed.left = Scale(member.design.left, box.left, boxWidth, dx);
            placed.right = Scale(member.design.right, box.left, boxWidth, dx);
            break;
        case Horizontal::kMove:
            placed.left = Scale(member.design.left, box.left, boxWidth, dx);
            placed.right = placed.left + (member.design.right - member.design.left);
            break;
        case Horizontal::kFixed:
            break;
        }
        if (group.vertical == Vertical::kStretch) {
            const int boxHeight = box.bottom - box.top;
            placed.top = Scale(member.design.top, box.top, boxHeight, dy);
            placed.bottom = Scale(member.design.bottom, box.top, boxHeight, dy);
        }
        SetWindowPos(GetDlgItem(form, member.id), nullptr, placed.left, placed.top,
                     placed.right - placed.left, placed.bottom - placed.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void DayViewLayout::ScaleDesign(int newDpi, int oldDpi) {
    if (newDpi <= 0 || oldDpi <= 0) return;
    auto scale = [newDpi, oldDpi](LONG& value) { value = MulDiv(value, newDpi, oldDpi); };
    auto scaleRect = [&scale](RECT& rect) {
        scale(rect.left);
        scale(rect.top);
        scale(rect.right);
        scale(rect.bottom);
    };
    scale(designSize_.cx);
    scale(designSize_.cy);
    for (Group& group : groups_) scaleRect(group.box);
    for (Member& member : members_) scaleRect(member.design);
}
