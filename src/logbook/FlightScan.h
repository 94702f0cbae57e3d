// Reading every flight of a logbook in one go, for the read-only analyses
// (total times, currency, the abbreviated list). Only the fields those need
// are decoded, straight from the record bytes at their offsets.
#pragma once

#include <cstddef>
#include <cstdint>
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

// The flight records 2 .. LastRecord, read with one range read.
struct FlightBlock {
    std::vector<records::Byte> bytes;
    std::size_t count = 0;

    records::ConstByteSpan flight(std::size_t i) const {
        return {bytes.data() + i * kLogRecordSize, kLogRecordSize};
    }
};

// Opens the logbook read-only (it is never written here), takes LastRecord
// from record 1 and reads records 2 .. LastRecord. A LastRecord below 2
// means no flights; one beyond the records the file holds is bounded by
// them, so a damaged record 1 cannot conjure flights of zero bytes. nullopt
// when the file cannot be opened or read.
std::optional<FlightBlock> readFlights(const std::string& path);

}  // namespace logbook
