// Byte layout of the logbook record against hand-built vectors.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "logbook/LogRecord.h"

using records::Byte;

namespace {

void putLE16(std::vector<Byte>& b, std::size_t off, std::uint16_t v) {
    b[off] = static_cast<Byte>(v & 0xFF);
    b[off + 1] = static_cast<Byte>(v >> 8);
}
void putLEFloat(std::vector<Byte>& b, std::size_t off, float f) {
    std::uint32_t u;
    std::memcpy(&u, &f, 4);
    for (int i = 0; i < 4; ++i) b[off + i] = static_cast<Byte>((u >> (8 * i)) & 0xFF);
}

}  // namespace

TEST(LogRecordLayout, BlankRecordIsAllZero) {
    LogRecord r;
    const auto bytes = r.encode();
    ASSERT_EQ(bytes.size(), 420u);
    for (Byte b : bytes) EXPECT_EQ(b, 0);
}

TEST(LogRecordLayout, FlightFieldsAtTheirOffsets) {
    LogRecord r;
    r.Date.assign("3/15/98");
    r.From.assign("KS");
    r.To.assign("ABCD");  // cut to 3
    r.InstrApp = 1.5f;
    r.CatMulti = -1;
    r.Total = 2.25f;
    r.AppType1.assign("Select Type");
    r.AppCount1 = 258;  // 0x0102
    r.AppCount4 = -2;
    r.CatRotor = -1;
    r.CatGlider = -1;
    r.Ground = -0.5f;
    r.NightLand = 3.0f;
    r.MELand = 1;
    r.SESea = 1;
    r.CatSingle = -1;

    std::vector<Byte> want(420, 0);
    std::memcpy(&want[0], "3/15/98        ", 15);
    std::memcpy(&want[40], "KS ", 3);
    std::memcpy(&want[43], "ABC", 3);
    putLEFloat(want, 146, 1.5f);  // 00 00 C0 3F
    putLE16(want, 156, 0xFFFF);
    putLEFloat(want, 190, 2.25f);
    std::memcpy(&want[194], "Select Typ", 10);
    putLE16(want, 204, 0x0102);
    putLE16(want, 240, 0xFFFE);
    putLE16(want, 242, 0xFFFF);
    putLE16(want, 246, 0xFFFF);
    putLEFloat(want, 248, -0.5f);
    putLEFloat(want, 264, 3.0f);
    putLE16(want, 268, 1);
    putLE16(want, 274, 1);
    putLE16(want, 276, 0xFFFF);

    const auto got = r.encode();
    EXPECT_EQ(std::vector<Byte>(got.begin(), got.end()), want);
    // Two literal spot checks so a wrong float encoder cannot hide behind putLEFloat.
    EXPECT_EQ(got[146], 0x00);
    EXPECT_EQ(got[148], 0xC0);
    EXPECT_EQ(got[149], 0x3F);
    EXPECT_EQ(got[204], 0x02);
    EXPECT_EQ(got[205], 0x01);
}

TEST(LogRecordLayout, RatingFieldsAtTheirOffsets) {
    LogRecord r;
    r.LastRecord = 0x1234;
    r.RateSingle = 1;
    r.RateRotorcraft = 1;
    r.Reserved298 = 1;
    r.Reserved302 = 1;
    r.RateOther = 1;
    r.OtherRatings.assign("Seaplane base");
    r.CertStudent = 1;
    r.CertGroundInstructor = 1;
    r.TypeRating1.assign("B737-800-ADV");  // 12 characters: first 10 kept
    r.TypeRating6.assign("DC3");

    std::vector<Byte> want(420, 0);
    putLE16(want, 278, 0x1234);
    putLE16(want, 280, 1);
    putLE16(want, 296, 1);
    putLE16(want, 298, 1);
    putLE16(want, 302, 1);
    putLE16(want, 322, 1);
    std::memcpy(&want[324], "Seaplane base       ", 20);
    putLE16(want, 344, 1);
    putLE16(want, 358, 1);
    std::memcpy(&want[360], "B737-800-A", 10);
    std::memcpy(&want[410], "DC3       ", 10);

    const auto got = r.encode();
    EXPECT_EQ(std::vector<Byte>(got.begin(), got.end()), want);
    EXPECT_EQ(got[278], 0x34);
    EXPECT_EQ(got[279], 0x12);
}

