// Reading a logbook: checking it and visiting its flights. Every reader of
// flights (the viewer, the reports, the removal, the converter) goes through
// the one scan here, so they all agree on which records are flights.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "logbook/LogRecord.h"
#include "records/Fields.h"
#include "records/RecordFile.h"

namespace logbook {

// LastRecord is an int16: at most 32767 records, 32766 flights.
constexpr std::int16_t MaxLastRecord = 32767;

// Which records of a logbook are its flights.
enum class Extent {
    // Records 2 .. LastRecord, and only when the file holds all of them: the
    // logbook exactly as its record 1 describes it.
    Counted,
    // What the file holds, for a logbook whose record 1 was written by a
    // logbook program (its flight part is all zero bytes): every whole record
    // after record 1, up to the highest record number. A count cut short (a
    // copy cut off, a save that stopped) is bounded by what the file holds,
    // and whole flights after the count (saved but never counted) are
    // flights too. Any other file is read as Counted, so that a text file
    // named .log is never taken for a damaged logbook. How Aerokit reads and
    // writes a logbook.
    Whole,
};

// Why a file cannot serve as a logbook, or None.
enum class LogbookFault {
    None,
    Missing,             // no such file
    NotRegular,          // a folder, FIFO, device or socket
    Unreadable,          // it cannot be opened or read
    Empty,               // zero bytes
    PartialRecord,       // shorter than the one record 1 needs
    LastRecordBelowOne,  // record 1 gives LastRecord < 1
    LastRecordBeyondEnd  // record 1 names more records than the file holds (Counted only)
};

struct Check {
    LogbookFault problem = LogbookFault::None;
    std::uint64_t sizeBytes = 0;
    std::int16_t lastRecord = 0;  // as record 1 gives it
    // The record number of the last flight as the extent reads the file
    // (1: no flights).
    std::int64_t lastFlight = 0;
    bool ok() const { return problem == LogbookFault::None; }

    // Whole records in the file, record 1 included.
    std::int64_t wholeRecords() const {
        return static_cast<std::int64_t>(sizeBytes / LogRecord::Size);
    }
    // Bytes of a record cut short at the end of the file.
    std::uint64_t partialBytes() const { return sizeBytes % LogRecord::Size; }
    // Record 1's count, the whole records and the file's end all agree:
    // nothing to tell the pilot, nothing to correct.
    bool consistent() const { return ok() && lastRecord == wholeRecords() && partialBytes() == 0; }
};

// Looks at the file's length and record 1 only; never writes or creates.
// A partial record at the end (a write cut short by a crash) never makes a
// file no logbook; under Whole a count that disagrees with the file does not
// either, for a logbook's record 1.
Check checkLogbook(const std::string& path, Extent extent = Extent::Whole);
// The same for a file already open (a locked one, for a write).
Check checkOpen(records::RecordFile& file, Extent extent = Extent::Whole);
// The same from a file's length and its record 1 (shorter when the file is).
Check checkFirstRecord(std::uint64_t sizeBytes, records::ConstByteSpan rec1,
                       Extent extent = Extent::Whole);

using FlightVisit = std::function<void(std::int64_t recordNumber, records::ConstByteSpan)>;

// Visits the flight records 2 .. check.lastFlight of an open file that
// check describes, in ascending order, 420 bytes each. The flights are
// read in blocks of a few hundred records through one reused buffer: a
// logbook of 32766 flights streams through the cache instead of filling
// 13.7 MB of fresh memory. Record 1, read with the first block, must still
// give the count the check saw. False when a read fails.
bool scanOpen(records::RecordFile& file, const Check& check, const FlightVisit& visit);

// Opens the file read-only (it is never written here), checks it and scans
// it. False when it is no logbook under the extent or cannot be read; check
// (when given) says why.
bool scanLogbook(const std::string& path, Extent extent, const FlightVisit& visit,
                 Check* check = nullptr);

// Every flight as Aerokit reads it (Extent::Whole), for the analyses.
bool forEachFlight(const std::string& path,
                   const std::function<void(records::ConstByteSpan)>& visit);

// How many flights forEachFlight visits; nullopt when the file is no
// logbook or cannot be read.
std::optional<std::size_t> flightCount(const std::string& path);

}  // namespace logbook
