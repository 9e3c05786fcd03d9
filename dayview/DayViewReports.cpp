// The day view's part in the daily reports: the rows its lists show, the task
// list's from the view's own rows and the planner's read back from its list
// control, so the plan holds exactly what the user saw; and the day the
// planner shows, whose appointments the daily appointments list in full.
#include "DayView.h"

#include <vector>

#include "DailySnapshot.h"
#include "ListViewRows.h"

void DayView::ChooseDailyReport(ReportKind kind) {
    std::vector<int32_t> taskRows;
    taskRows.reserve(taskRows_.size());
    for (const TaskRow& row : taskRows_) taskRows.push_back(row.taskID);

    std::vector<PlannerRowShown> plannerRows;
    const int slotCount = ListViewRows::RowCount(timeSlotList_);
    plannerRows.reserve(static_cast<size_t>(slotCount));
    for (int row = 0; row < slotCount; ++row) {
        plannerRows.push_back(PlannerRowShown{ListViewRows::ItemValue(timeSlotList_, row),
                                              ListViewRows::CellText(timeSlotList_, row, 1)});
    }
    TakeDailySnapshot(reports_, kind, taskRows, plannerRows, CalendarDay(), document_.tasks,
                      document_.appointments);
}
