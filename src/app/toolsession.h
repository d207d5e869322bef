// One headless session of a window, as the kztool command runs it: open the
// window fresh, apply the actions in order, print what the user would see.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "framework/windowmodel.h"

namespace kz {

// `args` are FORM then the actions, optionally led by "--working" (after each
// action that brought a working, its plain lines as "working: LINE").
// Returns the exit status: 0, or 2 for an unknown window, control or action
// (one line on `err`, nothing on `out`).
int runToolSession(std::vector<std::string> args, std::ostream& out, std::ostream& err);

// What is wrong with one action for this window (an unknown control, a
// control that cannot take it, an unknown key or action), or empty.
std::string actionProblem(const WindowModel& model, const std::string& action);
// Applies one checked action (NAME=TEXT, press:, select:, key:) and settles its jobs.
void applyAction(WindowModel& model, const std::string& action);

// Runs whatever job the model has waiting, inline, until none is left.
void settleJobs(WindowModel& model);

// "\n" for a line feed, "\r" for a carriage return, "\\" for a backslash.
std::string escapeForTool(std::string_view text);

}  // namespace kz
