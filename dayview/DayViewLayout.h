// How the day view's controls follow the size of the form. Three groups
// (phone book, appointments, tasks) grow and shrink with the form: inside a
// group each edge along a resized direction keeps its proportional place in
// the group's box, and the box changes by the whole change of the form's
// width or height. Controls outside the groups stay where they are.
#pragma once

#include <windows.h>

#include <vector>

class DayViewLayout {
public:
    // Remembers the design: the form's client size and every grouped
    // control's rectangle now. Call once, before the first Apply.
    void Record(HWND form);
    bool Recorded() const { return recorded_; }

    // Places the grouped controls for a client area of `width` x `height`.
    void Apply(HWND form, int width, int height) const;

    // The form's resolution changed from `oldDpi` to `newDpi`: the design
    // grows or shrinks with the dialog units it was made of.
    void ScaleDesign(int newDpi, int oldDpi);

private:
    enum class Horizontal { kFixed, kStretch, kMove };
    enum class Vertical { kFixed, kStretch };
    struct Group {
        Horizontal horizontal;
        Vertical vertical;
        RECT box;  // the union of the members' design rectangles
    };
    struct Member {
        int id;
        size_t group;
        Horizontal horizontal;  // kMove keeps the width; the others as the group
        RECT design;
    };

    bool recorded_ = false;
    SIZE designSize_ = {};
    std::vector<Group> groups_;
    std::vector<Member> members_;
};
