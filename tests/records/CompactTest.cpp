#include <gtest/gtest.h>

#include "Collections.h"
#include "Compact.h"

namespace {

void AddTask(Tasks& tasks, int32_t priority, const DateTime& due) {
    Task task;
    task.ID = tasks.IssueID();
    task.Priority = priority;
    task.DueDate = due;
    tasks.Insert(task.ID, task);
}

TEST(Compact, RemovesOnlyDoneTasksDueBeforeTheDay) {
    const DateTime today = DateTime::FromFields(2002, 3, 4, 0, 0, 0);
    Tasks tasks;
    AddTask(tasks, kPriorityDone, DateTime::FromFields(2002, 3, 3, 0, 0, 0));    // 1: goes
    AddTask(tasks, kPriorityDone, DateTime::FromFields(2002, 3, 3, 23, 59, 0));  // 2: goes
    AddTask(tasks, kPriorityDone, today);                                        // 3: due today
    AddTask(tasks, kPriorityLow, DateTime::FromFields(2002, 3, 3, 0, 0, 0));     // 4: not done
    AddTask(tasks, kPriorityDone, DateTime());  // 5: no date counts as earliest, goes
    AddTask(tasks, kPriorityDone, DateTime::FromFields(1899, 12, 29, 6, 0, 0));  // 6: goes

    EXPECT_EQ(4u, RemoveDoneTasksDueBefore(tasks, today));
    std::vector<int32_t> left;
    for (const auto& entry : tasks) left.push_back(entry.first);
    EXPECT_EQ((std::vector<int32_t>{3, 4}), left);
    EXPECT_EQ(6, tasks.LastID());
}

}  // namespace
