#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "TempDir.h"
#include "WandbTestData.h"
#include "wandb/AircraftFiles.h"
#include "wandb/LoadChart.h"
#include "wandb/Loading.h"

using namespace wandb;
using wandbtest::exampleAircraft;

namespace {

constexpr std::size_t idx(Station s) { return static_cast<std::size_t>(s); }

LoadingInput exampleInput() {
    LoadingInput in;
    in.emptyWeight = "1500";
    in.emptyMoment = "57000";
    in.ident = "N1234          ";
    in.shown.fill(true);
    in.pounds[idx(Station::Seat1)] = "170";
    in.tankGallons[0] = "20";
    return in;
}

}  // namespace

TEST(Loading, WorkedExampleToTheDigit) {
    const LoadingOutcome out = calculateLoading(exampleInput(), exampleAircraft());
    ASSERT_TRUE(out.result);
    EXPECT_EQ(out.tankPounds[0], "120");
    EXPECT_EQ(out.moments[idx(Station::Seat1)], 6290.f);
    EXPECT_EQ(out.moments[idx(Station::Tank1)], 5760.f);
    EXPECT_EQ(out.result->totalWeight, 1790.f);
    EXPECT_EQ(out.result->totalMoment, 69050.f);
    EXPECT_EQ(records::formatSingle(out.result->takeoffCG), "38.57542");
    EXPECT_EQ(out.result->zeroFuelWeight, 1670.f);
    EXPECT_EQ(out.result->zeroFuelMoment, 63290.f);
    EXPECT_EQ(records::formatSingle(out.result->zeroFuelCG), "37.8982");
    EXPECT_EQ(out.result->takeoffCG, 69050.f / 1790.f);
    // Stations with no load write no moment.
    EXPECT_FALSE(out.moments[idx(Station::Seat2)]);
    EXPECT_FALSE(out.moments[idx(Station::Oil)]);
}

TEST(Loading, GallonsTakePrecedenceOverTypedPounds) {
    LoadingInput in = exampleInput();
    in.pounds[idx(Station::Tank1)] = "999";
    const auto out = calculateLoading(in, exampleAircraft());
    ASSERT_TRUE(out.result);
    EXPECT_EQ(out.tankPounds[0], "120");
    EXPECT_EQ(out.result->totalWeight, 1790.f);
    // Without gallons the typed pounds count.
    in.tankGallons[0] = " ";
    const auto typed = calculateLoading(in, exampleAircraft());
    ASSERT_TRUE(typed.result);
    EXPECT_FALSE(typed.tankPounds[0]);
    EXPECT_EQ(typed.result->totalWeight, 1500.f + 170 + 999);
}

TEST(Loading, OilIsConvertedInDoublePrecisionAndStaysInZeroFuel) {
    EXPECT_EQ(quartsToPoundsText("7"), "13.125");
    EXPECT_EQ(quartsToPoundsText("3"), "5.625");
    EXPECT_EQ(quartsToPoundsText("8"), "15");
    EXPECT_EQ(quartsToPoundsText("0,5", records::NumberLocale{','}), "0,9375");
    EXPECT_FALSE(quartsToPoundsText("seven"));
    EXPECT_FALSE(quartsToPoundsText(""));

    AircraftRecord a = exampleAircraft();
    a.OilName.assign("Oil");
    a.OilArm = -10;
    LoadingInput in = exampleInput();
    in.oilQuarts = "8";
    in.pounds[idx(Station::Oil)] = "1";  // overwritten by the quarts
    const auto out = calculateLoading(in, a);
    ASSERT_TRUE(out.result);
    EXPECT_EQ(out.oilPounds, "15");
    EXPECT_EQ(out.moments[idx(Station::Oil)], -150.f);
    EXPECT_EQ(out.result->totalWeight, 1805.f);
    EXPECT_EQ(out.result->zeroFuelWeight, 1685.f);
    EXPECT_EQ(out.result->zeroFuelMoment, 63140.f);
}

TEST(Loading, TankTextsBothWays) {
    EXPECT_EQ(poundsToGallonsText("100"), "16.66667");
    EXPECT_EQ(gallonsToPoundsText("16.66667"), "100");
    EXPECT_EQ(gallonsToPoundsText("33.3"), "199.8");
    EXPECT_EQ(gallonsToPoundsText("100"), "600");
    EXPECT_EQ(gallonsToPoundsText("2000000"), "1.2E+07");
    EXPECT_EQ(gallonsToPoundsText("-5"), "-30");
    EXPECT_EQ(gallonsToPoundsText("0"), "0");
    EXPECT_EQ(poundsToGallonsText("100", records::NumberLocale{','}), "16,66667");
    EXPECT_FALSE(gallonsToPoundsText("20 gal"));
    EXPECT_FALSE(gallonsToPoundsText(" "));
    EXPECT_FALSE(poundsToGallonsText("x"));
    // Beyond single precision after the product: an overflow, not infinity.
    EXPECT_FALSE(gallonsToPoundsText("3e38"));
    EXPECT_TRUE(poundsToGallonsText("3e38"));
}

