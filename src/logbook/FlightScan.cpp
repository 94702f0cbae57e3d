#include "logbook/FlightScan.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace logbook {

using records::Byte;
using records::RecordFile;

Check checkOpen(RecordFile& f, Extent extent) {
    const std::uint64_t size = f.sizeBytes();
    std::vector<Byte> rec1;
    if (size >= LogRecord::Size && !f.read(1, rec1)) {
        Check c;
        c.sizeBytes = size;
        c.problem = LogbookFault::Unreadable;
        return c;
    }
    return checkFirstRecord(size, rec1, extent);
}

Check checkFirstRecord(std::uint64_t sizeBytes, records::ConstByteSpan rec1, Extent extent) {
    Check c;
    c.sizeBytes = sizeBytes;
    if (c.sizeBytes == 0) {
        c.problem = LogbookFault::Empty;
        return c;
    }
    // Only record 1 must be whole here; a record cut short by a crash after
    // the others is no flight, but leaves the logbook a logbook.
    if (c.sizeBytes < LogRecord::Size || rec1.size() < LogRecord::Size) {
        c.problem = LogbookFault::PartialRecord;
        return c;
    }
    c.lastRecord = records::getInt16(rec1, LogRecord::Offset::LastRecord);
    c.lastFlight = c.lastRecord;
    if (c.lastRecord < 1) {
        c.problem = LogbookFault::LastRecordBelowOne;
        return c;
    }
    // A logbook program never writes the flight part of record 1; any other
    // file is read only as far as its count says.
    const bool ratingRecord = std::all_of(
        rec1.begin(), rec1.begin() + LogRecord::Offset::LastRecord, [](Byte b) { return b == 0; });
    if (extent == Extent::Whole && ratingRecord)
        c.lastFlight = std::min<std::int64_t>(c.wholeRecords(), MaxLastRecord);
    else if (c.lastRecord > c.wholeRecords())
        c.problem = LogbookFault::LastRecordBeyondEnd;
    return c;
}

namespace {
// Opens the file for reading and checks it; nullopt when it is missing, no
// regular file or unreadable.
std::optional<RecordFile> openChecked(const std::string& path, Extent extent, Check& c) {
    c = Check{};
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        c.problem =
            errno == ENOENT || errno == ENOTDIR ? LogbookFault::Missing : LogbookFault::Unreadable;
        return std::nullopt;
    }
    if (!S_ISREG(st.st_mode)) {
        c.problem = LogbookFault::NotRegular;
        return std::nullopt;
    }
    auto f = RecordFile::open(path, LogRecord::Size, RecordFile::Mode::ReadOnly);
    if (!f) {
        c.problem = LogbookFault::Unreadable;
        return std::nullopt;
    }
    c = checkOpen(*f, extent);
    return f;
}
}  // namespace

Check checkLogbook(const std::string& path, Extent extent) {
    Check c;
    openChecked(path, extent, c);
    return c;
}

bool scanOpen(RecordFile& f, const Check& c, const FlightVisit& visit) {
    if (!c.ok()) return false;
    constexpr std::int64_t kBlock = 256;  // about 105 KB, inside the second-level cache
    const std::int64_t last = c.lastFlight;
    std::vector<Byte> block;
    for (std::int64_t n = 1; n <= last;) {
        const std::int64_t count = std::min<std::int64_t>(kBlock, last - n + 1);
        if (!f.readRange(n, static_cast<std::size_t>(count), block)) return false;
        // The file may have changed since it was checked; trust only what
        // the bytes just read say.
        if (n == 1 && records::getInt16(block, LogRecord::Offset::LastRecord) != c.lastRecord)
            return false;
        for (std::int64_t i = n == 1 ? 1 : 0; i < count; ++i)
            visit(n + i, records::ConstByteSpan(
                             block.data() + static_cast<std::size_t>(i) * LogRecord::Size,
                             LogRecord::Size));
        n += count;
    }
    return true;
}

bool scanLogbook(const std::string& path, Extent extent, const FlightVisit& visit, Check* check) {
    Check c;
    auto f = openChecked(path, extent, c);
    if (check) *check = c;
    if (!f || !c.ok()) return false;
    if (scanOpen(*f, c, visit)) return true;
    if (check) check->problem = LogbookFault::Unreadable;
    return false;
}

bool forEachFlight(const std::string& path,
                   const std::function<void(records::ConstByteSpan)>& visit) {
    return scanLogbook(path, Extent::Whole,
                       [&](std::int64_t, records::ConstByteSpan rec) { visit(rec); });
}

std::optional<std::size_t> flightCount(const std::string& path) {
    const Check c = checkLogbook(path);
    if (!c.ok()) return std::nullopt;
    return static_cast<std::size_t>(c.lastFlight - 1);
}

}  // namespace logbook
