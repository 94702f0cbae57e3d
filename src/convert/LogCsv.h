// A logbook's flights to and from the files of other logbook programs and
// Aerokit's own CSV, each program described by its table in Formats.h.
// Every value that does not arrive as it was is reported, by kind.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "convert/Formats.h"
#include "convert/Report.h"
#include "records/DateText.h"

namespace convert {

struct ExportOptions {
    FormatId to = FormatId::Aerokit;
    records::DateLocale dates;  // the order typed dates convert by
    int currentYear = 2000;     // the year of a typed date without one
    char decimalMark = '.';     // ',' writes "1,5" and separates fields by ';'
};
struct ExportResult {
    std::optional<std::string> text;
    std::string error;   // why the bytes are no logbook
    std::string notice;  // what is wrong with a damaged logbook, whose whole flights go out
    Report changes;      // values the file does not carry as they are
};
// One row per flight (every whole flight as the program reads the logbook,
// blank dates included). Date
// is YYYY-MM-DD where the typed date converts by the options' rules, else
// empty; the typed text goes with the flight too.
ExportResult exportFlights(std::string_view logbookBytes, const ExportOptions& options);

struct ImportOptions {
    std::optional<FormatId> from;     // nullopt: found from the content
    std::optional<char> decimalMark;  // nullopt: found from the numbers
    std::size_t maxFlights = 32766;
};
struct ImportResult {
    std::string flights;  // the flight records, 420 bytes each
    std::size_t count = 0;
    FormatId format = FormatId::Aerokit;
    Report changes;  // values stored otherwise than the file has them
    // On a bad row: its line and what is wrong (`column "X": ...`).
    std::size_t errorLine = 0;
    std::string error;
    bool ok() const { return error.empty(); }
};
// Builds the flight records as the flight entry window does from the same
// values. Rows whose cells are all empty are skipped; a file without a date
// and a total time column is refused. At most maxFlights rows are taken;
// one more is an error.
ImportResult importFlights(std::string_view text, const ImportOptions& options);

// The program whose file the text is: ForeFlight by its first line, LogTen
// Pro by tabs or its field keys, Aerokit by its own columns, else MyFlightbook.
FormatId detectFormat(std::string_view text);

// A new logbook: a rating record with LastRecord = 1 + flights, then the
// flights. The rating record is the blank one of a new logbook, or the
// certificates and ratings of ratingRecord (420 bytes) when given.
std::string newLogbookBytes(const ImportResult& imported, std::string_view ratingRecord = {});

}  // namespace convert
