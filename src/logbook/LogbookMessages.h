// The sentences that tell the pilot what is wrong with a logbook or why an
// operation on it failed, in the pilot's words.
#pragma once

#include <string>

namespace logbook {

struct Check;
enum class RemoveResult;

// A sentence for the user that says why the file is no logbook ("" if it is).
std::string describe(const Check& check);

// What the viewer tells the pilot when a removal failed: what happened, and
// that nothing was changed.
std::string removalMessage(RemoveResult result);

}  // namespace logbook
