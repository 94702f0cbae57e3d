// Operations on a logbook file: creating, checking and reading it, the
// rating record, appending and removing flights. Each call opens the file,
// does its work and closes it again. The ratings mapping, the conversion of a
// typed flight and the sentences for the pilot have headers of their own,
// included here.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "logbook/FlightInput.h"
#include "logbook/LogRecord.h"
#include "logbook/LogbookMessages.h"
#include "logbook/Ratings.h"
#include "records/Fields.h"
#include "records/NumberText.h"
#include "records/RecordFile.h"

namespace logbook {

// LastRecord is an int16: at most 32767 records, 32766 flights.
constexpr std::int16_t MaxLastRecord = 32767;

// Why a file cannot serve as a logbook, or None.
enum class Problem {
    None,
    Missing,             // no such file
    NotRegular,          // a folder, FIFO, device or socket
    Unreadable,          // it cannot be opened or read
    Empty,               // zero bytes
    PartialRecord,       // shorter than the one record 1 needs
    LastRecordBelowOne,  // record 1 gives LastRecord < 1
    LastRecordBeyondEnd  // record 1 names more records than the file holds
};

struct Check {
    Problem problem = Problem::None;
    std::uint64_t sizeBytes = 0;
    std::int16_t lastRecord = 0;
    bool ok() const { return problem == Problem::None; }
};

// Looks at the file's length and record 1 only; never writes or creates.
// Records after LastRecord, a partial one included (a write cut short by a
// crash), do not make a file no logbook: they lie outside it.
Check checkLogbook(const std::string& path);

// A whole logbook read in one go: records 1 .. LastRecord, 420 bytes each.
struct Contents {
    std::int16_t lastRecord = 0;
    std::vector<records::Byte> bytes;  // lastRecord * 420 bytes
    // The bytes of record n (1 .. lastRecord).
    records::ConstByteSpan record(std::int64_t n) const {
        return records::ConstByteSpan(bytes).subspan(
            static_cast<std::size_t>(n - 1) * LogRecord::Size, LogRecord::Size);
    }
};
// Checks the file and reads it; nullopt (with check->problem set) when it is
// no logbook or cannot be read.
std::optional<Contents> readLogbook(const std::string& path, Check* check = nullptr);

// Writes the blank rating record (all zero, LastRecord = 1) as record 1.
// An existing file is not truncated: records after the first stay, outside
// LastRecord, to be overwritten as flights are added. An existing file whose
// length is no whole number of records is refused and left alone, unless it
// is a logbook with a partial record after its last, which is cut off. A new
// file that could not be written is removed again. Refused with NotRegular
// for no regular file and NotALogbook for a length no logbook has.
records::Status createLogbook(const std::string& path);

// Record 1 of a valid logbook; nullopt when the file is no logbook.
std::optional<LogRecord> readRatingRecord(const std::string& path);

// Reads record 1 under the lock, applies the ratings (the rating window's
// fields) and writes it back; LastRecord and the flights stay as they are on
// disk now. On failure the file is as it was, as far as a failing disk
// allows. Synced before it reports success.
records::Status saveRatings(const std::string& path, const Ratings& ratings);

// Appends a flight: writes it at LastRecord + 1 first, then raises
// LastRecord in record 1. On any failure LastRecord keeps naming only
// records that were written, and a partly written record is cut off again.
// Each write is synced before the next, so a power cut too leaves the old or
// the new logbook. The file is locked throughout and LastRecord read under
// the lock, so flights another program added meanwhile stay. A partial
// record after LastRecord is cut off first. Refused with NotALogbook, Full
// (32766 flights), ReadOnly, Busy.
records::Status appendFlight(const std::string& path, const LogRecord& flight);

// Trimmed dates of the flights (records 2 .. LastRecord) whose trimmed date
// is not blank, in file order.
std::vector<std::string> dateList(const Contents& log);
std::vector<std::string> dateList(const std::string& path);

// The first flight whose trimmed date equals date; its record number too.
struct Found {
    std::int64_t recordNumber = 0;
    LogRecord flight;
};
std::optional<Found> findFlight(const Contents& log, const std::string& trimmedDate);
std::optional<Found> findFlight(const std::string& path, const std::string& trimmedDate);

// The logbook's name with a final ".log" (any case) replaced by ".tmp", or
// ".tmp" appended. The removal no longer writes there: a fixed name could be
// shared by two removals or planted beforehand.
std::string temporaryPath(const std::string& logPath);

// Removes the first flight whose trimmed date equals date, with the logbook
// locked: the new logbook is written to a private temporary file beside the
// real file (links resolved), synced, given the old one's mode, owner and
// group and renamed over it, so a failure leaves the old logbook whole. The
// flight is looked for in the logbook as it is under the lock: Gone when no
// flight of that date is in it any more. Other refusals: NotALogbook, Busy,
// ReadOnly, HardLinked, FolderNotWritable, OwnerNotKept (a logbook of
// another owner, shared through its group).
records::Status removeFlight(const std::string& path, const std::string& trimmedDate);
}  // namespace logbook
