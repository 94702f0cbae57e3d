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
// its last. A new file that could not be written is removed again. Refused
// with NotRegular for no regular file and NotALogbook for a length no
// logbook has.
records::Status createLogbook(const std::string& path);

// Record 1 of a valid logbook; nullopt when the file is no logbook.
std::optional<LogRecord> readRatingRecord(const std::string& path);

// Reads record 1 under the lock, applies the ratings (the rating window's
// fields) and writes it back, its count corrected to the flights the file
// holds; the flights stay as they are on disk now. On failure the file is as
// it was, as far as a failing disk allows. Synced before it reports success.
records::Status saveRatings(const std::string& path, const Ratings& ratings);

// Appends a flight after the last whole flight in the file (Extent::Whole:
// flights saved but never counted are kept and counted now; a count that
// names more records than the file holds is corrected): writes it first,
// then sets LastRecord in record 1 to it. On any failure LastRecord keeps naming only
// records that were written, and a partly written record is cut off again.
// Each write is synced before the next, so a power cut too leaves the old or
// the new logbook. The file is locked throughout and LastRecord read under
// the lock, so flights another program added meanwhile stay. A partial
// record after LastRecord is cut off first. Refused with NotALogbook, Full
// (32766 flights), ReadOnly, Busy.
records::Status appendFlight(const std::string& path, const LogRecord& flight);
// Appends many flights (420 bytes each) all or none: under the lock the new
// logbook (every whole flight the file holds, then these) is written whole
// and replaces the old one as a removal does.
records::Status appendFlights(const std::string& path, records::ConstByteSpan flights);

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
// The flight is looked for in the logbook as it is under the lock: Gone when
// no flight of that date is in it any more. Other refusals: NotALogbook,
// Busy, ReadOnly, HardLinked, FolderNotWritable, OwnerNotKept (a logbook of
// another owner, shared through its group).
records::Status removeFlight(const std::string& path, const std::string& trimmedDate);
}  // namespace logbook
