#include "logbook/FlightScan.h"

#include <algorithm>

#include "records/RecordFile.h"

namespace logbook {

std::optional<FlightBlock> readFlights(const std::string& path) {
    auto file = records::RecordFile::open(path, kLogRecordSize, records::RecordFile::Mode::ReadOnly);
    if (!file) return std::nullopt;
    FlightBlock block;
    std::vector<records::Byte> first;
    if (!file->readRange(1, 1, first)) return std::nullopt;
    const std::int64_t lastRecord = records::getInt16(first, flight_offsets::LastRecord);
    const auto held = static_cast<std::int64_t>(file->recordCount());
    const std::int64_t last = std::min(lastRecord, held);
    if (last >= 2) {
        block.count = static_cast<std::size_t>(last - 1);
        if (!file->readRange(2, block.count, block.bytes)) return std::nullopt;
    }
    file->close();
    return block;
}

}  // namespace logbook
