// A logbook's flights as CSV and back. The columns carry MyFlightbook's
// import names where MyFlightbook has the same field, and the logbook's own
// field names for the rest, so nothing of a flight is lost.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/DateText.h"

namespace convert {

// The header row's names, in order.
std::vector<std::string> csvHeader();

struct ExportResult {
    std::optional<std::string> csv;
    std::string error;  // why the bytes are no logbook
};
// One row per flight (records 2 to LastRecord, blank dates included).
// Date is YYYY-MM-DD where the typed date converts by the locale's rules
// (dates without a year take currentYear), else empty; "Date As Typed" holds
// the text as typed.
ExportResult exportCsv(std::string_view logbookBytes, const records::DateLocale& loc,
                       int currentYear);

struct ImportResult {
    std::string flights;  // the flight records, 420 bytes each
    std::size_t count = 0;
    std::vector<std::string> unknownColumns;
    // On a bad row: its line and what is wrong (`column "X": ...`).
    std::size_t errorLine = 0;
    std::string error;
    bool ok() const { return error.empty(); }
};
// Builds the flight records as the flight entry window does from the same
// values. At most maxFlights rows are taken; one more is an error.
ImportResult importCsv(std::string_view csv, std::size_t maxFlights);

// A new logbook: a rating record with LastRecord = 1 + flights, then the
// flights. The rating record is the blank one of a new logbook, or the
// certificates and ratings of ratingRecord (420 bytes) when given.
std::string newLogbookBytes(const ImportResult& imported, std::string_view ratingRecord = {});

}  // namespace convert
