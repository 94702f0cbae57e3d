#include "wandb/AircraftRecord.h"

namespace wandb {

records::FixedText<20>& AircraftRecord::name(Station s) {
    switch (s) {
        case Station::Seat1:
            return Seat1Name;
        case Station::Seat2:
            return Seat2Name;
        case Station::Seat3:
            return Seat3Name;
        case Station::Bag1:
            return Bag1Name;
        case Station::Bag2:
            return Bag2Name;
        case Station::Bag3:
            return Bag3Name;
        case Station::Tank1:
            return Tank1Name;
        case Station::Tank2:
            return Tank2Name;
        case Station::Tank3:
            return Tank3Name;
        case Station::Oil:
            break;
    }
    return OilName;
}

const records::FixedText<20>& AircraftRecord::name(Station s) const {
    return const_cast<AircraftRecord*>(this)->name(s);
}

float& AircraftRecord::arm(Station s) {
    switch (s) {
        case Station::Seat1:
            return Seat1Arm;
        case Station::Seat2:
            return Seat2Arm;
        case Station::Seat3:
            return Seat3Arm;
        case Station::Bag1:
            return Bag1Arm;
        case Station::Bag2:
            return Bag2Arm;
        case Station::Bag3:
            return Bag3Arm;
        case Station::Tank1:
            return Tank1Arm;
        case Station::Tank2:
            return Tank2Arm;
        case Station::Tank3:
            return Tank3Arm;
        case Station::Oil:
            break;
    }
    return OilArm;
}

float AircraftRecord::arm(Station s) const { return const_cast<AircraftRecord*>(this)->arm(s); }

bool AircraftRecord::hasStation(Station s) const {
    return !records::trimSpaces(name(s).shown()).empty();
}

}  // namespace wandb
