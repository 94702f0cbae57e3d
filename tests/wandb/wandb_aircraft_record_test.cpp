#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "wandb/AircraftRecord.h"

using wandb::AircraftRecord;
using wandb::Station;

namespace {

void putF(std::vector<std::uint8_t>& b, std::size_t off, float v) {
    std::uint32_t u;
    std::memcpy(&u, &v, 4);
    for (int i = 0; i < 4; ++i) b[off + i] = static_cast<std::uint8_t>(u >> (8 * i));
}
void putS(std::vector<std::uint8_t>& b, std::size_t off, std::size_t width, const char* s) {
    std::size_t n = std::strlen(s);
    for (std::size_t i = 0; i < width; ++i) b[off + i] = i < n ? s[i] : ' ';
}

// A record built by hand at the documented offsets, every field different.
std::vector<std::uint8_t> handBuilt() {
    std::vector<std::uint8_t> b(290, 0);
    putS(b, 0, 15, "N1234");
    putS(b, 15, 15, "Cessna 172N");
    putF(b, 30, 1500.5f);
    putF(b, 34, 57000.f);
    putF(b, 38, 2300.f);
    putF(b, 42, 35.f);
    putF(b, 46, 47.3f);
    putS(b, 50, 20, "Pilot");
    putS(b, 70, 20, "Copilot");
    putS(b, 90, 20, "Rear");
    putF(b, 110, 37.f);
    putF(b, 114, 37.5f);
    putF(b, 118, 73.f);
    putS(b, 122, 20, "Bag A");
    putS(b, 142, 20, "Bag B");
    putS(b, 162, 20, "Bag C");
    putF(b, 182, 95.f);
    putF(b, 186, 123.f);
    putF(b, 190, 130.f);
    putS(b, 194, 20, "Left");
    putS(b, 214, 20, "Right");
    putS(b, 234, 20, "Aux");
    putF(b, 254, 48.f);
    putF(b, 258, 48.5f);
    putF(b, 262, 60.f);
    putS(b, 266, 20, "Oil");
    putF(b, 286, -15.f);
    return b;
}

}  // namespace

TEST(AircraftRecord, DecodesEveryFieldAtItsOffset) {
    const auto bytes = handBuilt();
    const AircraftRecord r = AircraftRecord::decode(bytes);
    EXPECT_EQ(r.Ident.raw(), "N1234          ");
    EXPECT_EQ(r.Make.raw(), "Cessna 172N    ");
    EXPECT_EQ(r.EmptyWeight, 1500.5f);
    EXPECT_EQ(r.EmptyMoment, 57000.f);
    EXPECT_EQ(r.MaxTOweight, 2300.f);
    EXPECT_EQ(r.FwdCGLimit, 35.f);
    EXPECT_EQ(r.AftCGLimit, 47.3f);
    EXPECT_EQ(r.Seat1Name.trimmed(), "Pilot");
    EXPECT_EQ(r.Seat2Name.trimmed(), "Copilot");
    EXPECT_EQ(r.Seat3Name.trimmed(), "Rear");
    EXPECT_EQ(r.Seat1Arm, 37.f);
    EXPECT_EQ(r.Seat2Arm, 37.5f);
    EXPECT_EQ(r.Seat3Arm, 73.f);
    EXPECT_EQ(r.Bag1Name.trimmed(), "Bag A");
    EXPECT_EQ(r.Bag2Name.trimmed(), "Bag B");
    EXPECT_EQ(r.Bag3Name.trimmed(), "Bag C");
    EXPECT_EQ(r.Bag1Arm, 95.f);
    EXPECT_EQ(r.Bag2Arm, 123.f);
    EXPECT_EQ(r.Bag3Arm, 130.f);
    EXPECT_EQ(r.Tank1Name.trimmed(), "Left");
    EXPECT_EQ(r.Tank2Name.trimmed(), "Right");
    EXPECT_EQ(r.Tank3Name.trimmed(), "Aux");
    EXPECT_EQ(r.Tank1Arm, 48.f);
    EXPECT_EQ(r.Tank2Arm, 48.5f);
    EXPECT_EQ(r.Tank3Arm, 60.f);
    EXPECT_EQ(r.OilName.trimmed(), "Oil");
    EXPECT_EQ(r.OilArm, -15.f);
}

TEST(AircraftRecord, EncodesTheSameBytesBack) {
    const auto bytes = handBuilt();
    const auto encoded = AircraftRecord::decode(bytes).encode();
    EXPECT_EQ(std::vector<std::uint8_t>(encoded.begin(), encoded.end()), bytes);
    static_assert(sizeof(encoded) == 290);
}

TEST(AircraftRecord, FreshRecordIsAllZeroBytes) {
    const auto encoded = AircraftRecord{}.encode();
    for (auto b : encoded) ASSERT_EQ(b, 0);
}

TEST(AircraftRecord, StationAccessorsFollowTheStationOrder) {
    AircraftRecord r = AircraftRecord::decode(handBuilt());
    EXPECT_EQ(r.name(Station::Bag2).trimmed(), "Bag B");
    EXPECT_EQ(r.arm(Station::Tank3), 60.f);
    EXPECT_EQ(r.arm(Station::Oil), -15.f);
    r.arm(Station::Seat3) = 1.25f;
    EXPECT_EQ(r.Seat3Arm, 1.25f);
    float sum = 0;
    for (Station s : wandb::kStations) sum += r.arm(s);
    EXPECT_EQ(sum, 37.f + 37.5f + 1.25f + 95 + 123 + 130 + 48 + 48.5f + 60 - 15);
}

TEST(AircraftRecord, StationExistsOnlyWithAVisibleName) {
    AircraftRecord r;
    EXPECT_FALSE(r.hasStation(Station::Seat1));  // never stored: NUL bytes
    r.Seat1Name.assign("   ");
    EXPECT_FALSE(r.hasStation(Station::Seat1));
    r.Seat1Name.assign("  Pilot ");
    EXPECT_TRUE(r.hasStation(Station::Seat1));
    r.Seat1Arm = 99;  // an arm alone does not make a station
    r.Seat2Arm = 99;
    EXPECT_FALSE(r.hasStation(Station::Seat2));
}

TEST(AircraftRecord, DecodesAnyLengthWithoutFailing) {
    const auto full = handBuilt();
    // Short: what is missing reads as zeros.
    std::vector<std::uint8_t> shortBytes(full.begin(), full.begin() + 38);
    const AircraftRecord s = AircraftRecord::decode(shortBytes);
    EXPECT_EQ(s.Ident.trimmed(), "N1234");
    EXPECT_EQ(s.EmptyWeight, 1500.5f);
    EXPECT_EQ(s.MaxTOweight, 0.f);  // bytes 38..41 missing
    EXPECT_FALSE(s.hasStation(Station::Oil));
    EXPECT_EQ(AircraftRecord::decode({}), AircraftRecord{});
    // Long: bytes past 290 are ignored.
    auto longBytes = full;
    longBytes.resize(1000, 0xFF);
    EXPECT_EQ(AircraftRecord::decode(longBytes), AircraftRecord::decode(full));
    // Arbitrary bytes, NaN arms included.
    std::vector<std::uint8_t> junk(290, 0xFF);
    const AircraftRecord j = AircraftRecord::decode(junk);
    EXPECT_TRUE(std::isnan(j.OilArm));
    EXPECT_TRUE(j.hasStation(Station::Oil));
}
