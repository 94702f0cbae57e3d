// The aircraft save on any starting file (the fuzz input): the file reads as
// its first 290 bytes, and after the save it is exactly the one record saved,
// found once in the list of aircraft files.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzFiles.h"
#include "wandb/AircraftFiles.h"
#include "wandb/AircraftRecord.h"

namespace {

using fuzzfiles::Bytes;
using fuzzfiles::require;

Bytes encoded(const wandb::AircraftRecord& r) {
    const auto e = r.encode();
    return Bytes(e.begin(), e.end());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes start(data, data + size);
    // The record saved: the input's second half, whatever it holds.
    const wandb::AircraftRecord rec =
        wandb::AircraftRecord::decode(records::ConstByteSpan(start).subspan(size / 2));

    const fuzzfiles::InScratchDir here;  // the list looks in the working directory
    const std::string name = "N1.pln";
    const std::string path = fuzzfiles::scratchPath(name);
    fuzzfiles::put(path, start);

    const auto loaded = wandb::loadAircraft(path);
    require(loaded && encoded(*loaded) == fuzzfiles::record(start, wandb::AircraftRecord::Size, 1),
            "an aircraft file reads as its first record");

    require(wandb::saveAircraft(path, rec).ok(), "an aircraft file can be replaced");
    require(fuzzfiles::get(path) == encoded(rec), "the file is the one record saved");
    const auto again = wandb::loadAircraft(path);
    require(again && encoded(*again) == encoded(rec), "the saved aircraft reads back");
    require(wandb::listAircraftFiles() == std::vector<std::string>{name},
            "the saved aircraft is listed once, and nothing else is");
    return 0;
}
