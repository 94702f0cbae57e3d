// One aircraft definition: the single 290-byte record of a *.pln file.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "records/Fields.h"

namespace wandb {

constexpr std::size_t kAircraftRecLen = 290;

// The stations of an aircraft in the order the windows and the calculation
// walk them.
enum class Station { Seat1, Seat2, Seat3, Bag1, Bag2, Bag3, Tank1, Tank2, Tank3, Oil };
constexpr std::size_t kStationCount = 10;
constexpr std::array<Station, kStationCount> kStations = {
    Station::Seat1, Station::Seat2, Station::Seat3, Station::Bag1,  Station::Bag2,
    Station::Bag3,  Station::Tank1, Station::Tank2, Station::Tank3, Station::Oil};
constexpr bool isTank(Station s) {
    return s == Station::Tank1 || s == Station::Tank2 || s == Station::Tank3;
}

struct AircraftRecord {
    records::FixedText<15> Ident;
    records::FixedText<15> Make;
    float EmptyWeight = 0;
    float EmptyMoment = 0;
    float MaxTOweight = 0;
    float FwdCGLimit = 0;
    float AftCGLimit = 0;
    records::FixedText<20> Seat1Name;
    records::FixedText<20> Seat2Name;
    records::FixedText<20> Seat3Name;
    float Seat1Arm = 0;
    float Seat2Arm = 0;
    float Seat3Arm = 0;
    records::FixedText<20> Bag1Name;
    records::FixedText<20> Bag2Name;
    records::FixedText<20> Bag3Name;
    float Bag1Arm = 0;
    float Bag2Arm = 0;
    float Bag3Arm = 0;
    records::FixedText<20> Tank1Name;
    records::FixedText<20> Tank2Name;
    records::FixedText<20> Tank3Name;
    float Tank1Arm = 0;
    float Tank2Arm = 0;
    float Tank3Arm = 0;
    records::FixedText<20> OilName;
    float OilArm = 0;

    // The 290 bytes as stored.
    std::array<records::Byte, kAircraftRecLen> encode() const;
    // Any bytes at all: a short span reads as if completed with zeros, bytes
    // past 290 are ignored.
    static AircraftRecord decode(records::ConstByteSpan bytes);

    records::FixedText<20>& name(Station s);
    const records::FixedText<20>& name(Station s) const;
    float& arm(Station s);
    float arm(Station s) const;

    // A station exists when its name, as shown (up to a NUL) and with blanks
    // trimmed, is not empty.
    bool hasStation(Station s) const;

    bool operator==(const AircraftRecord&) const = default;
};

}  // namespace wandb
