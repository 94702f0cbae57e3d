// The sentences the user reads when a file operation failed: every window
// and aerokit-convert make them here, from what was being done, the file and
// the Failure, so each reason is worded once.
#pragma once

#include <string>

#include "records/FileResult.h"

namespace records {

// What the user was doing when the operation failed.
enum class Action {
    SaveFlight,
    AddFlights,  // aerokit-convert import --append: all of a file's flights or none
    RemoveFlight,
    SaveRatings,
    CreateLogbook,
    SavePlan,
    CreatePlan,
    SaveLogHeader,
    SaveCheckpoint,
    RemoveCheckpoint,
    SavePersonal,
    SaveAircraft,
    WriteOutput  // a file aerokit-convert writes
};

// The whole message: what could not be done, why, that nothing was changed,
// and what the user can do about it. file names the file as the user knows
// it: its name, or "the logbook" where the window never shows the path.
std::string failureMessage(Action action, const std::string& file, const Failure& failure);

// Only the reason, as a clause ("out.log is read-only"), for a tool that
// puts the file and the reason on one line of its own.
std::string failureReason(const std::string& file, const Failure& failure);

}  // namespace records
