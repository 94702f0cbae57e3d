// Arbitrary bytes as a flight plan record, and as a whole plan file on which
// the checkpoint counter logic runs: nothing may crash or reach past the
// ten checkpoint records.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "planner/PlanFile.h"
#include "planner/PlanRecord.h"

namespace {

std::string planPath() {
    static const std::string path = (std::filesystem::temp_directory_path() /
                                     ("planner_fuzz_" + std::to_string(::getpid()) + ".flt"))
                                        .string();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace planner;
    const records::ConstByteSpan bytes(data, size);

    // Decoding any span, and re-encoding what was decoded, round-trips.
    const PlanRecord rec = PlanRecord::decode(bytes);
    const auto enc = rec.encode();
    if (size >= PlanRecord::Size && !std::equal(enc.begin(), enc.end(), data)) std::abort();
    if (PlanRecord::decode(enc) != rec) std::abort();

    // The same bytes as a plan file.
    const std::string path = planPath();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const auto header = readRecord(path, 1);
    if (!header) std::abort();
    const std::int16_t last = header->LastCheckpoint;
    const int rows = checkpointRows(last);
    if (rows < 0 || rows > kMaxCheckpoints) std::abort();
    const auto cps = readCheckpoints(path, last);
    if (!cps || static_cast<int>(cps->size()) != rows) std::abort();

    const auto merged = mergePlanForm(*header, rec);
    (void)mergeLogHeader(merged, rec);

    const auto before = std::filesystem::file_size(path);
    const auto added = appendCheckpoint(path, rec);
    if (added) {
        if (added->index < 0 || added->index >= kMaxCheckpoints) std::abort();
    } else if (canAddCheckpoint(last)) {
        std::abort();
    }
    // Never beyond record 11, whatever the counter held.
    const auto after = std::filesystem::file_size(path);
    if (after > std::max<std::uintmax_t>(before, 11 * PlanRecord::Size)) std::abort();

    if (const auto again = lastCheckpoint(path)) {
        if (again->index >= 0) {
            if (!removeLastCheckpoint(path, *again)) std::abort();
        } else if (removeLastCheckpoint(path, *again).reason() != records::FileError::Gone) {
            std::abort();
        }
    }
    std::filesystem::remove(path);
    return 0;
}
