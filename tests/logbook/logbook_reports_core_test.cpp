// Total times, currency figures and the abbreviated list, on logbook files
// built byte by byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <random>

#include "TestLogbooks.h"
#include "logbook/Currency.h"
#include "logbook/FlightScan.h"
#include "logbook/LogBrowse.h"
#include "logbook/LogRecord.h"
#include "logbook/TotalTime.h"
#include "records/DateText.h"
#include "records/NumberText.h"
#include "support/Bytes.h"
#include "support/TempDir.h"

using namespace logbooktest;
using logbook::FlightTextField;

namespace {

std::string write(const testsupport::TempDir& dir, const Bytes& bytes,
                  const char* name = "pilot.log") {
    const std::string path = dir.file(name);
    testsupport::writeFileBytes(path, bytes);
    return path;
}

std::int64_t day(int y, int m, int d) { return records::daysFromCivil(y, m, d); }

Flight flight(const std::string& date, const std::string& ident, const std::string& make,
              float total) {
    Flight f;
    f.date = date;
    f.ident = ident;
    f.make = make;
    f.total = total;
    f.day = total;
    return f;
}

}  // namespace

// ---- Total times ----

TEST(ReportsTotals, EveryFieldIsSummedFromItsOwnOffset) {
    testsupport::TempDir dir;
    // Sixteen distinct powers of two, one per field, each at its offset.
    Bytes r(420, 0);
    const std::pair<std::size_t, float> fields[] = {
        {146, 1},    {150, 2},    {158, 4},     {162, 8},    {166, 16},   {170, 32},
        {174, 64},   {178, 128},  {182, 256},   {186, 512},  {190, 1024}, {248, 2048},
        {252, 4096}, {256, 8192}, {260, 16384}, {264, 32768}};
    for (auto [off, v] : fields) records::putFloat(r, off, v);
    const std::string path = write(dir, logbookBytes({r, r}));
    const logbook::TimeTotals t = logbook::loadTotalTime(path).totals;
    EXPECT_EQ(t.InstrApp, 2);
    EXPECT_EQ(t.Landings, 4);
    EXPECT_EQ(t.XCountry, 8);
    EXPECT_EQ(t.Day, 16);
    EXPECT_EQ(t.Night, 32);
    EXPECT_EQ(t.Instrument, 64);
    EXPECT_EQ(t.SimInstrument, 128);
    EXPECT_EQ(t.Simulator, 256);
    EXPECT_EQ(t.Dual, 512);
    EXPECT_EQ(t.InCommand, 1024);
    EXPECT_EQ(t.Total, 2048);
    EXPECT_EQ(t.Ground, 4096);
    EXPECT_EQ(t.SIC, 8192);
    EXPECT_EQ(t.CFI, 16384);
    EXPECT_EQ(t.CFII, 32768);
    EXPECT_EQ(t.NightLand, 65536);
}

TEST(ReportsTotals, PartialDecodeAgreesWithTheFullRecordOnAnyBytes) {
    std::mt19937 rng(7);
    for (int round = 0; round < 2000; ++round) {
        Bytes r(420);
        for (auto& b : r) b = static_cast<std::uint8_t>(rng());
        logbook::TimeTotals t;
        logbook::addFlight(t, r);
        const LogRecord full = LogRecord::decode(r);
        auto same = [](float a, float b) { return (std::isnan(a) && std::isnan(b)) || a == b; };
        ASSERT_TRUE(same(t.Day, full.Day));
        ASSERT_TRUE(same(t.Night, full.Night));
        ASSERT_TRUE(same(t.Instrument, full.Instrument));
        ASSERT_TRUE(same(t.SimInstrument, full.SimInstrument));
        ASSERT_TRUE(same(t.Ground, full.Ground));
        ASSERT_TRUE(same(t.Dual, full.Dual));
        ASSERT_TRUE(same(t.InCommand, full.InCommand));
        ASSERT_TRUE(same(t.Simulator, full.Simulator));
        ASSERT_TRUE(same(t.SIC, full.SIC));
        ASSERT_TRUE(same(t.CFI, full.CFI));
        ASSERT_TRUE(same(t.CFII, full.CFII));
        ASSERT_TRUE(same(t.Landings, full.Landings));
        ASSERT_TRUE(same(t.NightLand, full.NightLand));
        ASSERT_TRUE(same(t.XCountry, full.XCountry));
        ASSERT_TRUE(same(t.InstrApp, full.InstrApp));
        ASSERT_TRUE(same(t.Total, full.Total));
    }
}

