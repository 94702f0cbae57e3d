// The sentences that tell the pilot what is wrong with a logbook, in the
// pilot's words. Why an operation on it failed is worded with every other
// file failure (records/FileMessages.h).
#pragma once

#include <string>

namespace logbook {

struct Check;

// A sentence for the user that says why the file is no logbook ("" if it is).
std::string describe(const Check& check);

// What the pilot is told once, when a logbook that is damaged but still a
// logbook is opened: what is wrong and what Aerokit will do ("" when the
// file is consistent).
std::string damageNotice(const Check& check);

}  // namespace logbook
