// The 1006-byte flight plan record. Record 1 of a plan file holds the plan
// form, the navigation log header and the checkpoint counter; records 2 to
// 11 hold the checkpoints; Personal.nfo uses the same layout for the pilot.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "records/Fields.h"
#include "records/Layout.h"

namespace planner {

using records::FixedText;

// The one list of the record's fields: name, offset, kind, width.
#define PLANRECORD_FIELDS(F)                                       \
    /* Flight type flags, kept as the raw int16 read from disk. */ \
    F(IsVFR, 0, Bool16, 2)                                         \
    F(IsIFR, 2, Bool16, 2)                                         \
    F(IsDVFR, 4, Bool16, 2)                                        \
    /* Flight plan form. */                                        \
    F(Special, 6, Text, 10)                                        \
    F(ProposedTime, 16, Text, 10)                                  \
    F(ActualTime, 26, Text, 10)                                    \
    F(Route, 36, Text, 100)                                        \
    F(EnRouteHours, 136, Text, 5)                                  \
    F(EnRouteMinutes, 141, Text, 5)                                \
    F(Remarks, 146, Text, 100)                                     \
    F(FuelHours, 246, Text, 5)                                     \
    F(FuelMinutes, 251, Text, 5)                                   \
    /* Personal information (Personal.nfo only). */                \
    F(PilotName, 256, Text, 20)                                    \
    F(Street, 276, Text, 30)                                       \
    F(City, 306, Text, 20)                                         \
    F(State, 326, Text, 2)                                         \
    F(Zip, 328, Text, 11)                                          \
    F(Phone, 339, Text, 12)                                        \
    F(HomeBase, 351, Text, 15)                                     \
    /* Flight plan form, continued. */                             \
    F(Aboard, 366, Text, 10)                                       \
    F(Color, 376, Text, 20)                                        \
    F(CloseWith, 396, Text, 8)                                     \
    F(AircraftType, 404, Text, 10)                                 \
    /* Shared by the plan form and the log header. */              \
    F(Departure, 414, Text, 10)                                    \
    F(Destination, 424, Text, 10)                                  \
    F(Alternates, 434, Text, 15)                                   \
    F(CruiseAltitude, 449, Text, 10)                               \
    F(TrueAirspeed, 459, Text, 10)                                 \
    F(AircraftIdent, 469, Text, 10)                                \
    /* Navigation log header. */                                   \
    F(TimeOff, 479, Text, 10)                                      \
    F(TimeOn, 489, Text, 10)                                       \
    F(Elapsed, 499, Text, 10)                                      \
    F(FuelOnBoard, 509, Text, 15)                                  \
    F(FuelRate, 524, Text, 15)                                     \
    F(FuelRequired, 539, Text, 15)                                 \
    F(FuelRemaining, 554, Text, 15)                                \
    F(RunwayInfo, 569, Text, 200)                                  \
    /* Index of the last checkpoint, -1 when there is none. */     \
    F(LastCheckpoint, 769, Int16, 2)                               \
    /* One checkpoint (records 2 to 11). */                        \
    F(CheckName, 771, Text, 25)                                    \
    F(NavIdent, 796, Text, 10)                                     \
    F(NavFreq, 806, Text, 10)                                      \
    F(ToRadial, 816, Text, 10)                                     \
    F(FromRadial, 826, Text, 10)                                   \
    F(TrueCourse, 836, Text, 10)                                   \
    F(WindCorrection, 846, Text, 10)                               \
    F(TrueHeading, 856, Text, 10)                                  \
    F(Variation, 866, Text, 10)                                    \
    F(MagHeading, 876, Text, 10)                                   \
    F(Deviation, 886, Text, 10)                                    \
    F(CorrectedHeading, 896, Text, 10)                             \
    F(LegDist, 906, Text, 10)                                      \
    F(LegDistRem, 916, Text, 10)                                   \
    F(EstGroundSpeed, 926, Text, 10)                               \
    F(ActGroundSpeed, 936, Text, 10)                               \
    F(LegETE, 946, Text, 10)                                       \
    F(LegATE, 956, Text, 10)                                       \
    F(LegETA, 966, Text, 10)                                       \
    F(LegATA, 976, Text, 10)                                       \
    F(FuelUsed, 986, Text, 10)                                     \
    F(CheckFuelRem, 996, Text, 10)

struct PlanRecord {
    static constexpr std::size_t Size = 1006;

    AEROKIT_RECORD_FIELDS(PLANRECORD_FIELDS)

    std::array<records::Byte, Size> encode() const { return records::encodeRecord(*this); }
    // Any bytes at all: a short span reads as if zero-padded, extra bytes
    // are ignored.
    static PlanRecord decode(records::ConstByteSpan bytes) {
        return records::decodeRecord<PlanRecord>(bytes);
    }

    bool operator==(const PlanRecord&) const = default;
};

static_assert(records::tiles(PlanRecord::kFields, PlanRecord::Size),
              "PlanRecord fields must tile its 1006 bytes in order");

// The record's fields by name, for code that walks them (the converter).
inline constexpr records::RecordLayout kPlanRecordLayout{"PlanRecord", PlanRecord::Size,
                                                         PlanRecord::kFields};

// A flag as the windows test it: any non-zero value counts as set.
constexpr bool isSet(std::int16_t flag) { return flag != 0; }

}  // namespace planner
