#include "wandb/AircraftRecord.h"

#include <algorithm>

namespace wandb {

namespace {

using records::getFloat;
using records::getText;
using records::putFloat;
using records::putText;

// Byte offsets of the fields. The names stand in groups of three followed by
// their three arms.
constexpr std::size_t kIdent = 0, kMake = 15, kEmptyWeight = 30, kEmptyMoment = 34,
                      kMaxTOweight = 38, kFwdCGLimit = 42, kAftCGLimit = 46;
constexpr std::size_t kSeat1Name = 50, kSeat2Name = 70, kSeat3Name = 90;
constexpr std::size_t kSeat1Arm = 110, kSeat2Arm = 114, kSeat3Arm = 118;
constexpr std::size_t kBag1Name = 122, kBag2Name = 142, kBag3Name = 162;
constexpr std::size_t kBag1Arm = 182, kBag2Arm = 186, kBag3Arm = 190;
constexpr std::size_t kTank1Name = 194, kTank2Name = 214, kTank3Name = 234;
constexpr std::size_t kTank1Arm = 254, kTank2Arm = 258, kTank3Arm = 262;
constexpr std::size_t kOilName = 266, kOilArm = 286;
static_assert(kOilArm + 4 == kAircraftRecLen, "the aircraft record is 290 bytes");

}  // namespace

std::array<records::Byte, kAircraftRecLen> AircraftRecord::encode() const {
    std::array<records::Byte, kAircraftRecLen> out{};
    records::ByteSpan r(out);
    putText(r, kIdent, Ident);
    putText(r, kMake, Make);
    putFloat(r, kEmptyWeight, EmptyWeight);
    putFloat(r, kEmptyMoment, EmptyMoment);
    putFloat(r, kMaxTOweight, MaxTOweight);
    putFloat(r, kFwdCGLimit, FwdCGLimit);
    putFloat(r, kAftCGLimit, AftCGLimit);
    putText(r, kSeat1Name, Seat1Name);
    putText(r, kSeat2Name, Seat2Name);
    putText(r, kSeat3Name, Seat3Name);
    putFloat(r, kSeat1Arm, Seat1Arm);
    putFloat(r, kSeat2Arm, Seat2Arm);
    putFloat(r, kSeat3Arm, Seat3Arm);
    putText(r, kBag1Name, Bag1Name);
    putText(r, kBag2Name, Bag2Name);
    putText(r, kBag3Name, Bag3Name);
    putFloat(r, kBag1Arm, Bag1Arm);
    putFloat(r, kBag2Arm, Bag2Arm);
    putFloat(r, kBag3Arm, Bag3Arm);
    putText(r, kTank1Name, Tank1Name);
    putText(r, kTank2Name, Tank2Name);
    putText(r, kTank3Name, Tank3Name);
    putFloat(r, kTank1Arm, Tank1Arm);
    putFloat(r, kTank2Arm, Tank2Arm);
    putFloat(r, kTank3Arm, Tank3Arm);
    putText(r, kOilName, OilName);
    putFloat(r, kOilArm, OilArm);
    return out;
}

AircraftRecord AircraftRecord::decode(records::ConstByteSpan bytes) {
    std::array<records::Byte, kAircraftRecLen> buf{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), buf.size()), buf.begin());
    records::ConstByteSpan r(buf);
    AircraftRecord a;
    a.Ident = getText<15>(r, kIdent);
    a.Make = getText<15>(r, kMake);
    a.EmptyWeight = getFloat(r, kEmptyWeight);
    a.EmptyMoment = getFloat(r, kEmptyMoment);
    a.MaxTOweight = getFloat(r, kMaxTOweight);
    a.FwdCGLimit = getFloat(r, kFwdCGLimit);
    a.AftCGLimit = getFloat(r, kAftCGLimit);
    a.Seat1Name = getText<20>(r, kSeat1Name);
    a.Seat2Name = getText<20>(r, kSeat2Name);
    a.Seat3Name = getText<20>(r, kSeat3Name);
    a.Seat1Arm = getFloat(r, kSeat1Arm);
    a.Seat2Arm = getFloat(r, kSeat2Arm);
    a.Seat3Arm = getFloat(r, kSeat3Arm);
    a.Bag1Name = getText<20>(r, kBag1Name);
    a.Bag2Name = getText<20>(r, kBag2Name);
    a.Bag3Name = getText<20>(r, kBag3Name);
    a.Bag1Arm = getFloat(r, kBag1Arm);
    a.Bag2Arm = getFloat(r, kBag2Arm);
    a.Bag3Arm = getFloat(r, kBag3Arm);
    a.Tank1Name = getText<20>(r, kTank1Name);
    a.Tank2Name = getText<20>(r, kTank2Name);
    a.Tank3Name = getText<20>(r, kTank3Name);
    a.Tank1Arm = getFloat(r, kTank1Arm);
    a.Tank2Arm = getFloat(r, kTank2Arm);
    a.Tank3Arm = getFloat(r, kTank3Arm);
    a.OilName = getText<20>(r, kOilName);
    a.OilArm = getFloat(r, kOilArm);
    return a;
}

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
