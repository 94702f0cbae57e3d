// Total times: sixteen float32 sums over the flights of a logbook, over all
// of them or over those of one aircraft ident or one make and model.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "records/Fields.h"

namespace logbook {

struct TimeTotals {
    float Day = 0;
    float Night = 0;
    float Instrument = 0;
    float SimInstrument = 0;
    float Ground = 0;
    float Dual = 0;
    float InCommand = 0;
    float Simulator = 0;
    float SIC = 0;
    float CFI = 0;
    float CFII = 0;
    float Landings = 0;
    float NightLand = 0;
    float XCountry = 0;
    float InstrApp = 0;
    float Total = 0;
};

// Adds one flight's sixteen fields, each sum rounded to float32 at once.
void addFlight(TimeTotals& totals, records::ConstByteSpan flight);

struct TotalTimeLoad {
    TimeTotals totals;
    // Distinct full-width field texts (trailing spaces and NULs included),
    // each at the place of its first flight in file order; case-sensitive.
    std::vector<std::string> idents;  // 10 bytes each
    std::vector<std::string> makes;   // 15 bytes each
};

// Everything the window shows on loading: the unfiltered sums and the two
// lists. An unreadable logbook gives zeros and empty lists.
TotalTimeLoad loadTotalTime(const std::string& path);

enum class FlightTextField { Ident, Make };

// Sums over the flights whose field, trimmed of spaces at both ends, equals
// text trimmed the same way (case-sensitive; text is Windows-1252 bytes).
TimeTotals totalsFor(const std::string& path, FlightTextField field, std::string_view text);

}  // namespace logbook
