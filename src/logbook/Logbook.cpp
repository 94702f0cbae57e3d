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
// Checks an open file: its length and record 1.
Check checkOpen(RecordFile& f) {
    Check c;
    c.sizeBytes = f.sizeBytes();
    if (c.sizeBytes == 0) {
        c.problem = Problem::Empty;
        return c;
    }
    // Only record 1 must be whole here; what lies after LastRecord, a
    // record cut short by a crash included, is outside the logbook.
    if (c.sizeBytes < LogRecord::Size) {
        c.problem = Problem::PartialRecord;
        return c;
    }
    std::vector<Byte> rec1;
    if (!f.read(1, rec1)) {
        c.problem = Problem::Unreadable;
        return c;
    }
    c.lastRecord = records::getInt16(rec1, LogRecord::Offset::LastRecord);
    if (c.lastRecord < 1)
        c.problem = Problem::LastRecordBelowOne;
    else if (static_cast<std::uint64_t>(c.lastRecord) > c.sizeBytes / LogRecord::Size)
        c.problem = Problem::LastRecordBeyondEnd;
    return c;
}

// Opens the file for reading and checks it; the file is null when missing
// or unreadable.
std::optional<RecordFile> openChecked(const std::string& path, Check& c) {
    c = Check{};
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        c.problem = errno == ENOENT || errno == ENOTDIR ? Problem::Missing : Problem::Unreadable;
        return std::nullopt;
    }
    if (!S_ISREG(st.st_mode)) {
        c.problem = Problem::NotRegular;
        return std::nullopt;
    }
    auto f = RecordFile::open(path, LogRecord::Size, RecordFile::Mode::ReadOnly);
    if (!f) {
        c.problem = Problem::Unreadable;
        return std::nullopt;
    }
    c = checkOpen(*f);
    return f;
}
}  // namespace

Check checkLogbook(const std::string& path) {
    Check c;
    openChecked(path, c);
    return c;
}

