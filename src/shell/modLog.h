// The program's process-wide variables and the help routine.
#pragma once

#include <QString>
#include <cstdint>

namespace modLog {

extern QString HelpFilePath;         // the program's directory + Aerokit.hlp
extern QString LogPath;              // the current logbook
extern std::int16_t LogRecLen;       // 420
extern QString PlanPath;             // the current flight plan file
extern std::int16_t PlanRecLen;      // 1006
extern std::int16_t AircraftRecLen;  // 290

// Sends one F1 press to the active window and returns once it is handled.
void ShowHelp();

}  // namespace modLog