TEST(ReportsTotals, SumsAreRoundedToSingleAtEachFlight) {
    testsupport::TempDir dir;
    // 2^24 + 1 is no float: each added 1 is lost in single precision,
    // where a double sum would reach 16777218.
    const std::string path = write(dir, logbookOf({flight("1/1/98", "N1", "C172", 16777216.0f),
                                                   flight("1/2/98", "N1", "C172", 1.0f),
                                                   flight("1/3/98", "N1", "C172", 1.0f)}));
    EXPECT_EQ(logbook::loadTotalTime(path).totals.Total, 16777216.0f);
    EXPECT_EQ(logbook::totalsFor(path, FlightTextField::Ident, "N1").Total, 16777216.0f);
    // 0.1 ten times in single precision is 1.0000001, shown as 1.
    std::vector<Flight> tenths(10, flight("1/1/98", "N2", "PA28", 0.1f));
    const std::string p2 = write(dir, logbookOf(tenths), "tenths.log");
    float expect = 0;
    for (int i = 0; i < 10; ++i) expect += 0.1f;
    EXPECT_EQ(logbook::loadTotalTime(p2).totals.Total, expect);
    EXPECT_NE(static_cast<double>(expect), 1.0);
    EXPECT_EQ(records::formatSingle(logbook::loadTotalTime(p2).totals.Total), "1");
}

TEST(ReportsTotals, ThreeFlightsShowSixLandingsAndFourAndAHalfHours) {
    testsupport::TempDir dir;
    Flight f = flight("3/15/98", "N123", "Cessna 172", 1.5f);
    f.landings = 2;
    const std::string path = write(dir, logbookOf({f, f, f}));
    const auto load = logbook::loadTotalTime(path);
    EXPECT_EQ(records::formatSingle(load.totals.Landings), "6");
    EXPECT_EQ(records::formatSingle(load.totals.Total), "4.5");
    ASSERT_EQ(load.idents.size(), 1u);
    EXPECT_EQ(load.idents[0], "N123      ");  // full width, trailing spaces kept
    ASSERT_EQ(load.makes.size(), 1u);
    EXPECT_EQ(load.makes[0], "Cessna 172     ");
}

TEST(ReportsTotals, ListsAreDistinctCaseSensitiveInFirstFlightOrder) {
    testsupport::TempDir dir;
    const std::string path =
        write(dir, logbookOf({flight("1", "N2", "PA28", 1), flight("2", "N1", "C172", 2),
                              flight("3", "n1", "c172", 4), flight("4", "N2", "C172", 8),
                              flight("5", "N1", "PA28", 16)}));
    const auto load = logbook::loadTotalTime(path);
    EXPECT_EQ(load.idents, (std::vector<std::string>{"N2        ", "N1        ", "n1        "}));
    EXPECT_EQ(load.makes,
              (std::vector<std::string>{"PA28           ", "C172           ", "c172           "}));
    EXPECT_EQ(load.totals.Total, 31);
    // Letter case tells the two apart.
    EXPECT_EQ(logbook::totalsFor(path, FlightTextField::Ident, "N1").Total, 18);
    EXPECT_EQ(logbook::totalsFor(path, FlightTextField::Ident, "n1").Total, 4);
    EXPECT_EQ(logbook::totalsFor(path, FlightTextField::Make, "C172").Total, 10);
    EXPECT_EQ(logbook::totalsFor(path, FlightTextField::Make, "c172").Total, 4);
}