TEST(Loading, EmptyAircraftAlone) {
    LoadingInput in;
    in.emptyWeight = "1500";
    in.emptyMoment = "57000";
    in.shown.fill(true);
    const auto out = calculateLoading(in, exampleAircraft());
    ASSERT_TRUE(out.result);
    EXPECT_EQ(out.result->totalWeight, 1500.f);
    EXPECT_EQ(out.result->takeoffCG, 57000.f / 1500.f);
    EXPECT_EQ(out.result->zeroFuelCG, 38.f);
    for (const auto& m : out.moments) EXPECT_FALSE(m);
}

TEST(Loading, HiddenOrAbsentStationsContributeNothing) {
    LoadingInput in = exampleInput();
    in.pounds[idx(Station::Seat3)] = "200";  // stale text; seat 3 absent in the aircraft
    in.tankGallons[1] = "50";                // tank 2 absent
    in.oilQuarts = "abc";                    // oil absent: not even converted
    in.shown[idx(Station::Seat3)] = false;
    in.shown[idx(Station::Tank2)] = false;
    in.shown[idx(Station::Oil)] = false;
    auto out = calculateLoading(in, exampleAircraft());
    ASSERT_TRUE(out.result);
    EXPECT_EQ(out.result->totalWeight, 1790.f);
    EXPECT_FALSE(out.tankPounds[1]);
    EXPECT_FALSE(out.oilPounds);
    // A row the window hides does not count even if the aircraft read has it.
    AircraftRecord a = exampleAircraft();
    a.Seat3Name.assign("Rear");
    a.Seat3Arm = 70;
    out = calculateLoading(in, a);
    ASSERT_TRUE(out.result);
    EXPECT_EQ(out.result->totalWeight, 1790.f);
    // Shown but absent in the aircraft read (ident edited to another one):
    // an empty row is no matter, a typed weight there is not dropped silently.
    in.shown.fill(true);
    in.oilQuarts.clear();
    in.tankGallons[1].clear();
    in.pounds[idx(Station::Seat3)].clear();
    out = calculateLoading(in, exampleAircraft());
    ASSERT_TRUE(out.result);
    EXPECT_EQ(out.result->totalWeight, 1790.f);
    EXPECT_FALSE(out.moments[idx(Station::Seat3)]);
    in.pounds[idx(Station::Seat3)] = "200";
    EXPECT_FALSE(calculateLoading(in, exampleAircraft()).result);
    in.pounds[idx(Station::Seat3)].clear();
    in.tankGallons[1] = "5";
    EXPECT_FALSE(calculateLoading(in, exampleAircraft()).result);
    in.tankGallons[1].clear();
    in.oilQuarts = "2";
    EXPECT_FALSE(calculateLoading(in, exampleAircraft()).result);
}

TEST(Loading, FailuresGiveNoResultButKeepEarlierSteps) {
    const AircraftRecord a = exampleAircraft();
    // No aircraft loaded: empty labels.
    LoadingInput none;
    none.shown.fill(true);
    EXPECT_FALSE(calculateLoading(none, a).result);
    // No aircraft file.
    EXPECT_FALSE(calculateLoading(exampleInput(), std::nullopt).result);
    // A seat that is no number: the tank was already converted.
    LoadingInput in = exampleInput();
    in.pounds[idx(Station::Seat2)] = "1O0";
    AircraftRecord two = a;
    two.Seat2Name.assign("Copilot");
    auto out = calculateLoading(in, two);
    EXPECT_FALSE(out.result);
    EXPECT_EQ(out.tankPounds[0], "120");
    EXPECT_EQ(out.moments[idx(Station::Seat1)], 6290.f);
    EXPECT_FALSE(out.moments[idx(Station::Tank1)]);
    // Bad gallons: the ERROR path, nothing written.
    in = exampleInput();
    in.tankGallons[0] = "twenty";
    out = calculateLoading(in, a);
    EXPECT_FALSE(out.result);
    EXPECT_FALSE(out.tankPounds[0]);
    // Total weight 0, and zero-fuel weight 0 with fuel aboard.
    in = exampleInput();
    in.emptyWeight = "-170";
    in.tankGallons[0].clear();
    EXPECT_FALSE(calculateLoading(in, a).result);
    in = exampleInput();
    in.emptyWeight = "-170";
    EXPECT_FALSE(calculateLoading(in, a).result);
    // Overflow of a moment and of a sum.
    in = exampleInput();
    in.pounds[idx(Station::Seat1)] = "3e38";
    AircraftRecord big = a;
    big.Seat1Arm = 10;
    EXPECT_FALSE(calculateLoading(in, big).result);
    in.pounds[idx(Station::Seat1)] = "3e38";
    in.emptyWeight = "3e38";
    big.Seat1Arm = 0;
    EXPECT_FALSE(calculateLoading(in, big).result);
    // A NaN arm from a damaged file.
    AircraftRecord bad = a;
    bad.Seat1Arm = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(calculateLoading(exampleInput(), bad).result);
}

