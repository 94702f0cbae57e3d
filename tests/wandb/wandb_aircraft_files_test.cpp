#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <variant>

#include "Bytes.h"
#include "Seams.h"
#include "TempDir.h"
#include "WandbTestData.h"
#include "records/RecordFile.h"
#include "wandb/AircraftFiles.h"

using namespace wandb;

namespace {

AircraftDefinition requiredOnly() {
    AircraftDefinition d;
    d.Ident = "N1234";
    d.Make = "Cessna 172";
    d.EmptyWeight = "1500";
    d.EmptyMoment = "57000";
    d.MaxTOweight = "2300";
    d.FwdCGLimit = "35";
    d.AftCGLimit = "47.3";
    return d;
}

DefinitionError problemOf(const AircraftDefinition& d, const records::NumberLocale& loc = {}) {
    auto r = buildAircraft(d, loc);
    if (auto* p = std::get_if<DefinitionError>(&r)) return *p;
    return {};
}

}  // namespace

TEST(AircraftDefinition, RequiredBoxesAreCheckedInOrder) {
    std::vector<DefinitionError> expected;
    for (const auto& box : wandbtest::kRequiredBoxes) expected.push_back({box.text, box.title});
    // All seven empty: filling them one by one in order reveals each message.
    AircraftDefinition d;
    std::string* boxes[] = {&d.Ident,       &d.Make,       &d.EmptyWeight, &d.EmptyMoment,
                            &d.MaxTOweight, &d.FwdCGLimit, &d.AftCGLimit};
    const AircraftDefinition full = requiredOnly();
    const std::string* fills[] = {&full.Ident,       &full.Make,        &full.EmptyWeight,
                                  &full.EmptyMoment, &full.MaxTOweight, &full.FwdCGLimit,
                                  &full.AftCGLimit};
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(problemOf(d), expected[i]) << i;
        *boxes[i] = *fills[i];
    }
    EXPECT_TRUE(std::holds_alternative<AircraftRecord>(buildAircraft(d)));
    // Only a later box empty: its own message, not an earlier one.
    AircraftDefinition late = requiredOnly();
    late.AftCGLimit.clear();
    EXPECT_EQ(problemOf(late), expected[6]);
}

TEST(AircraftDefinition, RequiredOnlyGivesBlankStationsAndZeroArms) {
    auto r = buildAircraft(requiredOnly());
    ASSERT_TRUE(std::holds_alternative<AircraftRecord>(r));
    const AircraftRecord& a = std::get<AircraftRecord>(r);
    EXPECT_EQ(a.Ident.raw(), "N1234          ");
    EXPECT_EQ(a.EmptyWeight, 1500.f);
    EXPECT_EQ(a.AftCGLimit, 47.3f);
    for (Station s : kStations) {
        EXPECT_EQ(a.name(s).raw(), std::string(20, ' '));
        EXPECT_EQ(a.arm(s), 0.f);
        EXPECT_FALSE(a.hasStation(s));
    }
}

TEST(AircraftDefinition, NamesArePaddedOrCutAndArmsConverted) {
    AircraftDefinition d = requiredOnly();
    d.Make = "Piper PA-28-181X";  // 16: cut to 15
    d.Seat1Name = "Front seats and more text";
    d.Seat1Arm = "37";
    d.Tank2Name = "Right";
    d.Tank2Arm = "0";
    d.OilArm = "-15.5";
    const auto a = std::get<AircraftRecord>(buildAircraft(d));
    EXPECT_EQ(a.Make.raw(), "Piper PA-28-181");
    EXPECT_EQ(a.Seat1Name.raw(), "Front seats and more");
    EXPECT_EQ(a.Seat1Arm, 37.f);
    EXPECT_EQ(a.Tank2Name.raw(), "Right               ");
    EXPECT_EQ(a.Tank2Arm, 0.f);
    EXPECT_EQ(a.OilArm, -15.5f);
    EXPECT_EQ(a.OilName.raw(), std::string(20, ' '));
}

