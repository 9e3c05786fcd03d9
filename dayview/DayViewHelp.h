// Where the day view's help lives: each control belongs to one page of the
// help file, opened in the "topic" window.
#pragma once

#include <string>

namespace DayViewHelp {

// HTML Help's command that shows one page.
const unsigned kDisplayTopic = 0;

// The topic path of control `controlId` in the help file `fileName` of the
// folder `directory`; empty when the control has no page.
std::string TopicFor(int controlId, const std::string& directory, const std::string& fileName);

}  // namespace DayViewHelp
