#include "DayViewHelp.h"

#include "resource.h"

namespace DayViewHelp {

namespace {

// The page of the help file that explains the control.
const char* PageFor(int controlId) {
    switch (controlId) {
    case IDC_DAY_CALENDAR:
        return "calendar.htm";
    case IDC_DAY_TIME_SLOT_LIST:
    case IDC_DAY_DATE_CAPTION:
    case IDC_DAY_APPOINTMENTS_GROUP:
        return "apptbook.htm";
    case IDC_DAY_TASK_LIST:
    case IDC_DAY_TASKS_GROUP:
        return "tasklist.htm";
    case IDC_DAY_WHITE_PAGES:
    case IDC_DAY_YELLOW_PAGES:
    case IDC_DAY_PAGES_GROUP:  // the frame round the two buttons
    case IDC_DAY_PHONE_BOOK_GROUP:
        return "phonebook.htm";
    default:
        break;
    }
    // The phone list, the contact panel and the panel's labels.
    if ((controlId >= IDC_DAY_PHONE_LIST && controlId <= IDC_DAY_WEB_PAGE) ||
        (controlId >= IDC_DAY_HOME_PHONE_LABEL && controlId <= IDC_DAY_WEB_PAGE_LABEL))
        return "phonebook.htm";
    return nullptr;
}

}  // namespace

std::string TopicFor(int controlId, const std::string& directory, const std::string& fileName) {
    const char* page = PageFor(controlId);
    if (!page) return std::string();
    return directory + "\\" + fileName + "::/html/" + page + ">topic";
}

}  // namespace DayViewHelp