TEST(AircraftDefinition, BlanksPassTheRequiredCheckButAreNoNumber) {
    AircraftDefinition d = requiredOnly();
    d.EmptyWeight = "  ";
    EXPECT_EQ(problemOf(d),
              (DefinitionError{"Aircraft Empty Weight must be a number", "Invalid Number", true}));
    d = requiredOnly();
    d.MaxTOweight = "2300 lb";
    EXPECT_EQ(problemOf(d),
              (DefinitionError{"Maximum Takeoff Weight must be a number", "Invalid Number", true}));
    d = requiredOnly();
    d.Bag3Arm = "abc";
    EXPECT_EQ(problemOf(d),
              (DefinitionError{"Baggage 3 Arm must be a number", "Invalid Number", true}));
    d = requiredOnly();
    d.OilArm = " ";  // an arm of blanks is not an empty arm
    EXPECT_EQ(problemOf(d), (DefinitionError{"Oil Arm must be a number", "Invalid Number", true}));
    d = requiredOnly();
    d.Tank1Arm = "1e39";  // beyond single precision
    EXPECT_EQ(problemOf(d),
              (DefinitionError{"Fuel Tank 1 Arm must be a number", "Invalid Number", true}));
    // The locale's decimal separator.
    d = requiredOnly();
    d.AftCGLimit = "47,3";
    EXPECT_EQ(problemOf(d).title, "Invalid Number");
    EXPECT_EQ(std::get<AircraftRecord>(buildAircraft(d, records::NumberLocale{','})).AftCGLimit,
              47.3f);
}

TEST(AircraftDefinition, IdentsThatCannotNameAFileAreRefused) {
    for (const char* bad : {" ", "   ", ".", "..", " .. ", "a/b", "../x", "a\\b", "C:", "a*", "a?",
                            "a\"b", "<a", "a>", "a|b", "a\tb", "a\x7f"}) {
        AircraftDefinition d = requiredOnly();
        d.Ident = bad;
        EXPECT_EQ(problemOf(d).title, "Invalid Aircraft Ident") << bad;
        EXPECT_TRUE(problemOf(d).warning);
    }
    AircraftDefinition d = requiredOnly();
    d.Ident = std::string("a\0b", 3);
    EXPECT_EQ(problemOf(d).title, "Invalid Aircraft Ident");
    // An empty ident is the required-box message, not this one.
    d.Ident.clear();
    EXPECT_EQ(problemOf(d).title, "Failed to Enter Ident");
    for (const char* good : {"N1234", " N1234 ", "D-EABC", "...", "G.ABCD", "N1234.old"}) {
        d.Ident = good;
        EXPECT_TRUE(std::holds_alternative<AircraftRecord>(buildAircraft(d))) << good;
    }
}

TEST(AircraftFiles, FileNameIsTheTrimmedIdent) {
    EXPECT_EQ(aircraftFileName("N1234"), "N1234.pln");
    EXPECT_EQ(aircraftFileName("  N1234     "), "N1234.pln");
    EXPECT_EQ(aircraftFileName("N 1"), "N 1.pln");
    EXPECT_EQ(aircraftFileName("\xC4-1"), "\xC3\x84-1.pln");  // a UTF-8 name on disk
    EXPECT_FALSE(identUsable("N\x81"));
    EXPECT_TRUE(identUsable("N1234          "));
    EXPECT_FALSE(identUsable(std::string(15, ' ')));
}

TEST(AircraftFiles, SavedFileIsOneRecordOfExactBytes) {
    testsupport::TempDir dir;
    AircraftDefinition d = requiredOnly();
    d.Ident = " N1234";  // stored as typed, file named trimmed
    d.Make = "123456789012345";
    const auto a = std::get<AircraftRecord>(buildAircraft(d));
    ASSERT_TRUE(saveAircraft(aircraftFileName(a.Ident.raw()), a));
    const auto bytes = testsupport::readFileBytes("N1234.pln");
    ASSERT_EQ(bytes.size(), 290u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 15), " N1234         ");
    EXPECT_EQ(std::string(bytes.begin() + 15, bytes.begin() + 30), "123456789012345");
    // Empty weight 1500 = 0x44BB8000 little-endian at 30.
    EXPECT_EQ(bytes[30], 0x00);
    EXPECT_EQ(bytes[31], 0x80);
    EXPECT_EQ(bytes[32], 0xBB);
    EXPECT_EQ(bytes[33], 0x44);
    // Seat 1 arm, blank: zero.
    for (int i = 110; i < 114; ++i) EXPECT_EQ(bytes[i], 0);
    EXPECT_FALSE(std::filesystem::exists("N1234.pln.tmp"));
}

