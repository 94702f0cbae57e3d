// A large logbook for the benchmarks: 32766 flights, the most an int16
// LastRecord allows (13.7 MB), dated three a day up to today.
#pragma once

#include <cstdint>
#include <string>

namespace benchlog {

constexpr int kFlights = 32766;

// Writes the logbook at path with `flights` flights. The last flight has a
// date of its own (the day after the others), so a search by its date
// finds exactly the last record.
void writeLogbook(const std::string& path, int flights = kFlights);

// The date text of the last flight written by writeLogbook.
std::string lastFlightDate(int flights = kFlights);

// An ident that flies about one flight in forty.
std::string commonIdent();

// The baseline for whole-file writes: copies `from` to `to` through a 64 KiB
// buffer and syncs the copy, as a plain program would.
void copySynced(const std::string& from, const std::string& to);

// Peak resident memory of this process so far, in MiB.
double peakMemoryMiB();

}  // namespace benchlog
