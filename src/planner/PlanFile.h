// Operations on flight plan files and on Personal.nfo. Each one opens the
// file, reads or writes whole records and closes it again; every write is
// checked and reported through the result. A write that found the file
// locked by another program for too long reports Busy (through why, where
// a function takes it) and leaves the file as it was.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "planner/PlanRecord.h"
#include "records/RecordFile.h"

namespace planner {

// The personal information file, by its bare name in the working directory.
inline constexpr const char* kPersonalFile = "Personal.nfo";

// The log has ten rows and the file reserves records 2 to 11 for them.
inline constexpr int kMaxCheckpoints = 10;

enum class WriteResult { Ok, OpenFailed, WriteFailed, Full, NoCheckpoint, Busy };

// Record n of path (n >= 1). A file too short reads as an all-zero record;
// nullopt only when the file cannot be opened or read. Opening creates an
// empty file when none exists, as every planner window does.
std::optional<PlanRecord> readRecord(const std::string& path, std::int64_t n);
// Writes rec as record n; false when the file cannot be opened or written.
// why, when given, tells the reason of a failure (Busy among them).
bool writeRecord(const std::string& path, std::int64_t n, const PlanRecord& rec,
                 records::FileError* why = nullptr);

// A new plan: record 1 all zero but LastCheckpoint = -1. Later records of an
// existing file stay and are ignored.
PlanRecord freshPlan();
bool createPlan(const std::string& path, records::FileError* why = nullptr);

// The record each writer of record 1 builds from the record read first and
// the fields typed into its window (the other fields of typed are ignored).
// Plan form: flags, Special..FuelMinutes, Aboard..AircraftIdent typed;
// TimeOff..RunwayInfo and LastCheckpoint kept; the rest zero.
PlanRecord mergePlanForm(const PlanRecord& old, const PlanRecord& typed);
// Log header: Departure..RunwayInfo typed; flags, Special..FuelMinutes,
// Aboard..AircraftType and LastCheckpoint kept; the rest zero.
PlanRecord mergeLogHeader(const PlanRecord& old, const PlanRecord& typed);
// Personal.nfo: PilotName..HomeBase, the rest zero.
PlanRecord personalOnly(const PlanRecord& typed);
// A checkpoint record: CheckName..CheckFuelRem, the rest zero.
PlanRecord checkpointOnly(const PlanRecord& typed);

// Reads record 1, merges and writes it back; the record written, or nullopt
// when the file could not be read or written.
std::optional<PlanRecord> savePlanForm(const std::string& path, const PlanRecord& typed,
                                       records::FileError* why = nullptr);
std::optional<PlanRecord> saveLogHeader(const std::string& path, const PlanRecord& typed,
                                        records::FileError* why = nullptr);

// Personal.nfo in the current directory: read (all zero when absent or
// unreadable; an absent file is created empty) and rewritten whole.
PlanRecord readPersonal();
std::optional<PlanRecord> savePersonal(const PlanRecord& typed, records::FileError* why = nullptr);

// Checkpoint counter rules. Only -1..9 is a counter this program writes; a
// file holding anything else is still shown and handled without reaching
// past the ten rows or records 2 to 11.
bool canAddCheckpoint(std::int16_t lastCheckpoint);
// Number of log rows filled from the file (0..10).
int checkpointRows(std::int16_t lastCheckpoint);
// The checkpoints shown: records 2 .. checkpointRows + 1 (nullopt on a read error).
std::optional<std::vector<PlanRecord>> readCheckpoints(const std::string& path,
                                                       std::int16_t lastCheckpoint);

struct AppendResult {
    WriteResult result = WriteResult::OpenFailed;
    int index = -1;         // the new checkpoint's number k (record k + 2)
    PlanRecord checkpoint;  // the record written
};
// Appends typed's checkpoint fields after the last checkpoint. Refused with
// Full when the counter allows no further checkpoint, Busy when another
// program holds the file. The checkpoint record
// is written before the counter, so a failed write never leaves the counter
// pointing at a record that was not written.
AppendResult appendCheckpoint(const std::string& path, const PlanRecord& typed);

// Writes record 1 as read, with LastCheckpoint one lower (NoCheckpoint when
// the record holds none, Busy when another program holds the file).
WriteResult removeLastCheckpoint(const std::string& path, const PlanRecord& asRead);

}  // namespace planner