TEST(ReportsTotals, FilterTrimsBlanksOnBothSidesAndWantsTheWholeText) {
    testsupport::TempDir dir;
    const std::string path = write(
        dir, logbookOf({flight("1", "N123", "Cessna 172", 1.5f), flight("2", "N12", "Cessna", 2.0f),
                        flight("3", " N123", "Piper", 4.0f)}));
    const float picked = logbook::totalsFor(path, FlightTextField::Ident, "N123      ").Total;
    EXPECT_EQ(picked, 5.5f);  // " N123" stored with a leading blank matches too
    EXPECT_EQ(logbook::totalsFor(path, FlightTextField::Ident, "  N123   ").Total, 5.5f);
    EXPECT_EQ(logbook::totalsFor(path, FlightTextField::Ident, "N1").Total, 0.0f);
    EXPECT_EQ(logbook::totalsFor(path, FlightTextField::Ident, "N12").Total,
              2.0f);  // a whole ident itself
    EXPECT_EQ(logbook::totalsFor(path, FlightTextField::Ident, "").Total, 0.0f);
    EXPECT_EQ(logbook::totalsFor(path, FlightTextField::Make, "Cessna 172").Total, 1.5f);
    EXPECT_EQ(logbook::totalsFor(path, FlightTextField::Make, "Cessna").Total, 2.0f);
    EXPECT_EQ(logbook::totalsFor(path, FlightTextField::Make, "Select Aircraft Type").Total, 0.0f);
    // Only blanks are trimmed: a tab is part of the text.
    EXPECT_EQ(logbook::totalsFor(path, FlightTextField::Ident, "N123\t").Total, 0.0f);
}

TEST(ReportsTotals, ManyAircraftKeepFirstFlightOrder) {
    testsupport::TempDir dir;
    std::vector<Flight> fl;
    std::vector<std::string> idents;
    for (int i = 0; i < 500; ++i) {
        const std::string id = "N" + std::to_string((i * 7919) % 300);
        fl.push_back(flight("1/1/98", id, "M" + std::to_string(i % 3), 1));
        std::string padded = id + std::string(10 - id.size(), ' ');
        if (std::find(idents.begin(), idents.end(), padded) == idents.end())
            idents.push_back(padded);
    }
    const auto load = logbook::loadTotalTime(write(dir, logbookOf(fl)));
    EXPECT_EQ(load.idents, idents);
    EXPECT_EQ(load.makes.size(), 3u);
    EXPECT_EQ(load.totals.Total, 500);
}

TEST(ReportsTotals, OneAircraftLogbookFilteredEqualsUnfiltered) {
    testsupport::TempDir dir;
    std::vector<Flight> fl;
    for (int i = 0; i < 50; ++i) {
        Flight f = flight(std::to_string(i), "N9", "C152", 0.1f * static_cast<float>(i));
        f.night = 0.3f;
        f.landings = 1;
        fl.push_back(f);
    }
    const std::string path = write(dir, logbookOf(fl));
    const auto all = logbook::loadTotalTime(path).totals;
    const auto one = logbook::totalsFor(path, FlightTextField::Ident, "N9");
    EXPECT_EQ(std::memcmp(&all, &one, sizeof all), 0);
    EXPECT_EQ(all.Landings, 50);
}

TEST(ReportsTotals, LogbookWithoutFlightsGivesZerosAndEmptyLists) {
    testsupport::TempDir dir;
    const std::string path = write(dir, logbookBytes({}));
    const auto load = logbook::loadTotalTime(path);
    EXPECT_EQ(load.totals.Total, 0);
    EXPECT_EQ(load.totals.Day, 0);
    EXPECT_TRUE(load.idents.empty());
    EXPECT_TRUE(load.makes.empty());
}

// ---- Currency ----

class ReportsCurrency : public ::testing::Test {
  protected:
    testsupport::TempDir dir;
    const std::int64_t today = day(2026, 12, 8);
    const records::DateLocale us{records::DateOrder::MDY};

    logbook::CurrencyFigures figures(const std::vector<Flight>& fl) {
        return logbook::computeCurrency(write(dir, logbookOf(fl)), us, today);
    }
    static Flight full(const std::string& date) {
        Flight f;
        f.date = date;
        f.landings = 2;
        f.nightLand = 1;
        f.instrApp = 3;
        f.instrument = 1.5f;
        f.simInstrument = 7;
        return f;
    }
};

