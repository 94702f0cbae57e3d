#include "logbook/FlightScan.h"

#include <algorithm>

#include "records/RecordFile.h"

namespace logbook {
namespace {

// 256 records: about 105 KB, well inside the second-level cache.
constexpr std::size_t kBlock = 256;

struct Span {
    std::int64_t last = 0;  // last flight record to visit (1: none)
};

std::optional<records::RecordFile> openFlights(const std::string& path, Span& span) {
    auto file =
        records::RecordFile::open(path, LogRecord::Size, records::RecordFile::Mode::ReadOnly);
    if (!file) return std::nullopt;
    std::vector<records::Byte> first;
    if (!file->readRange(1, 1, first)) return std::nullopt;
    const std::int64_t lastRecord = records::getInt16(first, LogRecord::Offset::LastRecord);
    span.last = std::max<std::int64_t>(
        1, std::min(lastRecord, static_cast<std::int64_t>(file->recordCount())));
    return file;
}

}  // namespace

bool forEachFlight(const std::string& path,
                   const std::function<void(records::ConstByteSpan)>& visit) {
    Span span;
    auto file = openFlights(path, span);
    if (!file) return false;
    std::vector<records::Byte> block;
    for (std::int64_t n = 2; n <= span.last;) {
        const auto count =
            static_cast<std::size_t>(std::min<std::int64_t>(kBlock, span.last - n + 1));
        if (!file->readRange(n, count, block)) return false;
        for (std::size_t i = 0; i < count; ++i)
            visit(records::ConstByteSpan(block.data() + i * LogRecord::Size, LogRecord::Size));
        n += static_cast<std::int64_t>(count);
    }
    file->close();
    return true;
}

std::optional<std::size_t> flightCount(const std::string& path) {
    Span span;
    if (!openFlights(path, span)) return std::nullopt;
    return static_cast<std::size_t>(span.last - 1);
}

}  // namespace logbook
