// The rating record's certificate and rating boxes: what the rating window
// shows, and putting them back into record 1.
#pragma once

#include <array>
#include <string>

#include "logbook/LogRecord.h"

namespace logbook {

// What the rating window holds: certificate and rating boxes as ticked,
// texts as Windows-1252 bytes.
struct Ratings {
    bool student = false, recreational = false, privatePilot = false, commercial = false,
         instructor = false, atp = false, technician = false, groundInstructor = false;
    bool single = false, seLand = false, seSea = false, multi = false, meLand = false,
         meSea = false, multiLimited = false, instrument = false, rotorcraft = false,
         helicopter = false, gyroplane = false, lighter = false, airship = false, balloon = false,
         glider = false, general = false, powerplant = false, airframe = false, giBasic = false,
         giAdvanced = false, giInstrument = false, other = false;
    std::string otherRatings;
    std::array<std::string, 6> typeRatings;
};
// The boxes as record 1 gives them (a field counts as ticked when non-zero).
Ratings ratingsFrom(const LogRecord& rec);
// Puts the boxes into record 1, leaving every other field as it was.
void applyRatings(LogRecord& rec, const Ratings& ratings);

}  // namespace logbook