namespace {
// Reads the logbook of a checked file.
std::optional<Contents> readChecked(RecordFile& f, const Check& local, Check* check) {
    Contents log;
    log.lastRecord = local.lastRecord;
    // One read for the whole logbook: a full one is 13.7 MB, and record by
    // record it would be thousands of calls.
    if (!f.readRange(1, static_cast<std::size_t>(local.lastRecord), log.bytes)) {
        if (check) check->problem = Problem::Unreadable;
        return std::nullopt;
    }
    // The file may have changed since it was checked; trust only what the
    // bytes just read say.
    if (records::getInt16(log.bytes, LogRecord::Offset::LastRecord) != log.lastRecord) {
        if (check) check->problem = Problem::Unreadable;
        return std::nullopt;
    }
    return log;
}

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

std::optional<Contents> readLogbook(const std::string& path, Check* check) {
    Check local;
    auto f = openChecked(path, local);
    if (check) *check = local;
    if (!f || !local.ok()) return std::nullopt;
    return readChecked(*f, local, check);
}

records::Status createLogbook(const std::string& path) {
    using records::FileError;
    auto f = RecordFile::openLocked(path, LogRecord::Size, RecordFile::Mode::CreateIfMissing);
    if (!f) return f.failure();
    if (!f->created()) {
        const Check c = checkOpen(*f);
        if (c.sizeBytes % LogRecord::Size != 0 && !c.ok()) return FileError::NotALogbook;
        if (!cutPartialTail(*f, c)) return FileError::WriteFailed;
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
    if (c.lastRecord >= MaxLastRecord) return FileError::Full;
    std::vector<Byte> rec1;
    if (!f->read(1, rec1)) return FileError::WriteFailed;
    const std::int16_t last = c.lastRecord;
    const std::int16_t next = static_cast<std::int16_t>(last + 1);
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

std::vector<std::string> dateList(const Contents& log) {
    std::vector<std::string> dates;
    dates.reserve(log.lastRecord > 1 ? static_cast<std::size_t>(log.lastRecord - 1) : 0);
    for (std::int64_t i = 2; i <= log.lastRecord; ++i) {
        const std::string_view d = trimmedDateView(log.record(i));
        if (!d.empty()) dates.emplace_back(d);
    }
    return dates;
}

namespace {
// Checks the file like readLogbook, then passes records 2 .. LastRecord to
// visit in blocks through one reused buffer: the date list and the search
// read the whole logbook, and 13.7 MB of fresh memory would cost more (its
// pages faulted in and zeroed) than reading the file. Like readLogbook, the
// LastRecord read with the first block must agree with the check, and a
// failed read anywhere fails the whole scan.
template <class Visit>
bool scanChecked(const std::string& path, Visit&& visit) {
    Check c;
    auto f = openChecked(path, c);
    if (!f || !c.ok()) return false;
    constexpr std::int64_t kBlock = 256;  // about 105 KB, inside the second-level cache
    std::vector<Byte> block;
    for (std::int64_t n = 1; n <= c.lastRecord;) {
        const std::int64_t count = std::min<std::int64_t>(kBlock, c.lastRecord - n + 1);
        if (!f->readRange(n, static_cast<std::size_t>(count), block)) return false;
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
}  // namespace

std::vector<std::string> dateList(const std::string& path) {
    std::vector<std::string> dates;
    if (const auto count = flightCount(path)) dates.reserve(*count);
    const bool read = scanChecked(path, [&](std::int64_t, records::ConstByteSpan rec) {
        const std::string_view d = trimmedDateView(rec);
        if (!d.empty()) dates.emplace_back(d);
    });
    return read ? dates : std::vector<std::string>{};
}

std::optional<Found> findFlight(const Contents& log, const std::string& trimmedDate) {
    // Flights without a date are never listed, so a blank text names none
    // of them: removing "" must not take the first undated flight.
    if (blank(trimmedDate)) return std::nullopt;
    for (std::int64_t i = 2; i <= log.lastRecord; ++i) {
        if (trimmedDateView(log.record(i)) == trimmedDate)
            return Found{i, LogRecord::decode(log.record(i))};
    }
    return std::nullopt;
}

std::optional<Found> findFlight(const std::string& path, const std::string& trimmedDate) {
    if (blank(trimmedDate)) return std::nullopt;
    std::optional<Found> found;
    const bool read = scanChecked(path, [&](std::int64_t n, records::ConstByteSpan rec) {
        if (!found && trimmedDateView(rec) == trimmedDate) found = Found{n, LogRecord::decode(rec)};
    });
    return read ? found : std::nullopt;
}

std::string temporaryPath(const std::string& logPath) {
    if (logPath.size() >= 4) {
        std::string ext = logPath.substr(logPath.size() - 4);
        std::transform(ext.begin(), ext.end(), ext.begin(),
                       [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
        if (ext == ".log") return logPath.substr(0, logPath.size() - 4) + ".tmp";
    }
    return logPath + ".tmp";
}

records::Status removeFlight(const std::string& path, const std::string& trimmedDate) {
    using records::FileError;
    Check c;
    auto f = openForWrite(path, c);
    if (!f) return f.failure();
    auto log = readChecked(*f, c, nullptr);
    if (!log) return FileError::NotALogbook;
    const auto found = findFlight(*log, trimmedDate);
    // Without a match nothing is removed: lowering LastRecord anyway would
    // drop the last flight.
    if (!found) return FileError::Gone;

    // The new logbook is built in the buffer just read: the flights after
    // the removed one move down a record, and LastRecord drops by one.
    std::vector<Byte>& out = log->bytes;
    const auto len = static_cast<std::ptrdiff_t>(LogRecord::Size);
    const auto at = static_cast<std::ptrdiff_t>(found->recordNumber - 1) * len;
    std::copy(out.begin() + at + len, out.end(), out.begin() + at);
    out.resize(out.size() - LogRecord::Size);
    records::putInt16(out, LogRecord::Offset::LastRecord,
                      static_cast<std::int16_t>(log->lastRecord - 1));
    return f->replaceContent(path, out);
}

}  // namespace logbook
