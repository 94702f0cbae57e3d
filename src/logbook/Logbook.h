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
#include "logbook/FlightScan.h"
#include "logbook/LogRecord.h"
#include "logbook/LogbookMessages.h"
#include "logbook/Ratings.h"
#include "records/Fields.h"
#include "records/NumberText.h"
#include "records/RecordFile.h"

namespace logbook {

// Writes the blank rating record (all zero, LastRecord = 1) as the whole
// file. An existing file the pilot chose to replace is cut to that one
// record: its old records would otherwise be read as flights of the new
// logbook. An existing file whose length is no whole number of records is
// refused and left alone, unless it is a logbook with a partial record after
// its last. A new file that could not be written is removed again.
enum class CreateResult { Created, NotALogbookLength, CannotWrite, NotRegular, Busy };
CreateResult createLogbook(const std::string& path);

// Record 1 of a valid logbook; nullopt when the file is no logbook.
std::optional<LogRecord> readRatingRecord(const std::string& path);

// Reads record 1, applies the ratings and writes it back, its count
// corrected to the flights the file holds. False when the
// file is no logbook or the write fails; the file is then as it was, as far
// as a failing disk allows. Synced before it returns true; why (when given)
// says what kept the file from being written.
bool saveRatings(const std::string& path, const Ratings& ratings,
                 records::FileError* why = nullptr);

// Appends a flight after the last whole flight in the file (Extent::Whole:
// flights saved but never counted are kept and counted now; a count that
// names more records than the file holds is corrected): writes it first,
// then sets LastRecord in record 1 to it. On any failure LastRecord keeps naming only
// records that were written, and a partly written record is cut off again.
// Each write is synced before the next, so a power cut too leaves the old or
// the new logbook. The file is locked throughout; Busy when another program
// held it too long. A partial record after LastRecord is cut off first.
enum class AppendResult { Appended, NotALogbook, Full, WriteFailed, Busy };
AppendResult appendFlight(const std::string& path, const LogRecord& flight);
// Appends many flights (420 bytes each) all or none: under the lock the new
// logbook is written whole and replaces the old one as a removal does. why
// (when given) says what kept the file from being opened or replaced.
AppendResult appendFlights(const std::string& path, records::ConstByteSpan flights,
                           records::FileError* why = nullptr);

// Trimmed dates of the flights (Extent::Whole) whose trimmed date is not
// blank, in file order.
std::vector<std::string> dateList(const std::string& path);

// The first flight whose trimmed date equals date; its record number too.
struct Found {
    std::int64_t recordNumber = 0;
    LogRecord flight;
};
std::optional<Found> findFlight(const std::string& path, const std::string& trimmedDate);

// Removes the first flight whose trimmed date equals date, with the logbook
// locked; every other whole flight stays and is counted. Under the lock the new logbook is written
// to a private temporary file beside the real file (links resolved), synced, given the old one's
// mode, owner and group and renamed over it, so a failure leaves the old logbook whole.
enum class RemoveResult {
    Removed,
    NotALogbook,
    NoSuchFlight,
    WriteFailed,
    Busy,               // another program held the logbook too long
    ReadOnly,           // the logbook may not be written
    HardLinked,         // the logbook has several names; replacing it would part them
    FolderNotWritable,  // no new logbook can be made in its folder
};
RemoveResult removeFlight(const std::string& path, const std::string& trimmedDate);
}  // namespace logbook
