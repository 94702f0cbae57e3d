// Byte layout of the flight plan record against hand-built vectors.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "planner/PlanRecord.h"

using planner::PlanRecord;
using records::Byte;

namespace {

std::string bytesAt(const std::array<Byte, 1006>& b, std::size_t off, std::size_t n) {
    return std::string(reinterpret_cast<const char*>(b.data()) + off, n);
}

}  // namespace

TEST(PlanRecordLayout, EmptyRecordIsAllZero) {
    const auto b = PlanRecord{}.encode();
    EXPECT_EQ(b.size(), 1006u);
    for (Byte x : b) ASSERT_EQ(x, 0);
}

TEST(PlanRecordLayout, EveryFieldAtItsOffset) {
    // Each field gets a distinct fill so that a shifted field shows up.
    PlanRecord r;
    r.IsVFR = -1;
    r.IsIFR = 0x1234;
    r.IsDVFR = -2;
    r.Special.assign("SPECIAL");
    r.Route.assign("ROUTE");
    r.FuelMinutes.assign("FMIN");
    r.PilotName.assign("PILOT");
    r.HomeBase.assign("HOMEBASE");
    r.Aboard.assign("2");
    r.AircraftType.assign("C172");
    r.Departure.assign("KBOS");
    r.AircraftIdent.assign("N12345");
    r.TimeOff.assign("1200");
    r.RunwayInfo.assign("RWY");
    r.LastCheckpoint = 0x0102;
    r.CheckName.assign("CHECK");
    r.CheckFuelRem.assign("12.5");
    const auto b = r.encode();

    EXPECT_EQ(b[0], 0xFF);
    EXPECT_EQ(b[1], 0xFF);
    EXPECT_EQ(b[2], 0x34);
    EXPECT_EQ(b[3], 0x12);
    EXPECT_EQ(b[4], 0xFE);
    EXPECT_EQ(b[5], 0xFF);
    EXPECT_EQ(bytesAt(b, 6, 10), "SPECIAL   ");
    EXPECT_EQ(bytesAt(b, 36, 100), "ROUTE" + std::string(95, ' '));
    EXPECT_EQ(bytesAt(b, 251, 5), "FMIN ");
    EXPECT_EQ(bytesAt(b, 256, 20), "PILOT" + std::string(15, ' '));
    EXPECT_EQ(bytesAt(b, 351, 15), "HOMEBASE       ");
    EXPECT_EQ(bytesAt(b, 366, 10), "2         ");
    EXPECT_EQ(bytesAt(b, 404, 10), "C172      ");
    EXPECT_EQ(bytesAt(b, 414, 10), "KBOS      ");
    EXPECT_EQ(bytesAt(b, 469, 10), "N12345    ");
    EXPECT_EQ(bytesAt(b, 479, 10), "1200      ");
    EXPECT_EQ(bytesAt(b, 569, 200), "RWY" + std::string(197, ' '));
    EXPECT_EQ(b[769], 0x02);
    EXPECT_EQ(b[770], 0x01);
    EXPECT_EQ(bytesAt(b, 771, 25), "CHECK" + std::string(20, ' '));
    EXPECT_EQ(bytesAt(b, 996, 10), "12.5      ");
    // Fields never assigned stay zero bytes, e.g. ProposedTime and Street.
    EXPECT_EQ(bytesAt(b, 16, 10), std::string(10, '\0'));
    EXPECT_EQ(bytesAt(b, 276, 30), std::string(30, '\0'));
    EXPECT_EQ(bytesAt(b, 796, 10), std::string(10, '\0'));
}

TEST(PlanRecordLayout, DecodesHandBuiltBytes) {
    std::vector<Byte> b(1006, 0);
    b[2] = 0xFF;
    b[3] = 0xFF;
    std::memcpy(&b[469], "N12345    ", 10);
    std::memcpy(&b[424], "KLGA", 4);  // rest of the field stays NUL
    b[769] = 0xFF;
    b[770] = 0xFF;
    std::memcpy(&b[986], "3 GAL", 5);
    const PlanRecord r = PlanRecord::decode(b);
    EXPECT_EQ(r.IsVFR, 0);
    EXPECT_EQ(r.IsIFR, -1);
    EXPECT_EQ(r.AircraftIdent.raw(), "N12345    ");
    EXPECT_EQ(r.Destination.shown(), "KLGA");
    EXPECT_EQ(r.LastCheckpoint, -1);
    EXPECT_EQ(r.FuelUsed.shown(), "3 GAL");
    EXPECT_TRUE(r.NavIdent.neverStored());
}

TEST(PlanRecordLayout, RoundTripOfArbitraryBytes) {
    std::vector<Byte> b(1006);
    for (std::size_t i = 0; i < b.size(); ++i) b[i] = static_cast<Byte>((i * 37 + 11) & 0xFF);
    const auto again = PlanRecord::decode(b).encode();
    EXPECT_TRUE(std::equal(b.begin(), b.end(), again.begin()));
}

TEST(PlanRecordLayout, DecodeOfShortOrLongSpans) {
    // Nothing but the first bytes: the rest reads as zero.
    const std::vector<Byte> shortBytes = {0xFF, 0xFF, 'x'};
    const PlanRecord s = PlanRecord::decode(shortBytes);
    EXPECT_EQ(s.IsVFR, -1);
    EXPECT_EQ(s.IsIFR, 0x0078);
    EXPECT_EQ(s.LastCheckpoint, 0);
    EXPECT_EQ(PlanRecord::decode({}), PlanRecord{});

    std::vector<Byte> longBytes(3000, 0x41);
    const PlanRecord l = PlanRecord::decode(longBytes);
    EXPECT_EQ(l.CheckFuelRem.raw(), "AAAAAAAAAA");
    EXPECT_EQ(l.LastCheckpoint, 0x4141);
}

TEST(PlanRecordLayout, TextIsCutToWidth) {
    PlanRecord r;
    r.CheckName.assign(std::string(40, 'Z'));
    r.State.assign("MAS");
    const auto b = r.encode();
    EXPECT_EQ(bytesAt(b, 771, 25), std::string(25, 'Z'));
    EXPECT_EQ(bytesAt(b, 326, 2), "MA");
    EXPECT_EQ(b[328], 0);  // Zip untouched
    EXPECT_EQ(b[796], 0);  // NavIdent untouched
}
