// How the main menu opens the three tools. The program start fills these
// in, so the shell does not depend on the tools' windows.
#pragma once

#include <functional>

namespace ToolLaunch {

extern std::function<void()> openLogbook;  // frmMain
extern std::function<void()> openPlanner;  // frmPlanner
extern std::function<void()> openWandB;    // frmWandB

}  // namespace ToolLaunch