TEST_F(ReportsCurrency, NinetyAndOneEightyDaysCountTheBoundaryDay) {
    struct Case {
        int ago;
        float landings, night, approaches, instrument;
    };
    const Case cases[] = {{0, 3, 1, 3, 1.5f},   {90, 3, 1, 3, 1.5f}, {91, 0, 0, 3, 1.5f},
                          {180, 0, 0, 3, 1.5f}, {181, 0, 0, 0, 0},   {-30, 3, 1, 3, 1.5f}};
    for (const Case& c : cases) {
        const auto f = figures({full(mdy(today - c.ago))});
        EXPECT_EQ(f.Landings, c.landings) << c.ago << " days ago";
        EXPECT_EQ(f.NightLandings, c.night) << c.ago;
        EXPECT_EQ(f.Approaches, c.approaches) << c.ago;
        EXPECT_EQ(f.Instrument, c.instrument) << c.ago;  // simulated time never counts
    }
}

TEST_F(ReportsCurrency, SumsOverSeveralFlightsAndBlanksAroundTheDate) {
    const auto f = figures(
        {full("  " + mdy(today - 10)), full(mdy(today - 100) + "  "), full(mdy(today - 400))});
    EXPECT_EQ(f.Landings, 3);
    EXPECT_EQ(f.NightLandings, 1);
    EXPECT_EQ(f.Approaches, 6);
    EXPECT_EQ(f.Instrument, 3);
}

TEST_F(ReportsCurrency, TextThatIsNoDateIsSkipped) {
    Flight garbage = full("yesterday");
    Flight blank = full("");
    Flight badDay = full("2/30/2026");
    Flight nul = full("");
    Bytes nulRec = flightRecord(nul);
    std::memset(nulRec.data(), 0, 15);  // a date never stored
    std::vector<Bytes> recs = {flightRecord(garbage), flightRecord(blank), flightRecord(badDay),
                               nulRec, flightRecord(full(mdy(today - 1)))};
    const auto f = logbook::computeCurrency(write(dir, logbookBytes(recs)), us, today);
    EXPECT_EQ(f.Landings, 3);
    EXPECT_EQ(f.Approaches, 3);
}

TEST_F(ReportsCurrency, TimeOfDayAndLocaleOrderAreHonoured) {
    // 91 days ago at noon: 90.5 + 90 days ... still before today.
    EXPECT_EQ(figures({full(mdy(today - 91) + " 12:00")}).Landings, 0);
    EXPECT_EQ(figures({full(mdy(today - 90) + " 23:59")}).Landings, 3);
    const std::string path = write(dir, logbookOf({full("8.12.26")}), "dmy.log");
    EXPECT_EQ(logbook::computeCurrency(path, {records::DateOrder::DMY}, today).Landings, 3);
    EXPECT_EQ(logbook::computeCurrency(path, us, today).Landings, 0);  // August 12th
    EXPECT_EQ(figures({full("Dec 1, 2026")}).Landings, 3);
    // The field holds 15 characters: "December 1, 2026" is stored cut to a 3-digit year.
    EXPECT_EQ(figures({full("December 1, 2026")}).Landings, 0);
}

TEST_F(ReportsCurrency, LandingsJoinTheSumInOneRounding) {
    Flight big = full(mdy(today));
    big.landings = 16777216.0f;
    big.nightLand = 0;
    Flight one = full(mdy(today));
    one.landings = 1;
    one.nightLand = 1;
    // (2^24 + 1) + 1 would lose both; 2^24 + (1 + 1) keeps them.
    EXPECT_EQ(figures({big, one}).Landings, 16777218.0f);
}

