// Arbitrary bytes as logbook records and as a whole logbook file: decoding,
// checking, the date list and the search by date must never fail or crash,
// and reading must never change the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzFiles.h"
#include "logbook/LogRecord.h"
#include "logbook/Logbook.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Every record the bytes hold, and a short tail, decode and re-encode.
    for (std::size_t off = 0; off < size || off == 0; off += LogRecord::Size) {
        const std::size_t n = size - off < LogRecord::Size ? size - off : LogRecord::Size;
        const records::ConstByteSpan span(data + off, n);
        const LogRecord r = LogRecord::decode(span);
        const auto bytes = r.encode();
        for (std::size_t i = 0; i < n; ++i)
            if (bytes[i] != data[off + i]) std::abort();  // decode/encode must be lossless
        (void)LogRecord::decodeDate(span).trimmed();
        if (size == 0) break;
    }

    // The same bytes as a logbook file.
    const std::string path = fuzzfiles::scratchPath("fuzz.log");
    const fuzzfiles::Bytes start(data, data + size);
    fuzzfiles::put(path, start);
    const logbook::Check c = logbook::checkLogbook(path);
    (void)logbook::describe(c);
    (void)logbook::damageNotice(c);
    std::size_t visited = 0;
    const bool read = logbook::scanLogbook(
        path, logbook::Extent::Whole, [&](std::int64_t, records::ConstByteSpan) { ++visited; });
    if (read != c.ok() || (read && visited != static_cast<std::size_t>(c.lastFlight - 1)))
        std::abort();
    // A logbook exactly as its record 1 describes it is one under any extent.
    if (logbook::checkLogbook(path, logbook::Extent::Counted).ok() && !c.ok()) std::abort();
    const auto dates = logbook::dateList(path);
    if (!dates.empty()) (void)logbook::findFlight(path, dates.back());
    (void)logbook::readRatingRecord(path);
    fuzzfiles::require(fuzzfiles::get(path) == start, "reading never changes the file");
    return 0;
}
