// Reading every flight of a logbook in one go, for the read-only analyses
// (total times, currency, the abbreviated list). Only the fields those need
// are decoded, straight from the record bytes at their offsets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "records/Fields.h"

namespace logbook {

// Offsets of the flight fields the analyses read (the LogRecord layout).
namespace flight_offsets {
constexpr std::size_t Date = 0;
constexpr std::size_t Make = 15;
constexpr std::size_t Ident = 30;
constexpr std::size_t From = 40;
constexpr std::size_t To = 43;
constexpr std::size_t InstrApp = 146;
constexpr std::size_t Landings = 150;
constexpr std::size_t XCountry = 158;
constexpr std::size_t Day = 162;
constexpr std::size_t Night = 166;
constexpr std::size_t Instrument = 170;
constexpr std::size_t SimInstrument = 174;
constexpr std::size_t Simulator = 178;
constexpr std::size_t Dual = 182;
constexpr std::size_t InCommand = 186;
constexpr std::size_t Total = 190;
constexpr std::size_t Ground = 248;
constexpr std::size_t SIC = 252;
constexpr std::size_t CFI = 256;
constexpr std::size_t CFII = 260;
constexpr std::size_t NightLand = 264;
constexpr std::size_t LastRecord = 278;
}  // namespace flight_offsets

constexpr std::size_t kLogRecordSize = 420;

// Visits the flight records 2 .. LastRecord in ascending order, passing each
// record's 420 bytes to visit. The logbook is opened read-only (it is never
// written here), LastRecord is taken from record 1, and the flights are read
// in blocks of a few hundred records through one reused buffer: a logbook of
// 32766 flights streams through the cache instead of filling 13.7 MB of fresh
// memory. A LastRecord below 2 means no flights; one beyond the records the
// file holds is bounded by them, so a damaged record 1 cannot conjure flights
// of zero bytes. False when the file cannot be opened or read.
bool forEachFlight(const std::string& path,
                   const std::function<void(records::ConstByteSpan)>& visit);

// How many flights forEachFlight visits; nullopt when the file cannot be read.
std::optional<std::size_t> flightCount(const std::string& path);

}  // namespace logbook