TEST_F(ReportsCurrency, QuickDatesReadExactlyAsTheGeneralConversion) {
    std::mt19937 rng(11);
    const char alphabet[] = "0123456789/-.";
    const records::DateLocale locales[] = {
        {records::DateOrder::MDY}, {records::DateOrder::DMY}, {records::DateOrder::YMD}};
    for (int i = 0; i < 40000; ++i) {
        std::string s;
        const int len = 1 + static_cast<int>(rng() % 11);
        for (int k = 0; k < len; ++k) s += alphabet[rng() % 13];
        for (const auto& loc : locales) {
            const auto a = logbook::flightDate(s, loc, 2026);
            const auto b = records::parseDate(s, loc, 2026);
            ASSERT_EQ(a.has_value(), b.has_value()) << s;
            if (a) {
                ASSERT_EQ(a->serial(), b->serial()) << s;
            }
        }
    }
    for (const char* s : {"3/15/98", "12/31/1999", "2/29/2000", "2/29/1900", "1998-03-15", "0/1/98",
                          "13/1/98", "1/1/0", "1/1/100", "1/1/0099"}) {
        const auto a = logbook::flightDate(s, {records::DateOrder::MDY}, 2026);
        const auto b = records::parseDate(s, {records::DateOrder::MDY}, 2026);
        ASSERT_EQ(a.has_value(), b.has_value()) << s;
        if (a) {
            EXPECT_EQ(a->serial(), b->serial()) << s;
        }
    }
}

// ---- The abbreviated list ----

TEST(ReportsBrowse, LineOfTheExampleFlight) {
    const Flight f = exampleFlight();
    const std::string expected =
        "3/15/98        " + std::string(8, ' ') + "N123      " + std::string(6, ' ') + "JFK" +
        std::string(13, ' ') + "BOS" + std::string(13, ' ') + " 2" + std::string(17, ' ') + " 4" +
        std::string(15, ' ') + " 1.2" + std::string(12, ' ') + " 0" + std::string(13, ' ') + " 0" +
        std::string(13, ' ') + " 1.2" + std::string(13, ' ') + " 1.2";
    EXPECT_EQ(logbook::browseLine(flightRecord(f)), expected);
    // This is the common line the headings are placed for: each stands over its column.
    const std::array<std::string, 11> shown = {"3/15/98", "N123", "JFK", "BOS", "2",  "4",
                                               "1.2",     "0",    "0",   "1.2", "1.2"};
    ASSERT_EQ(logbook::kBrowseColumns.size(), shown.size());
    for (std::size_t i = 0; i < shown.size(); ++i)
        EXPECT_EQ(expected.substr(logbook::browseHeadingColumn(i), shown[i].size()), shown[i]) << i;
}

TEST(ReportsBrowse, NumbersMatchTheListFormOnAnyValue) {
    std::mt19937 rng(5);
    std::vector<float> values = {0.0f,
                                 -0.0f,
                                 1.5f,
                                 -2.0f,
                                 1e7f,
                                 9999999.0f,
                                 1.0e-5f,
                                 123456.7f,
                                 std::numeric_limits<float>::infinity(),
                                 -std::numeric_limits<float>::infinity(),
                                 std::numeric_limits<float>::quiet_NaN(),
                                 std::numeric_limits<float>::max(),
                                 std::numeric_limits<float>::denorm_min()};
    for (int i = 0; i < 30000; ++i) {
        const std::uint32_t bits = rng();
        float v;
        std::memcpy(&v, &bits, 4);
        values.push_back(v);
        values.push_back(static_cast<float>(rng() % 100000) / 10.0f);
    }
    const std::size_t prefix =
        15 + 8 + 10 + 6 + 3 + 13 + 3 + 13 + 2 + 17 + 2 + 15 + 2 + 12 + 2 + 13 + 2 + 13 + 2 + 13;
    for (float v : values) {
        Flight f;
        f.total = v;
        const std::string line = logbook::browseLine(flightRecord(f));
        ASSERT_EQ(line.substr(prefix), records::formatSingleList(v)) << v;
    }
}