TEST(Loading, ReadsTheAircraftNamedByTheTrimmedIdent) {
    testsupport::TempDir dir;
    ASSERT_TRUE(saveAircraft("N1234.pln", exampleAircraft()));
    LoadingInput in = exampleInput();
    in.ident = "  N1234   ";
    auto out = calculateLoading(in);
    ASSERT_TRUE(out.result);
    EXPECT_EQ(out.result->totalMoment, 69050.f);
    // Arms come from the file, not from what the window shows.
    AircraftRecord moved = exampleAircraft();
    moved.Seat1Arm = 40;
    ASSERT_TRUE(saveAircraft("N1234.pln", moved));
    out = calculateLoading(in);
    ASSERT_TRUE(out.result);
    EXPECT_EQ(out.moments[idx(Station::Seat1)], 6800.f);
    // An ident that names no stored aircraft, or no file at all.
    for (const char* ident : {"N9999", "", "   ", "../N1234", "N1234/"}) {
        in.ident = ident;
        EXPECT_FALSE(calculateLoading(in).result) << ident;
    }
}

TEST(LoadChart, AxesAreRoundAndHoldEveryFigureWithAMargin) {
    std::vector<std::vector<double>> cases = {
        {35, 47.3, 38.2, 40.1},
        {1953.8, 2300, 2100},
        {6635, 2300, 1800},
        {0},
        {-12.5, -3},
        {1e-4, 3e-4},
        {1e9, 1e9 + 1},
        {42, 42, 42},
        {3.4e38, -3.4e38, 0.0},
    };
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> exponent(-3, 6), unit(-1, 1);
    for (int i = 0; i < 300; ++i) {
        const double scale = std::pow(10.0, exponent(rng));
        cases.push_back({unit(rng) * scale, unit(rng) * scale, unit(rng) * scale});
    }
    for (const auto& values : cases) {
        SCOPED_TRACE(testing::PrintToString(values));
        const auto axis = roundAxis(values);
        ASSERT_TRUE(axis);
        const double lo = *std::min_element(values.begin(), values.end());
        const double hi = *std::max_element(values.begin(), values.end());
        EXPECT_LT(axis->lo, lo);
        EXPECT_GT(axis->hi, hi);
        // Every figure keeps some room from the edge even when all are equal.
        EXPECT_GE(std::min(lo - axis->lo, axis->hi - hi), (hi - lo) * 0.05);
        // A step of 1, 2, 2.5 or 5 times a power of ten; every tick a multiple.
        const double mantissa = axis->step / std::pow(10.0, std::floor(std::log10(axis->step)));
        EXPECT_TRUE(std::fabs(mantissa - 1) < 1e-9 || std::fabs(mantissa - 2) < 1e-9 ||
                    std::fabs(mantissa - 2.5) < 1e-9 || std::fabs(mantissa - 5) < 1e-9)
            << mantissa;
        const auto ticks = axis->ticks();
        ASSERT_GE(ticks.size(), 3u);
        ASSERT_LE(ticks.size(), 8u);
        EXPECT_DOUBLE_EQ(ticks.front(), axis->lo);
        EXPECT_DOUBLE_EQ(ticks.back(), axis->hi);
        for (double t : ticks) {
            const double k = t / axis->step;
            EXPECT_NEAR(k, std::round(k), 1e-6) << t;
        }
    }
    // A figure that is not a number (a damaged aircraft file) gives no axis.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const auto& bad : std::vector<std::vector<double>>{{}, {nan}, {1, inf}, {-inf, 2}})
        EXPECT_FALSE(roundAxis(bad));
    ChartFigures f{35, 47.3f, 2300, 1953.8f, 38.2f, 2100, 40.1f};
    const auto axes = chartAxes(f);
    ASSERT_TRUE(axes);
    EXPECT_LT(axes->cg.lo, 35);
    EXPECT_GT(axes->cg.hi, 47.3);
    EXPECT_LT(axes->weight.lo, 1953.8);
    EXPECT_GT(axes->weight.hi, 2300);
    f.aftLimit = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(chartAxes(f));
}