TEST(AircraftFiles, SavingOverAnOverlongFileLeavesExactlyOneRecord) {
    testsupport::TempDir dir;
    testsupport::writeFileBytes("N1.pln", std::vector<std::uint8_t>(1000, 0x41));
    AircraftDefinition d = requiredOnly();
    d.Ident = "N1";
    const auto a = std::get<AircraftRecord>(buildAircraft(d));
    ASSERT_TRUE(saveAircraft("N1.pln", a));
    EXPECT_EQ(testsupport::readFileBytes("N1.pln").size(), 290u);
    EXPECT_EQ(loadAircraft("N1.pln"), a);
}

TEST(AircraftFiles, FailedWriteReportsAndKeepsTheOldFile) {
    testsupport::TempDir dir;
    const std::vector<std::uint8_t> old(290, 0x20);
    testsupport::writeFileBytes("N1.pln", old);
    AircraftDefinition d = requiredOnly();
    d.Ident = "N1";
    const auto a = std::get<AircraftRecord>(buildAircraft(d));
    records::setWriteFailureAfter(100);
    EXPECT_FALSE(saveAircraft("N1.pln", a));
    records::setWriteFailureAfter(std::nullopt);
    EXPECT_EQ(testsupport::readFileBytes("N1.pln"), old);
    EXPECT_FALSE(std::filesystem::exists("N1.pln.tmp"));

    // A link planted at the old fixed temporary name redirects nothing.
    testsupport::writeFileBytes("unrelated", {1, 2, 3});
    std::filesystem::create_symlink("unrelated", "N1.pln.tmp");
    EXPECT_TRUE(saveAircraft("N1.pln", a));
    EXPECT_EQ(loadAircraft("N1.pln"), a);
    EXPECT_EQ(testsupport::readFileBytes("unrelated"), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_TRUE(std::filesystem::is_symlink("N1.pln.tmp"));
    // A failed save of a new aircraft leaves no file.
    records::setWriteFailureAfter(0);
    EXPECT_FALSE(saveAircraft("N2.pln", a));
    records::setWriteFailureAfter(std::nullopt);
    EXPECT_FALSE(std::filesystem::exists("N2.pln"));

    // Another program holding the file: Busy, and the file untouched.
    const auto saved = testsupport::readFileBytes("N1.pln");
    {
        const testsupport::LockWait shortWait(std::chrono::milliseconds(50));
        const testsupport::HeldLock other("N1.pln");
        ASSERT_TRUE(other.held());
        EXPECT_EQ(saveAircraft("N1.pln", std::get<AircraftRecord>(buildAircraft(requiredOnly())))
                      .reason(),
                  records::FileError::Busy);
    }
    EXPECT_EQ(testsupport::readFileBytes("N1.pln"), saved);
}

TEST(AircraftFiles, ListsPlnFilesSortedWithoutCase) {
    testsupport::TempDir dir;
    EXPECT_TRUE(listAircraftFiles().empty());
    for (const char* n :
         {"n200.pln", "N100.pln", "b.pln", "Zulu.pln", "notes.txt", "x.pln.tmp", "A.PLN"})
        testsupport::writeFileBytes(n, {1});
    std::filesystem::create_directory("dir.pln");
    EXPECT_EQ(listAircraftFiles(),
              (std::vector<std::string>{"b.pln", "N100.pln", "n200.pln", "Zulu.pln"}));
}

TEST(AircraftFiles, LoadReadsAnyFileAndRefusesMissingOnes) {
    testsupport::TempDir dir;
    EXPECT_FALSE(loadAircraft("none.pln"));
    EXPECT_FALSE(std::filesystem::exists("none.pln"));  // looking never creates
    std::filesystem::create_directory("dir.pln");
    EXPECT_FALSE(loadAircraft("dir.pln"));
    testsupport::writeFileBytes("short.pln", {'N', '9'});
    const auto s = loadAircraft("short.pln");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->Ident.shown(), "N9");
    EXPECT_EQ(s->EmptyWeight, 0.f);
    testsupport::writeFileBytes("empty.pln", {});
    EXPECT_EQ(loadAircraft("empty.pln"), AircraftRecord{});
}
