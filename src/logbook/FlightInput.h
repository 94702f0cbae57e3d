// Converting the boxes of the flight entry window, as typed, into a flight.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "logbook/LogRecord.h"
#include "records/NumberText.h"

namespace logbook {

// The boxes of the flight entry window, as typed (Windows-1252 bytes).
struct FlightInput {
    std::string date, make, ident, from, to, remarks;
    // Number boxes.
    std::string instrApp, landings, xCountry, simulator, day, night, instrument, simInstrument,
        dual, inCommand, total, cfi, cfii, ground, sic, nightLand;
    std::array<std::string, 4> appCount;
    std::array<std::string, 4> appType;
    bool catSingle = false, catMulti = false, catRotor = false, catAirship = false,
         catGlider = false;
    bool seLand = false, seSea = false, meLand = false, meSea = false;
};

struct Conversion {
    std::optional<LogRecord> flight;  // nullopt: some box did not convert
    // The Day box was empty and was reached, so it is to show 0 from now on.
    bool dayShowsZero = false;
};
// Converts the boxes in the fixed order of the entry window; an exactly
// empty number box is 0, anything else must convert (int16 halves to even).
Conversion convertFlight(const FlightInput& in, const records::NumberLocale& loc = {});

// A multi-line box's text with every line break stored as CR LF.
std::string storedLineBreaks(const std::string& text);

}  // namespace logbook
