// One aircraft definition: the single 290-byte record of a *.pln file.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "records/Fields.h"
#include "records/Layout.h"

namespace wandb {

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

// The one list of the record's fields: name, offset, kind, width. The
// station names stand in groups of three followed by their three arms.
#define AIRCRAFTRECORD_FIELDS(F)   \
    F(Ident, 0, Text, 15)          \
    F(Make, 15, Text, 15)          \
    F(EmptyWeight, 30, Float32, 4) \
    F(EmptyMoment, 34, Float32, 4) \
    F(MaxTOweight, 38, Float32, 4) \
    F(FwdCGLimit, 42, Float32, 4)  \
    F(AftCGLimit, 46, Float32, 4)  \
    F(Seat1Name, 50, Text, 20)     \
    F(Seat2Name, 70, Text, 20)     \
    F(Seat3Name, 90, Text, 20)     \
    F(Seat1Arm, 110, Float32, 4)   \
    F(Seat2Arm, 114, Float32, 4)   \
    F(Seat3Arm, 118, Float32, 4)   \
    F(Bag1Name, 122, Text, 20)     \
    F(Bag2Name, 142, Text, 20)     \
    F(Bag3Name, 162, Text, 20)     \
    F(Bag1Arm, 182, Float32, 4)    \
    F(Bag2Arm, 186, Float32, 4)    \
    F(Bag3Arm, 190, Float32, 4)    \
    F(Tank1Name, 194, Text, 20)    \
    F(Tank2Name, 214, Text, 20)    \
    F(Tank3Name, 234, Text, 20)    \
    F(Tank1Arm, 254, Float32, 4)   \
    F(Tank2Arm, 258, Float32, 4)   \
    F(Tank3Arm, 262, Float32, 4)   \
    F(OilName, 266, Text, 20)      \
    F(OilArm, 286, Float32, 4)

struct AircraftRecord {
    static constexpr std::size_t Size = 290;

    AEROKIT_RECORD_FIELDS(AIRCRAFTRECORD_FIELDS)

    // The 290 bytes as stored.
    std::array<records::Byte, Size> encode() const { return records::encodeRecord(*this); }
    // Any bytes at all: a short span reads as if completed with zeros, bytes
    // past 290 are ignored.
    static AircraftRecord decode(records::ConstByteSpan bytes) {
        return records::decodeRecord<AircraftRecord>(bytes);
    }

    records::FixedText<20>& name(Station s);
    const records::FixedText<20>& name(Station s) const;
    float& arm(Station s);
    float arm(Station s) const;

    // A station exists when its name, as shown (up to a NUL) and with blanks
    // trimmed, is not empty.
    bool hasStation(Station s) const;

    bool operator==(const AircraftRecord&) const = default;
};

static_assert(records::tiles(AircraftRecord::kFields, AircraftRecord::Size),
              "AircraftRecord fields must tile its 290 bytes in order");

// The one kind of aircraft record, for code that walks fields by name.
inline constexpr records::RecordLayout kAircraftLayout{"AircraftRecord", AircraftRecord::Size,
                                                       AircraftRecord::kFields};

}  // namespace wandb
