// Operations on flight plan files and on Personal.nfo. Each one opens the
// file, reads or writes whole records and closes it again; every write is
// checked and reported through its Result, which says why it failed (Busy
// when another program held the file locked for too long) and leaves the
// file as it was.
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

// Record n of path (n >= 1). A file too short reads as an all-zero record;
// nullopt only when the file cannot be opened or read. Opening creates an
// empty file when none exists, as every planner window does.
std::optional<PlanRecord> readRecord(const std::string& path, std::int64_t n);
// Writes rec as record n.
records::Status writeRecord(const std::string& path, std::int64_t n, const PlanRecord& rec);

// A new plan: record 1 all zero but LastCheckpoint = -1. Later records of an
// existing file stay and are ignored.
PlanRecord freshPlan();
records::Status createPlan(const std::string& path);

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

// Reads record 1 under the lock, merges and writes it back: what another
// program saved since the window read the file stays, apart from the fields
// the window owns. The record written.
records::Result<PlanRecord> savePlanForm(const std::string& path, const PlanRecord& typed);
records::Result<PlanRecord> saveLogHeader(const std::string& path, const PlanRecord& typed);

// Personal.nfo in the current directory: read (all zero when absent or
// unreadable; an absent file is created empty) and rewritten whole: the
// window owns every field the file keeps.
PlanRecord readPersonal();
records::Result<PlanRecord> savePersonal(const PlanRecord& typed);

// Checkpoint counter rules. Only -1..9 is a counter this program writes; a
// file holding anything else is still shown and handled without reaching
// past the ten rows or records 2 to 11.
bool canAddCheckpoint(std::int16_t lastCheckpoint);
// Number of log rows filled from the file (0..10).
int checkpointRows(std::int16_t lastCheckpoint);
// The checkpoints shown: records 2 .. checkpointRows + 1 (nullopt on a read error).
std::optional<std::vector<PlanRecord>> readCheckpoints(const std::string& path,
                                                       std::int16_t lastCheckpoint);

struct AddedCheckpoint {
    int index = -1;         // the new checkpoint's number k (record k + 2)
    PlanRecord checkpoint;  // the record written
};
// Appends typed's checkpoint fields after the last checkpoint the file holds
// now. Refused with Full when the counter allows no further checkpoint. The
// checkpoint record is written before the counter, so a failed write never
// leaves the counter pointing at a record that was not written.
records::Result<AddedCheckpoint> appendCheckpoint(const std::string& path, const PlanRecord& typed);

// The last checkpoint as the file holds it now: the one a removal asks
// about (index -1 when the log holds none); nullopt when it cannot be read.
struct LastCheckpoint {
    std::int16_t index = -1;  // LastCheckpoint of record 1
    PlanRecord checkpoint;    // record index + 2
};
std::optional<LastCheckpoint> lastCheckpoint(const std::string& path);

// Removes the checkpoint the user was asked about: record 1 as it is now,
// with LastCheckpoint one lower. Refused with Changed, writing nothing, when
// the last checkpoint of the file is no longer that one (another program
// removed, added or replaced one meanwhile), and with Gone when asked holds
// none.
records::Status removeLastCheckpoint(const std::string& path, const LastCheckpoint& asked);

}  // namespace planner
