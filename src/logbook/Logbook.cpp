#include "logbook/Logbook.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "logbook/FlightScan.h"
#include "records/RecordFile.h"

using records::Byte;
using records::RecordFile;

namespace logbook {
namespace {

bool blank(const std::string& trimmed) { return trimmed.empty(); }

std::optional<std::int16_t> lastRecordOnDisk(RecordFile& f) {
    std::vector<Byte> rec1;
    if (!f.read(1, rec1)) return std::nullopt;
    return records::getInt16(rec1, LogRecord::Offset::LastRecord);
}

}  // namespace

namespace {
// Opens a logbook for a write under its lock and checks it there, so that
// nothing changes between the check and the write.
// A file that is missing or no regular file is no logbook to write.
records::Result<RecordFile> openForWrite(const std::string& path, Check& c) {
    using records::FileError;
    auto f = RecordFile::openLocked(path, LogRecord::Size, RecordFile::Mode::ExistingOnly);
    if (!f) {
        const FileError why = f.failure().reason;
        if (why == FileError::Missing || why == FileError::NotRegular)
            return FileError::NotALogbook;
        return f;
    }
    c = checkOpen(*f);
    if (!c.ok()) return FileError::NotALogbook;
    return f;
}

// A record left partly written after the logbook's records (a crash in the
// middle of an append) is cut off before the next write.
bool cutPartialTail(RecordFile& f, const Check& c) {
    return c.sizeBytes % LogRecord::Size == 0 ||
           f.truncate(c.sizeBytes - c.sizeBytes % LogRecord::Size);
}
}  // namespace

records::Status createLogbook(const std::string& path) {
    using records::FileError;
    auto f = RecordFile::openLocked(path, LogRecord::Size, RecordFile::Mode::CreateIfMissing);
    if (!f) return f.failure();
    if (!f->created()) {
        // Only a logbook may have a length that is no whole number of
        // records (a crash in an append leaves one); any other such file is
        // something else, and writing a rating record into it would spoil it.
        const Check c = checkOpen(*f, Extent::Counted);
        if (c.sizeBytes % LogRecord::Size != 0 && !c.ok()) return FileError::NotALogbook;
        // The pilot chose to replace the file: its old records go, or they
        // would be read as flights of the new logbook.
        if (c.sizeBytes > LogRecord::Size && !f->truncate(LogRecord::Size))
            return FileError::WriteFailed;
    }
    LogRecord blankRecord;
    blankRecord.LastRecord = 1;
    const auto bytes = blankRecord.encode();
    if (f->write(1, bytes) && f->sync() && f->close()) return {};
    // A new file that could not take its first record goes again: an empty
    // file left behind would be no logbook.
    f->discardCreated(path);
    return FileError::WriteFailed;
}

std::optional<LogRecord> readRatingRecord(const std::string& path) {
    if (!checkLogbook(path).ok()) return std::nullopt;
    auto f = RecordFile::open(path, LogRecord::Size, RecordFile::Mode::ReadOnly);
    std::vector<Byte> rec1;
    if (!f || !f->read(1, rec1)) return std::nullopt;
    return LogRecord::decode(rec1);
}

records::Status saveRatings(const std::string& path, const Ratings& ratings) {
    Check c;
    auto f = openForWrite(path, c);
    if (!f) return f.failure();
    std::vector<Byte> old;
    if (!f->read(1, old) || !cutPartialTail(*f, c)) return records::FileError::WriteFailed;
    LogRecord rec = LogRecord::decode(old);
    applyRatings(rec, ratings);
    // A count that disagrees with the flights the file holds is corrected
    // with this write (the pilot was told when the logbook was opened).
    rec.LastRecord = static_cast<std::int16_t>(c.lastFlight);
    const auto bytes = rec.encode();
    if (f->write(1, bytes) && f->sync()) return {};
    // Put the old record back if the disk lets us, so a half-written
    // record 1 does not spoil LastRecord.
    if (f->write(1, old)) f->sync();
    return records::FileError::WriteFailed;
}

records::Status appendFlight(const std::string& path, const LogRecord& flight) {
    using records::FileError;
    Check c;
    auto f = openForWrite(path, c);
    if (!f) return f.failure();
    if (c.lastFlight >= MaxLastRecord) return FileError::Full;
    std::vector<Byte> rec1;
    if (!f->read(1, rec1)) return FileError::WriteFailed;
    const std::int16_t last = c.lastRecord;
    // After the last whole flight: one saved but never counted is kept, and
    // a count beyond the file's end is corrected.
    const auto next = static_cast<std::int16_t>(c.lastFlight + 1);
    if (!cutPartialTail(*f, c)) return FileError::WriteFailed;
    const std::uint64_t length = c.sizeBytes - c.sizeBytes % LogRecord::Size;

    // The flight first, on the disk: until record 1 names it, it lies
    // outside the logbook.
    const auto flightBytes = flight.encode();
    if (!f->write(next, flightBytes) || !f->sync()) {
        f->truncate(length);
        return FileError::WriteFailed;
    }
    std::vector<Byte> raised = rec1;
    records::putInt16(raised, LogRecord::Offset::LastRecord, next);
    if (!f->write(1, raised) || !f->sync()) {
        // Part of record 1 may have landed. Cut the flight off only while
        // LastRecord still reads the old value; if the new value landed, the
        // flight is whole and stays named.
        if (lastRecordOnDisk(*f) != last && f->write(1, rec1)) f->sync();
        if (lastRecordOnDisk(*f) == last) f->truncate(length);
        return FileError::WriteFailed;
    }
    return {};
}

namespace {
// The date field of a record with its blanks trimmed, without copying it:
// finding a flight compares this for every record of the logbook.
std::string_view trimmedDateView(records::ConstByteSpan rec) {
    return records::trimSpaces({reinterpret_cast<const char*>(rec.data()) + LogRecord::Offset::Date,
                                decltype(LogRecord::Date)::width});
}
}  // namespace

// Many flights at once, all or none: the new logbook is written whole and
// replaces the old one the way a removal does. Every whole flight the file
// holds is kept, those saved but never counted too, and the count corrected.
records::Status appendFlights(const std::string& path, records::ConstByteSpan flights) {
    Check c;
    auto f = openForWrite(path, c);
    if (!f) return f.failure();
    const std::size_t count = flights.size() / LogRecord::Size;
    if (static_cast<std::size_t>(c.lastFlight) + count > static_cast<std::size_t>(MaxLastRecord))
        return records::FileError::Full;
    std::vector<Byte> content;
    content.reserve((static_cast<std::size_t>(c.lastFlight) + count) * LogRecord::Size);
    if (!f->read(1, content) || !scanOpen(*f, c, [&](std::int64_t, records::ConstByteSpan rec) {
            content.insert(content.end(), rec.begin(), rec.end());
        }))
        return records::FileError::WriteFailed;
    content.insert(content.end(), flights.begin(),
                   flights.begin() + static_cast<std::ptrdiff_t>(count * LogRecord::Size));
    records::putInt16(content, LogRecord::Offset::LastRecord,
                      static_cast<std::int16_t>(c.lastFlight + static_cast<std::int64_t>(count)));
    return f->replaceContent(path, content);
}

std::vector<std::string> dateList(const std::string& path) {
    std::vector<std::string> dates;
    if (const auto count = flightCount(path)) dates.reserve(*count);
    const bool read =
        scanLogbook(path, Extent::Whole, [&](std::int64_t, records::ConstByteSpan rec) {
            const std::string_view d = trimmedDateView(rec);
            if (!d.empty()) dates.emplace_back(d);
        });
    return read ? dates : std::vector<std::string>{};
}

std::optional<Found> findFlight(const std::string& path, const std::string& trimmedDate) {
    if (blank(trimmedDate)) return std::nullopt;
    std::optional<Found> found;
    const bool read =
        scanLogbook(path, Extent::Whole, [&](std::int64_t n, records::ConstByteSpan rec) {
            if (!found && trimmedDateView(rec) == trimmedDate)
                found = Found{n, LogRecord::decode(rec)};
        });
    return read ? found : std::nullopt;
}

records::Status removeFlight(const std::string& path, const std::string& trimmedDate) {
    using records::FileError;
    Check c;
    auto f = openForWrite(path, c);
    if (!f) return f.failure();
    std::vector<Byte> rec1;
    if (!f->read(1, rec1)) return FileError::NotALogbook;
    // Flights without a date are never listed: removing "" takes none.
    std::int64_t removed = 0;
    if (!scanOpen(*f, c, [&](std::int64_t n, records::ConstByteSpan rec) {
            if (removed == 0 && !blank(trimmedDate) && trimmedDateView(rec) == trimmedDate)
                removed = n;
        }))
        return FileError::NotALogbook;
    // Without a match nothing is removed: lowering LastRecord anyway would
    // drop the last flight.
    if (removed == 0) return FileError::Gone;
    // The new logbook: record 1 with LastRecord one less than the flights
    // the file holds, then every flight but that one, in order, copied from
    // the locked file as it was just read.
    records::putInt16(rec1, LogRecord::Offset::LastRecord,
                      static_cast<std::int16_t>(c.lastFlight - 1));
    const auto size = static_cast<std::uint64_t>(LogRecord::Size);
    const auto at = static_cast<std::uint64_t>(removed);
    const auto last = static_cast<std::uint64_t>(c.lastFlight);
    return f->replaceContent(path, rec1,
                             {{size, (at - 2) * size}, {at * size, (last - at) * size}});
}

}  // namespace logbook