TEST(LogRecordLayout, EveryFieldDecodesFromItsOffset) {
    // Each byte holds its own offset, so every field tells where it was read.
    std::vector<Byte> b(420);
    for (std::size_t i = 0; i < b.size(); ++i) b[i] = static_cast<Byte>(i * 7 + 3);
    const LogRecord r = LogRecord::decode(b);
    auto i16 = [&](std::size_t off) {
        return static_cast<std::int16_t>(b[off] | (b[off + 1] << 8));
    };
    auto f32 = [&](std::size_t off) {
        std::uint32_t u = b[off] | (b[off + 1] << 8) | (b[off + 2] << 16) |
                          (static_cast<std::uint32_t>(b[off + 3]) << 24);
        float f;
        std::memcpy(&f, &u, 4);
        return f;
    };
    auto sameFloat = [](float a, float b2) { return std::memcmp(&a, &b2, 4) == 0; };
    EXPECT_EQ(r.Make.raw(), std::string(reinterpret_cast<const char*>(&b[15]), 15));
    EXPECT_EQ(r.Remarks.raw(), std::string(reinterpret_cast<const char*>(&b[46]), 100));
    EXPECT_TRUE(sameFloat(r.Landings, f32(150)));
    EXPECT_EQ(r.Reserved154, i16(154));
    EXPECT_TRUE(sameFloat(r.XCountry, f32(158)));
    EXPECT_TRUE(sameFloat(r.Simulator, f32(178)));
    EXPECT_EQ(r.AppType3.raw(), std::string(reinterpret_cast<const char*>(&b[218]), 10));
    EXPECT_EQ(r.AppCount3, i16(228));
    EXPECT_TRUE(sameFloat(r.CFII, f32(260)));
    EXPECT_EQ(r.SELand, i16(272));
    EXPECT_EQ(r.LastRecord, i16(278));
    EXPECT_EQ(r.Reserved300, i16(300));
    EXPECT_EQ(r.RateGIInstrument, i16(320));
    EXPECT_EQ(r.CertATP, i16(354));
    EXPECT_EQ(r.TypeRating4.raw(), std::string(reinterpret_cast<const char*>(&b[390]), 10));
    // And the whole record comes back byte for byte.
    const auto again = r.encode();
    EXPECT_EQ(std::vector<Byte>(again.begin(), again.end()), b);
}

TEST(LogRecordDecode, ShortSpansAreZeroFilledLongOnesCut) {
    const LogRecord empty = LogRecord::decode({});
    EXPECT_EQ(empty.LastRecord, 0);
    EXPECT_TRUE(empty.Date.neverStored());

    std::vector<Byte> part(279, 0x41);  // ends inside LastRecord
    const LogRecord r = LogRecord::decode(part);
    EXPECT_EQ(r.Date.raw(), std::string(15, 'A'));
    EXPECT_EQ(r.LastRecord, 0x0041);
    EXPECT_EQ(r.RateSingle, 0);
    EXPECT_TRUE(r.TypeRating6.neverStored());

    std::vector<Byte> longer(500, 0);
    longer[278] = 5;
    longer[450] = 0xFF;
    EXPECT_EQ(LogRecord::decode(longer).LastRecord, 5);
}

TEST(LogRecordDecode, HostileBytesRoundTrip) {
    // NaN, infinities, NUL and high bytes in text: decoding never fails and
    // encoding gives the same bytes back.
    std::mt19937 rng(42);
    for (int round = 0; round < 300; ++round) {
        std::vector<Byte> b(420);
        for (auto& x : b) x = static_cast<Byte>(rng());
        if (round % 3 == 0) {
            putLE16(b, 278, 0x8000);
            b[146] = 0x00;
            b[147] = 0x00;
            b[148] = 0xC0;
            b[149] = 0x7F;  // NaN
            b[190] = 0x00;
            b[191] = 0x00;
            b[192] = 0x80;
            b[193] = 0xFF;  // -Inf
        }
        const LogRecord r = LogRecord::decode(b);
        const auto again = r.encode();
        ASSERT_EQ(std::vector<Byte>(again.begin(), again.end()), b) << "round " << round;
    }
    std::vector<Byte> nan(420, 0);
    nan[146] = 0x00;
    nan[147] = 0x00;
    nan[148] = 0xC0;
    nan[149] = 0x7F;
    EXPECT_TRUE(std::isnan(LogRecord::decode(nan).InstrApp));
}
