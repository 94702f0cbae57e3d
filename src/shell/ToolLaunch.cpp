#include "shell/ToolLaunch.h"

namespace ToolLaunch {
std::function<void()> openLogbook;
std::function<void()> openPlanner;
std::function<void()> openWandB;
}  // namespace ToolLaunch
