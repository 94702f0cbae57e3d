#include "planner/PlanFile.h"

#include <algorithm>

#include "records/RecordFile.h"

namespace planner {
namespace {

using records::RecordFile;

std::optional<RecordFile> openPlan(const std::string& path) {
    return RecordFile::open(path, PlanRecord::Size, RecordFile::Mode::CreateIfMissing);
}

void copyPlanFormFields(const PlanRecord& from, PlanRecord& to) {
    to.IsVFR = from.IsVFR;
    to.IsIFR = from.IsIFR;
    to.IsDVFR = from.IsDVFR;
    to.Special = from.Special;
    to.ProposedTime = from.ProposedTime;
    to.ActualTime = from.ActualTime;
    to.Route = from.Route;
    to.EnRouteHours = from.EnRouteHours;
    to.EnRouteMinutes = from.EnRouteMinutes;
    to.Remarks = from.Remarks;
    to.FuelHours = from.FuelHours;
    to.FuelMinutes = from.FuelMinutes;
    to.Aboard = from.Aboard;
    to.Color = from.Color;
    to.CloseWith = from.CloseWith;
    to.AircraftType = from.AircraftType;
}

void copySharedFields(const PlanRecord& from, PlanRecord& to) {
    to.Departure = from.Departure;
    to.Destination = from.Destination;
    to.Alternates = from.Alternates;
    to.CruiseAltitude = from.CruiseAltitude;
    to.TrueAirspeed = from.TrueAirspeed;
    to.AircraftIdent = from.AircraftIdent;
}

void copyLogOnlyFields(const PlanRecord& from, PlanRecord& to) {
    to.TimeOff = from.TimeOff;
    to.TimeOn = from.TimeOn;
    to.Elapsed = from.Elapsed;
    to.FuelOnBoard = from.FuelOnBoard;
    to.FuelRate = from.FuelRate;
    to.FuelRequired = from.FuelRequired;
    to.FuelRemaining = from.FuelRemaining;
    to.RunwayInfo = from.RunwayInfo;
}

}  // namespace

std::optional<PlanRecord> readRecord(const std::string& path, std::int64_t n) {
    auto f = openPlan(path);
    // A file we may read but not write (read-only medium) still shows.
    if (!f) f = RecordFile::open(path, PlanRecord::Size, RecordFile::Mode::ReadOnly);
    if (!f) return std::nullopt;
    std::vector<records::Byte> bytes;
    if (!f->read(n, bytes)) return std::nullopt;
    f->close();
    return PlanRecord::decode(bytes);
}

namespace {
using records::FileError;

// Opens a plan file for one write step, locked against other writers.
records::Result<RecordFile> lockPlan(const std::string& path) {
    return RecordFile::openLocked(path, PlanRecord::Size, RecordFile::Mode::CreateIfMissing);
}

// Writes and syncs record n of a locked file. On failure a file that grew
// is cut back to its length before, and a file made for this write goes.
bool writeSynced(RecordFile& f, const std::string& path, std::int64_t n, const PlanRecord& rec) {
    const std::uint64_t before = f.sizeBytes();
    const auto bytes = rec.encode();
    if (f.write(n, bytes) && f.sync()) return true;
    f.truncate(before);
    if (f.created() && before == 0) f.discardCreated(path);
    return false;
}
}  // namespace

records::Status writeRecord(const std::string& path, std::int64_t n, const PlanRecord& rec) {
    auto f = lockPlan(path);
    if (!f) return f.failure();
    if (!writeSynced(*f, path, n, rec)) return FileError::WriteFailed;
    return {};
}

PlanRecord freshPlan() {
    PlanRecord r;
    r.LastCheckpoint = -1;
    return r;
}

records::Status createPlan(const std::string& path) { return writeRecord(path, 1, freshPlan()); }

PlanRecord mergePlanForm(const PlanRecord& old, const PlanRecord& typed) {
    PlanRecord r;
    copyLogOnlyFields(old, r);
    r.LastCheckpoint = old.LastCheckpoint;
    copyPlanFormFields(typed, r);
    copySharedFields(typed, r);
    return r;
}

PlanRecord mergeLogHeader(const PlanRecord& old, const PlanRecord& typed) {
    PlanRecord r;
    copyPlanFormFields(old, r);
    r.LastCheckpoint = old.LastCheckpoint;
    copySharedFields(typed, r);
    copyLogOnlyFields(typed, r);
    return r;
}

PlanRecord personalOnly(const PlanRecord& typed) {
    PlanRecord r;
    r.PilotName = typed.PilotName;
    r.Street = typed.Street;
    r.City = typed.City;
    r.State = typed.State;
    r.Zip = typed.Zip;
    r.Phone = typed.Phone;
    r.HomeBase = typed.HomeBase;
    return r;
}

PlanRecord checkpointOnly(const PlanRecord& typed) {
    PlanRecord r;
    r.CheckName = typed.CheckName;
    r.NavIdent = typed.NavIdent;
    r.NavFreq = typed.NavFreq;
    r.ToRadial = typed.ToRadial;
    r.FromRadial = typed.FromRadial;
    r.TrueCourse = typed.TrueCourse;
    r.WindCorrection = typed.WindCorrection;
    r.TrueHeading = typed.TrueHeading;
    r.Variation = typed.Variation;
    r.MagHeading = typed.MagHeading;
    r.Deviation = typed.Deviation;
    r.CorrectedHeading = typed.CorrectedHeading;
    r.LegDist = typed.LegDist;
    r.LegDistRem = typed.LegDistRem;
    r.EstGroundSpeed = typed.EstGroundSpeed;
    r.ActGroundSpeed = typed.ActGroundSpeed;
    r.LegETE = typed.LegETE;
    r.LegATE = typed.LegATE;
    r.LegETA = typed.LegETA;
    r.LegATA = typed.LegATA;
    r.FuelUsed = typed.FuelUsed;
    r.CheckFuelRem = typed.CheckFuelRem;
    return r;
}

namespace {
template <class Merge>
records::Result<PlanRecord> saveRecord1(const std::string& path, const PlanRecord& typed,
                                        Merge merge) {
    // Read and write under one lock: another window's save in between
    // would otherwise be overwritten by what this one read before it.
    auto f = lockPlan(path);
    if (!f) return f.failure();
    std::vector<records::Byte> bytes;
    if (!f->read(1, bytes)) return FileError::WriteFailed;
    const PlanRecord rec = merge(PlanRecord::decode(bytes), typed);
    if (!writeSynced(*f, path, 1, rec)) return FileError::WriteFailed;
    return rec;
}
}  // namespace

records::Result<PlanRecord> savePlanForm(const std::string& path, const PlanRecord& typed) {
    return saveRecord1(path, typed, mergePlanForm);
}

records::Result<PlanRecord> saveLogHeader(const std::string& path, const PlanRecord& typed) {
    return saveRecord1(path, typed, mergeLogHeader);
}

PlanRecord readPersonal() {
    auto r = readRecord(kPersonalFile, 1);
    return r ? *r : PlanRecord{};
}

records::Result<PlanRecord> savePersonal(const PlanRecord& typed) {
    const PlanRecord rec = personalOnly(typed);
    if (auto done = writeRecord(kPersonalFile, 1, rec); !done) return done.failure();
    return rec;
}

bool canAddCheckpoint(std::int16_t lastCheckpoint) {
    return lastCheckpoint >= -1 && lastCheckpoint < kMaxCheckpoints - 1;
}

int checkpointRows(std::int16_t lastCheckpoint) {
    return std::clamp(static_cast<int>(lastCheckpoint) + 1, 0, kMaxCheckpoints);
}

std::optional<std::vector<PlanRecord>> readCheckpoints(const std::string& path,
                                                       std::int16_t lastCheckpoint) {
    std::vector<PlanRecord> out;
    const int rows = checkpointRows(lastCheckpoint);
    if (rows == 0) return out;
    auto f = openPlan(path);
    if (!f) f = RecordFile::open(path, PlanRecord::Size, RecordFile::Mode::ReadOnly);
    if (!f) return std::nullopt;
    std::vector<records::Byte> bytes;
    if (!f->readRange(2, static_cast<std::size_t>(rows), bytes)) return std::nullopt;
    f->close();
    for (int k = 0; k < rows; ++k)
        out.push_back(PlanRecord::decode(records::ConstByteSpan(bytes).subspan(
            static_cast<std::size_t>(k) * PlanRecord::Size, PlanRecord::Size)));
    return out;
}

records::Result<AddedCheckpoint> appendCheckpoint(const std::string& path,
                                                  const PlanRecord& typed) {
    auto f = lockPlan(path);
    if (!f) return f.failure();
    std::vector<records::Byte> bytes;
    if (!f->read(1, bytes)) return FileError::WriteFailed;
    PlanRecord header = PlanRecord::decode(bytes);
    if (!canAddCheckpoint(header.LastCheckpoint)) return FileError::Full;
    const int k = header.LastCheckpoint + 1;
    AddedCheckpoint added{k, checkpointOnly(typed)};
    header.LastCheckpoint = static_cast<std::int16_t>(k);
    // The checkpoint first and on the disk, then the counter that names it.
    // A failure cuts the file back to its length before.
    const std::uint64_t before = f->sizeBytes();
    if (!writeSynced(*f, path, k + 2, added.checkpoint)) return FileError::WriteFailed;
    if (!writeSynced(*f, path, 1, header)) {
        const auto again = f->read(1);
        if (PlanRecord::decode(again).LastCheckpoint != k - 1 && f->write(1, bytes)) f->sync();
        if (PlanRecord::decode(f->read(1)).LastCheckpoint == k - 1) f->truncate(before);
        return FileError::WriteFailed;
    }
    return added;
}

std::optional<LastCheckpoint> lastCheckpoint(const std::string& path) {
    const auto header = readRecord(path, 1);
    if (!header) return std::nullopt;
    LastCheckpoint last{header->LastCheckpoint, {}};
    if (last.index < 0) return last;
    const auto checkpoint = readRecord(path, last.index + 2);
    if (!checkpoint) return std::nullopt;
    last.checkpoint = *checkpoint;
    return last;
}

records::Status removeLastCheckpoint(const std::string& path, const LastCheckpoint& asked) {
    if (asked.index < 0) return FileError::Gone;
    auto f = lockPlan(path);
    if (!f) return f.failure();
    // Record 1 as it is now, not as it was when the user was asked: a header
    // saved or a checkpoint added meanwhile by another program stays.
    std::vector<records::Byte> bytes;
    if (!f->read(1, bytes)) return FileError::WriteFailed;
    PlanRecord header = PlanRecord::decode(bytes);
    if (header.LastCheckpoint != asked.index ||
        PlanRecord::decode(f->read(asked.index + 2)) != asked.checkpoint)
        return FileError::Changed;
    header.LastCheckpoint = static_cast<std::int16_t>(asked.index - 1);
    if (!writeSynced(*f, path, 1, header)) return FileError::WriteFailed;
    return {};
}

}  // namespace planner
