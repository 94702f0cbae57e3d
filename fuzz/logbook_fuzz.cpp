// Arbitrary bytes as logbook records and as a whole logbook file: decoding,
// checking, the date list and the search by date must never fail or crash,
// and reading must never change the file.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "logbook/LogRecord.h"
#include "logbook/Logbook.h"

namespace {

std::string scratchPath() {
    static const std::string path =
        "/tmp/aerokit-logbook-fuzz-" + std::to_string(::getpid()) + ".log";
    return path;
}

std::vector<std::uint8_t> readBack(const std::string& path) {
    std::vector<std::uint8_t> out;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        std::uint8_t buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.insert(out.end(), buf, buf + n);
        std::fclose(f);
    }
    return out;
}

}  // namespace

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
    const std::string path = scratchPath();
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        if (size) std::fwrite(data, 1, size, f);
        std::fclose(f);
    } else {
        return 0;
    }
    const logbook::Check c = logbook::checkLogbook(path);
    (void)logbook::describe(c);
    const auto log = logbook::readLogbook(path);
    if (log.has_value() != c.ok()) std::abort();
    const auto dates = logbook::dateList(path);
    if (!dates.empty()) (void)logbook::findFlight(path, dates.back());
    (void)logbook::readRatingRecord(path);
    if (readBack(path) != std::vector<std::uint8_t>(data, data + size)) std::abort();
    std::remove(path.c_str());
    return 0;
}
