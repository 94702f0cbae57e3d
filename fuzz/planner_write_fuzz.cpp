// The planner's writers on any starting file (the fuzz input): the plan form
// and log header saves, adding and removing a checkpoint, a new plan, and the
// personal information save. Afterwards the file is either unchanged or holds
// exactly the intended change. Only record 1 and the checkpoints its counter
// names are the plan: what lies beyond is not compared after a write.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzFiles.h"
#include "planner/PlanFile.h"
#include "planner/PlanRecord.h"

namespace {

using fuzzfiles::Bytes;
using fuzzfiles::require;
constexpr std::size_t kPlanRecLen = planner::PlanRecord::Size;
using planner::PlanRecord;

constexpr std::size_t CounterAt = 769;  // LastCheckpoint in record 1

Bytes record(const Bytes& file, std::int64_t n) { return fuzzfiles::record(file, kPlanRecLen, n); }

Bytes encoded(const PlanRecord& r) {
    const auto e = r.encode();
    return Bytes(e.begin(), e.end());
}

std::int16_t counterOf(const Bytes& file) { return records::getInt16(record(file, 1), CounterAt); }

// Checkpoint rows a counter names: -1 none, 0 .. 9 one to ten; anything
// else is held to that range.
int rowsOf(std::int16_t counter) { return std::clamp(counter + 1, 0, planner::kMaxCheckpoints); }

// Records 2 .. rows + 1 of both files, as a reader sees them, agree.
bool sameCheckpoints(const Bytes& a, const Bytes& b, int rows) {
    for (int k = 0; k < rows; ++k)
        if (record(a, k + 2) != record(b, k + 2)) return false;
    return true;
}

void requireUnchanged(const Bytes& start, const Bytes& after, const char* rule) {
    require(record(after, 1) == record(start, 1) &&
                sameCheckpoints(start, after, rowsOf(counterOf(start))) &&
                after.size() <= std::max(start.size(), kPlanRecLen),
            rule);
}

// Record 1 written, the first `kept` checkpoints as they were.
void requireRecord1(const Bytes& start, const Bytes& after, const Bytes& rec1, int kept,
                    const char* rule) {
    require(after.size() >= kPlanRecLen && record(after, 1) == rec1, rule);
    require(sameCheckpoints(start, after, kept), "writing record 1 keeps the checkpoints");
}

template <class Save, class Merge>
void saveHeader(const Bytes& start, const std::string& path, const PlanRecord& typed, Save save,
                Merge merge) {
    fuzzfiles::put(path, start);
    const auto saved = save(path, typed);
    const Bytes after = fuzzfiles::get(path);
    require(saved.has_value(), "a plan file takes record 1");
    const PlanRecord old = PlanRecord::decode(record(start, 1));
    require(*saved == merge(old, typed), "record 1 is the old one merged with the typed one");
    require(saved->LastCheckpoint == old.LastCheckpoint, "a header save keeps the counter");
    requireRecord1(start, after, encoded(*saved), rowsOf(old.LastCheckpoint),
                   "record 1 holds what the save returned");
}

void addCheckpoint(const Bytes& start, const std::string& path, const PlanRecord& typed) {
    fuzzfiles::put(path, start);
    const std::int16_t counter = counterOf(start);
    const auto added = planner::appendCheckpoint(path, typed);
    const Bytes after = fuzzfiles::get(path);
    if (counter < -1 || counter > planner::kMaxCheckpoints - 2) {
        require(added.reason() == records::FileError::Full, "no checkpoint beyond the tenth");
        requireUnchanged(start, after, "a refused checkpoint leaves the plan as it was");
        return;
    }
    const int k = counter + 1;
    require(added.ok() && added->index == k, "a checkpoint goes after the last one");
    require(added->checkpoint == planner::checkpointOnly(typed),
            "only the checkpoint fields are written");
    Bytes rec1 = record(start, 1);
    records::putInt16(rec1, CounterAt, static_cast<std::int16_t>(k));
    requireRecord1(start, after, rec1, rowsOf(counter),
                   "adding a checkpoint raises the counter only");
    require(after.size() >= static_cast<std::size_t>(k + 2) * kPlanRecLen &&
                record(after, k + 2) == encoded(added->checkpoint),
            "the checkpoint is the record the counter names");
}

void removeCheckpoint(const Bytes& start, const std::string& path) {
    fuzzfiles::put(path, start);
    const std::int16_t counter = counterOf(start);
    const auto asked = planner::lastCheckpoint(path);
    require(asked && asked->index == counter, "the last checkpoint is the counter's");
    const auto result = planner::removeLastCheckpoint(path, *asked);
    const Bytes after = fuzzfiles::get(path);
    if (counter < 0) {
        require(result.reason() == records::FileError::Gone, "no checkpoint, none removed");
        requireUnchanged(start, after, "removing no checkpoint leaves the plan as it was");
        return;
    }
    require(result.ok(), "the last checkpoint can be removed");
    Bytes rec1 = record(start, 1);
    records::putInt16(rec1, CounterAt, static_cast<std::int16_t>(counter - 1));
    requireRecord1(start, after, rec1, rowsOf(static_cast<std::int16_t>(counter - 1)),
                   "removing a checkpoint lowers the counter only");
}

void create(const Bytes& start, const std::string& path) {
    fuzzfiles::put(path, start);
    require(planner::createPlan(path).ok(), "a plan file can be made new");
    Bytes fresh(kPlanRecLen, 0);
    fresh[CounterAt] = fresh[CounterAt + 1] = 0xFF;  // -1: no checkpoint
    const Bytes after = fuzzfiles::get(path);
    require(after.size() >= kPlanRecLen && record(after, 1) == fresh,
            "a new plan is blank with no checkpoint");
}

// Personal.nfo lives in the working directory.
void personal(const Bytes& start, const PlanRecord& typed) {
    const fuzzfiles::InScratchDir here;
    const std::string path = fuzzfiles::scratchPath(planner::kPersonalFile);
    fuzzfiles::put(path, start);
    require(planner::readPersonal() == PlanRecord::decode(record(start, 1)),
            "Personal.nfo reads as its record 1");
    const auto saved = planner::savePersonal(typed);
    require(saved.has_value() && *saved == planner::personalOnly(typed),
            "the personal fields are saved");
    const Bytes after = fuzzfiles::get(path);
    require(after.size() >= kPlanRecLen && record(after, 1) == encoded(*saved),
            "Personal.nfo holds what the save returned");
    require(planner::readPersonal() == *saved, "the saved personal record reads back");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes start(data, data + size);
    // What is typed: the input's last 1006 bytes, whatever they hold.
    const std::size_t n = std::min(size, kPlanRecLen);
    const PlanRecord typed = PlanRecord::decode(records::ConstByteSpan(start).last(n));
    const std::string path = fuzzfiles::scratchPath("fuzz.flt");

    saveHeader(start, path, typed, planner::savePlanForm, planner::mergePlanForm);
    saveHeader(start, path, typed, planner::saveLogHeader, planner::mergeLogHeader);
    addCheckpoint(start, path, typed);
    removeCheckpoint(start, path);
    create(start, path);
    personal(start, typed);
    return 0;
}