TEST(ReportsBrowse, SortedWithoutRegardToCaseByDateText) {
    testsupport::TempDir dir;
    const std::string path =
        write(dir, logbookOf({flight("9/1/98", "N1", "", 1), flight("10/2/98", "N1", "", 1),
                              flight("b", "N1", "", 1), flight("A", "N1", "", 1),
                              flight("a", "N1", "", 1), flight("9/1/98", "N0", "", 1),
                              flight("\xC9t\xE9", "N1", "", 1), flight("\xE9t\xE9", "N1", "", 2)}));
    const auto lines = logbook::browseLines(path).toVector();
    ASSERT_EQ(lines.size(), 8u);
    std::vector<std::string> heads;
    for (const auto& l : lines) heads.push_back(l.substr(0, 15) + l.substr(23, 2));
    EXPECT_EQ(heads, (std::vector<std::string>{
                         "10/2/98        N1", "9/1/98         N0", "9/1/98         N1",
                         "A              N1", "a              N1", "b              N1",
                         "\xC9t\xE9            N1", "\xE9t\xE9            N1"}));
    EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end(), logbook::browseLess));
    EXPECT_TRUE(logbook::browseLess("apple", "Banana"));
    EXPECT_FALSE(logbook::browseLess("Banana", "apple"));
    EXPECT_TRUE(logbook::browseLess("\xC0", "\xE1"));  // À before á: folded à < á
}

TEST(ReportsBrowse, LargeMixedLogbookIsAPermutationInCaseInsensitiveOrder) {
    testsupport::TempDir dir;
    std::mt19937 rng(21);
    const char letters[] = "aAbBzZ09 /-\xE9\xC9";
    std::vector<Bytes> recs;
    std::vector<std::string> expected;
    auto word = [&](std::size_t n) {
        std::string w;
        for (std::size_t i = 0; i < n; ++i) w += letters[rng() % (sizeof letters - 1)];
        return w;
    };
    for (int i = 0; i < 3000; ++i) {
        Flight f =
            flight(word(1 + rng() % 3), word(rng() % 3), "M", static_cast<float>(rng() % 7) / 2);
        f.from = word(rng() % 4);
        f.to = word(rng() % 4);
        f.instrApp = static_cast<float>(static_cast<int>(rng() % 5) - 2);
        f.landings = static_cast<float>(rng() % 3);
        recs.push_back(flightRecord(f));
        expected.push_back(logbook::browseLine(recs.back()));
    }
    const auto listed = logbook::browseLines(write(dir, logbookBytes(recs)));
    const auto lines = listed.toVector();
    ASSERT_EQ(lines.size(), expected.size());
    std::size_t longest = 0;
    for (const std::string& e : expected) longest = std::max(longest, e.size());
    EXPECT_EQ(listed.longest(), longest);
    EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end(), logbook::browseLess));
    EXPECT_TRUE(std::is_permutation(lines.begin(), lines.end(), expected.begin()));
    std::sort(expected.begin(), expected.end(), logbook::browseLess);
    EXPECT_EQ(lines, expected);
}

TEST(ReportsBrowse, RowsFollowTheLinesOrderWithTrimmedCells) {
    testsupport::TempDir dir;
    Flight late = flight("2/1/99", "N2", "C172", 1.5f);
    late.from = "JF";
    late.to = "BOS";
    late.landings = 1;
    late.nightLand = 2;
    const std::string path = write(dir, logbookOf({late, flight("1/5/99", "N1", "C172", 2)}));
    const auto rows = logbook::browseRows(path);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].cells[0], "1/5/99");
    EXPECT_EQ(rows[1].cells, (std::array<std::string, 11>{"2/1/99", "N2", "JF", "BOS", "0", "3",
                                                          "1.5", "0", "0", "0", "1.5"}));
    EXPECT_EQ(rows[1].line, logbook::browseLines(path)[1]);
}

// ---- Damaged and hostile logbooks: never a crash, never a write ----

