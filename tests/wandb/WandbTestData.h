// What the weight-and-balance tests share: the example aircraft and the
// messages of the definition's required boxes.
#pragma once

#include <array>

#include "wandb/AircraftRecord.h"

namespace wandbtest {

// Empty 1500 / 57000, seat 1 "Pilot" at 37 and tank 1 "Main" at 48, the other
// stations blank.
inline wandb::AircraftRecord exampleAircraft(const char* ident = "N1234") {
    wandb::AircraftRecord a;
    a.Ident.assign(ident);
    a.Make.assign("Cessna 172");
    a.EmptyWeight = 1500;
    a.EmptyMoment = 57000;
    a.MaxTOweight = 2300;
    a.FwdCGLimit = 35;
    a.AftCGLimit = 47.3f;
    for (wandb::Station s : wandb::kStations) a.name(s).assign("");
    a.Seat1Name.assign("Pilot");
    a.Seat1Arm = 37;
    a.Tank1Name.assign("Main");
    a.Tank1Arm = 48;
    return a;
}

// The message and title of each required box left empty, in the order they
// are checked: ident, make and model, empty weight and moment, maximum
// takeoff weight, forward and aft CG limits.
struct RequiredBox {
    const char* text;
    const char* title;
};
inline constexpr std::array<RequiredBox, 7> kRequiredBoxes = {{
    {"You must enter Aircraft Ident", "Failed to Enter Ident"},
    {"You must enter Aircraft Make/Model", "Failed to Enter Make/Model"},
    {"You must enter Aircraft Empty Weight", "Failed to Enter Empty Weight"},
    {"You must enter Aircraft Empty Moment", "Failed to Enter EmptyMoment"},
    {"You must enter Max Takeoff Weight", "Failed to Enter Max Takoff Weight"},
    {"You must enter Forward CG Limit", "Failed to Enter Forward CG Limit"},
    {"You must enter Aft CG Limit", "Failed to Enter Aft CG Limit"},
}};

}  // namespace wandbtest
