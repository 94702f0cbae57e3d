// The loading of an aircraft: fuel and oil conversions and the centre of
// gravity, in single precision rounded at each step.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "records/NumberText.h"
#include "wandb/AircraftRecord.h"

namespace wandb {

constexpr float kPoundsPerGallon = 6.0f;
constexpr double kPoundsPerQuart = 1.875;

// Gallons to pounds and back, as the pounds or gallons box shows them.
// nullopt when the text is no number or the result overflows.
std::optional<std::string> gallonsToPoundsText(std::string_view gallons,
                                               const records::NumberLocale& loc = {});
std::optional<std::string> poundsToGallonsText(std::string_view pounds,
                                               const records::NumberLocale& loc = {});
// Quarts of oil to pounds, in double precision.
std::optional<std::string> quartsToPoundsText(std::string_view quarts,
                                              const records::NumberLocale& loc = {});

// What the calculation reads from the window. Texts are Windows-1252.
struct LoadingInput {
    std::string emptyWeight;  // the empty weight label
    std::string emptyMoment;  // the empty moment label
    std::string ident;        // the ident box; names the aircraft file to read
    // Per station (seat 1..3, baggage 1..3, tank 1..3, oil): the pounds box,
    // and whether the station's row is shown. A hidden row contributes nothing.
    std::array<std::string, kStationCount> pounds;
    std::array<bool, kStationCount> shown{};
    std::array<std::string, 3> tankGallons;
    std::string oilQuarts;
};

// The figures of a successful calculation.
struct LoadingResult {
    float totalWeight = 0, totalMoment = 0, zeroFuelWeight = 0, zeroFuelMoment = 0;
    float takeoffCG = 0, zeroFuelCG = 0;
};

// What the calculation writes, step by step. When it fails part-way, what it
// wrote before the failure is still to be shown; result stays empty.
struct LoadingOutcome {
    std::array<std::optional<std::string>, 3> tankPounds;  // new pounds box texts
    std::optional<std::string> oilPounds;
    std::array<std::optional<float>, kStationCount> moments;  // moment labels written
    std::optional<LoadingResult> result;
};

// The aircraft record comes from the ident's file (nullopt: none readable).
LoadingOutcome calculateLoading(const LoadingInput& in,
                                const std::optional<AircraftRecord>& aircraft,
                                const records::NumberLocale& loc = {});

// As above, reading the aircraft named by in.ident from the working directory.
// An ident that can name no file finds no aircraft.
LoadingOutcome calculateLoading(const LoadingInput& in, const records::NumberLocale& loc = {});

}  // namespace wandb
