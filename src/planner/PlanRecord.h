// The 1006-byte flight plan record. Record 1 of a plan file holds the plan
// form, the navigation log header and the checkpoint counter; records 2 to
// 11 hold the checkpoints; Personal.nfo uses the same layout for the pilot.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "records/Fields.h"

namespace planner {

using records::FixedText;

inline constexpr std::size_t kPlanRecLen = 1006;

struct PlanRecord {
    // Flight type flags (True = -1). Kept as the raw int16 read from disk.
    std::int16_t IsVFR = 0;
    std::int16_t IsIFR = 0;
    std::int16_t IsDVFR = 0;
    // Flight plan form.
    FixedText<10> Special;
    FixedText<10> ProposedTime;
    FixedText<10> ActualTime;
    FixedText<100> Route;
    FixedText<5> EnRouteHours;
    FixedText<5> EnRouteMinutes;
    FixedText<100> Remarks;
    FixedText<5> FuelHours;
    FixedText<5> FuelMinutes;
    // Personal information (Personal.nfo only).
    FixedText<20> PilotName;
    FixedText<30> Street;
    FixedText<20> City;
    FixedText<2> State;
    FixedText<11> Zip;
    FixedText<12> Phone;
    FixedText<15> HomeBase;
    // Flight plan form, continued.
    FixedText<10> Aboard;
    FixedText<20> Color;
    FixedText<8> CloseWith;
    FixedText<10> AircraftType;
    // Shared by the plan form and the log header.
    FixedText<10> Departure;
    FixedText<10> Destination;
    FixedText<15> Alternates;
    FixedText<10> CruiseAltitude;
    FixedText<10> TrueAirspeed;
    FixedText<10> AircraftIdent;
    // Navigation log header.
    FixedText<10> TimeOff;
    FixedText<10> TimeOn;
    FixedText<10> Elapsed;
    FixedText<15> FuelOnBoard;
    FixedText<15> FuelRate;
    FixedText<15> FuelRequired;
    FixedText<15> FuelRemaining;
    FixedText<200> RunwayInfo;
    // Index of the last checkpoint, -1 when there is none.
    std::int16_t LastCheckpoint = 0;
    // One checkpoint (records 2 to 11).
    FixedText<25> CheckName;
    FixedText<10> NavIdent;
    FixedText<10> NavFreq;
    FixedText<10> ToRadial;
    FixedText<10> FromRadial;
    FixedText<10> TrueCourse;
    FixedText<10> WindCorrection;
    FixedText<10> TrueHeading;
    FixedText<10> Variation;
    FixedText<10> MagHeading;
    FixedText<10> Deviation;
    FixedText<10> CorrectedHeading;
    FixedText<10> LegDist;
    FixedText<10> LegDistRem;
    FixedText<10> EstGroundSpeed;
    FixedText<10> ActGroundSpeed;
    FixedText<10> LegETE;
    FixedText<10> LegATE;
    FixedText<10> LegETA;
    FixedText<10> LegATA;
    FixedText<10> FuelUsed;
    FixedText<10> CheckFuelRem;

    std::array<records::Byte, kPlanRecLen> encode() const;
    // Any bytes at all: a short span reads as if zero-padded, extra bytes
    // are ignored.
    static PlanRecord decode(records::ConstByteSpan bytes);

    bool operator==(const PlanRecord&) const = default;
};

// Calls f(offset, field) for every field in disk order.
template <class Rec, class F>
constexpr void forEachField(Rec& r, F&& f) {
    f(0, r.IsVFR);
    f(2, r.IsIFR);
    f(4, r.IsDVFR);
    f(6, r.Special);
    f(16, r.ProposedTime);
    f(26, r.ActualTime);
    f(36, r.Route);
    f(136, r.EnRouteHours);
    f(141, r.EnRouteMinutes);
    f(146, r.Remarks);
    f(246, r.FuelHours);
    f(251, r.FuelMinutes);
    f(256, r.PilotName);
    f(276, r.Street);
    f(306, r.City);
    f(326, r.State);
    f(328, r.Zip);
    f(339, r.Phone);
    f(351, r.HomeBase);
    f(366, r.Aboard);
    f(376, r.Color);
    f(396, r.CloseWith);
    f(404, r.AircraftType);
    f(414, r.Departure);
    f(424, r.Destination);
    f(434, r.Alternates);
    f(449, r.CruiseAltitude);
    f(459, r.TrueAirspeed);
    f(469, r.AircraftIdent);
    f(479, r.TimeOff);
    f(489, r.TimeOn);
    f(499, r.Elapsed);
    f(509, r.FuelOnBoard);
    f(524, r.FuelRate);
    f(539, r.FuelRequired);
    f(554, r.FuelRemaining);
    f(569, r.RunwayInfo);
    f(769, r.LastCheckpoint);
    f(771, r.CheckName);
    f(796, r.NavIdent);
    f(806, r.NavFreq);
    f(816, r.ToRadial);
    f(826, r.FromRadial);
    f(836, r.TrueCourse);
    f(846, r.WindCorrection);
    f(856, r.TrueHeading);
    f(866, r.Variation);
    f(876, r.MagHeading);
    f(886, r.Deviation);
    f(896, r.CorrectedHeading);
    f(906, r.LegDist);
    f(916, r.LegDistRem);
    f(926, r.EstGroundSpeed);
    f(936, r.ActGroundSpeed);
    f(946, r.LegETE);
    f(956, r.LegATE);
    f(966, r.LegETA);
    f(976, r.LegATA);
    f(986, r.FuelUsed);
    f(996, r.CheckFuelRem);
}

// A flag as the windows test it: any non-zero value counts as set.
constexpr bool isSet(std::int16_t flag) { return flag != 0; }

}  // namespace planner
