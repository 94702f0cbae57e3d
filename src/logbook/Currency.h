// The currency figures: landings and night landings in the last 90 days,
// approaches and actual instrument time in the last 180 days.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "records/DateText.h"
#include "records/Fields.h"

namespace logbook {

struct CurrencyFigures {
    float Landings = 0;       // day + night landings, last 90 days
    float Approaches = 0;     // InstrApp, last 180 days
    float Instrument = 0;     // actual instrument time, last 180 days
    float NightLandings = 0;  // last 90 days
};

constexpr int kLandingDays = 90;
constexpr int kInstrumentDays = 180;

// A flight's date text, trimmed of blanks, as a date by the locale's order
// (records::parseDate, with a quick path for the plain numeric forms).
std::optional<records::DateValue> flightDate(std::string_view text,
                                             const records::DateLocale& locale, int currentYear);

// Adds one flight dated `date` (a day serial, fractions for a time of day)
// against today (days since 1970-01-01): inside a window when
// date + days >= today, so the boundary day counts and later dates do too.
void addCurrencyFlight(CurrencyFigures& f, records::ConstByteSpan flight, double date,
                       std::int64_t today);

// The four figures over the logbook's flights. A flight whose trimmed date
// text is no date in the locale's order is left out. An unreadable logbook
// gives zeros.
CurrencyFigures computeCurrency(const std::string& path, const records::DateLocale& locale,
                                std::int64_t today);

}  // namespace logbook
