// Reading every flight of a logbook in one go, for the read-only analyses
// (total times, currency, the abbreviated list). Only the fields those need
// are decoded, straight from the record bytes at their offsets
// (LogRecord::Offset).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "logbook/LogRecord.h"
#include "records/Fields.h"

namespace logbook {

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
