// Fuzzes the aircraft record decoder, the loading calculation on whatever a
// damaged aircraft file could hold, and the definition checks.
//
// Input: the first 290 bytes are an aircraft record (short input is completed
// with zeros); what follows, split at newlines, gives the texts of the boxes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "wandb/AircraftFiles.h"
#include "wandb/AircraftRecord.h"
#include "wandb/Loading.h"

namespace {

std::vector<std::string> splitTexts(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> out(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n')
            out.emplace_back();
        else
            out.back().push_back(static_cast<char>(data[i]));
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::size_t recBytes =
        size < wandb::AircraftRecord::Size ? size : wandb::AircraftRecord::Size;
    const wandb::AircraftRecord rec =
        wandb::AircraftRecord::decode(std::span<const std::uint8_t>(data, recBytes));

    // Encoding gives back the very bytes read, zeros for what was missing.
    std::array<std::uint8_t, wandb::AircraftRecord::Size> expected{};
    if (recBytes) std::memcpy(expected.data(), data, recBytes);
    if (rec.encode() != expected) std::abort();

    const auto texts = splitTexts(data + recBytes, size - recBytes);
    auto text = [&](std::size_t i) { return i < texts.size() ? texts[i] : std::string(); };

    wandb::LoadingInput in;
    in.emptyWeight = text(0);
    in.emptyMoment = text(1);
    in.ident = rec.Ident.raw();
    for (std::size_t i = 0; i < wandb::kStationCount; ++i) {
        in.pounds[i] = text(2 + i);
        in.shown[i] = rec.hasStation(wandb::kStations[i]);
    }
    for (std::size_t t = 0; t < 3; ++t) in.tankGallons[t] = text(12 + t);
    in.oilQuarts = text(15);
    const wandb::LoadingOutcome out = wandb::calculateLoading(in, rec);
    if (out.result && (out.result->totalWeight == 0 || out.result->zeroFuelWeight == 0))
        std::abort();
    (void)wandb::calculateLoading(in, std::nullopt);

    for (const std::string& t : {text(12), text(13), text(15)}) {
        (void)wandb::gallonsToPoundsText(t);
        (void)wandb::poundsToGallonsText(t);
        (void)wandb::quartsToPoundsText(t);
    }

    wandb::AircraftDefinition def;
    std::string* boxes[] = {&def.Ident,       &def.Make,       &def.EmptyWeight, &def.EmptyMoment,
                            &def.MaxTOweight, &def.FwdCGLimit, &def.AftCGLimit,  &def.Seat1Name,
                            &def.Seat1Arm,    &def.Bag2Arm,    &def.Tank3Name,   &def.OilArm};
    for (std::size_t i = 0; i < std::size(boxes); ++i) *boxes[i] = text(16 + i);
    const auto built = wandb::buildAircraft(def);
    if (const auto* a = std::get_if<wandb::AircraftRecord>(&built)) {
        if (!wandb::identUsable(a->Ident.raw())) std::abort();
        const std::string name = wandb::aircraftFileName(a->Ident.raw());
        if (name.find('/') != std::string::npos || name == "..pln") std::abort();
    }
    return 0;
}