TEST(ReportsHostile, BoundsAndDamageNeverCrashAndNeverWrite) {
    testsupport::TempDir dir;
    const Bytes good =
        logbookOf({flight("3/15/98", "N1", "C172", 1), flight("3/16/98", "N1", "C172", 2)});
    std::vector<std::pair<std::string, Bytes>> files;
    auto withLast = [&](std::int16_t last) {
        Bytes b = good;
        records::putInt16(b, 278, last);
        return b;
    };
    files.push_back({"last0", withLast(0)});
    files.push_back({"lastneg", withLast(-5)});
    files.push_back({"last32767", withLast(32767)});
    Bytes odd = good;
    odd.resize(good.size() - 100);
    files.push_back({"odd", odd});
    files.push_back({"empty", {}});
    files.push_back({"short", Bytes(100, 0x41)});
    std::mt19937 rng(3);
    Bytes noise(420 * 20);
    for (auto& b : noise) b = static_cast<std::uint8_t>(rng());
    records::putInt16(noise, 278, 20);
    files.push_back({"noise", noise});

    const records::DateLocale us{records::DateOrder::MDY};
    for (const auto& [name, bytes] : files) {
        const std::string path = write(dir, bytes, (name + ".log").c_str());
        const auto before = std::filesystem::last_write_time(path);
        const auto load = logbook::loadTotalTime(path);
        logbook::totalsFor(path, FlightTextField::Ident, "N1");
        logbook::totalsFor(path, FlightTextField::Make, "C172");
        logbook::computeCurrency(path, us, day(1998, 4, 1));
        const auto lines = logbook::browseLines(path);
        logbook::browseRows(path);
        EXPECT_EQ(testsupport::readFileBytes(path), bytes) << name;
        EXPECT_EQ(std::filesystem::last_write_time(path), before) << name;
        if (name == "last0" || name == "lastneg" || name == "empty" || name == "short") {
            EXPECT_TRUE(lines.empty()) << name;
            EXPECT_EQ(load.totals.Total, 0) << name;
        }
        if (name == "noise") {
            EXPECT_EQ(lines.size(), 19u);
        }
    }
    // LastRecord beyond the file: only the records it holds count.
    const std::string big = dir.file("last32767.log");
    EXPECT_EQ(logbook::loadTotalTime(big).totals.Total, 3);
    EXPECT_EQ(logbook::loadTotalTime(big).idents.size(), 1u);
    EXPECT_EQ(logbook::browseLines(big).size(), 2u);
    // A cut-off last record is not read as a flight.
    EXPECT_EQ(logbook::loadTotalTime(dir.file("odd.log")).totals.Total, 1);
    // No file at all.
    EXPECT_EQ(logbook::loadTotalTime(dir.file("none.log")).totals.Total, 0);
    EXPECT_TRUE(logbook::browseLines(dir.file("none.log")).empty());
    EXPECT_FALSE(std::filesystem::exists(dir.file("none.log")));
}

TEST(ReportsHostile, NonFiniteNumbersAndOddBytesInTexts) {
    testsupport::TempDir dir;
    Flight f = flight("3/15/98", "N\x80\xFF", "Mak\xE9", 1);
    f.day = std::numeric_limits<float>::quiet_NaN();
    f.night = std::numeric_limits<float>::infinity();
    f.landings = -std::numeric_limits<float>::infinity();
    Bytes r = flightRecord(f);
    r[3] = 0;   // a NUL inside the date
    r[32] = 0;  // and one inside the ident
    const std::string path =
        write(dir, logbookBytes({r, flightRecord(flight("3/16/98", "N1", "C", 1))}));
    const auto load = logbook::loadTotalTime(path);
    EXPECT_TRUE(std::isnan(load.totals.Day));
    EXPECT_TRUE(std::isinf(load.totals.Night));
    EXPECT_EQ(load.totals.Total, 2);
    ASSERT_EQ(load.idents.size(), 2u);
    EXPECT_EQ(load.idents[0], std::string("N\x80\0       ", 10));  // kept as stored
    const auto lines = logbook::browseLines(path).toVector();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].substr(0, 15), "3/1 /98        ");  // the NUL shows as a blank
    EXPECT_EQ(lines[0].substr(23, 10), "N\x80        ");
    EXPECT_EQ(lines[0].find('\0'), std::string::npos);
    EXPECT_NE(lines[0].find("-Infinity"), std::string::npos);
    EXPECT_NE(lines[0].find(" NaN"), std::string::npos);
}
