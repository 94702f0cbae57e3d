#include "shell/Tools.h"

namespace Tools {
std::function<void()> openLogbook;
std::function<void()> openPlanner;
std::function<void()> openWandB;
}  // namespace Tools
