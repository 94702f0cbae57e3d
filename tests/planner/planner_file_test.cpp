// Plan files and Personal.nfo on disk: creation, the merge rule of every
// writer of record 1, checkpoints, the counter at and beyond its limits,
// and write failures.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Bytes.h"
#include "Seams.h"
#include "TempDir.h"
#include "planner/PlanFile.h"
#include "records/RecordFile.h"

using namespace planner;
using records::Byte;
using testsupport::readFileBytes;
using testsupport::writeFileBytes;

namespace {

std::string slice(const std::vector<Byte>& b, std::size_t off, std::size_t n) {
    return std::string(reinterpret_cast<const char*>(b.data()) + off, n);
}

// A record with every field filled with its own letter, so that a merge
// that takes a field from the wrong side shows up.
PlanRecord filled(char letter, std::int16_t flags, std::int16_t last) {
    PlanRecord r;
    PlanRecord::eachField(r, [&](std::size_t, auto& field) {
        using T = std::remove_cvref_t<decltype(field)>;
        if constexpr (std::is_same_v<T, std::int16_t>)
            field = flags;
        else
            field.assign(std::string(T::width, letter));
    });
    r.LastCheckpoint = last;
    return r;
}

// Byte ranges [from, to) of record 1 that come from each side.
struct Range {
    std::size_t from, to;
};

void expectBytes(const std::vector<Byte>& rec, const std::vector<Range>& ranges,
                 const std::array<Byte, 1006>& source, const char* what) {
    for (const Range& r : ranges)
        for (std::size_t i = r.from; i < r.to; ++i)
            ASSERT_EQ(rec[i], source[i]) << what << " at byte " << i;
}

void expectZero(const std::vector<Byte>& rec, const std::vector<Range>& ranges) {
    for (const Range& r : ranges)
        for (std::size_t i = r.from; i < r.to; ++i) ASSERT_EQ(rec[i], 0) << "byte " << i;
}

class PlanFileTest : public ::testing::Test {
  protected:
    void TearDown() override { records::setWriteFailureAfter(std::nullopt); }
    testsupport::TempDir dir;
    std::string plan = dir.file("trip.flt");
};

}  // namespace

TEST_F(PlanFileTest, FreshPlanIsAllZeroButTheCounter) {
    ASSERT_TRUE(createPlan(plan));
    const auto b = readFileBytes(plan);
    ASSERT_EQ(b.size(), 1006u);
    for (std::size_t i = 0; i < b.size(); ++i) {
        if (i == 769 || i == 770)
            EXPECT_EQ(b[i], 0xFF) << i;
        else
            ASSERT_EQ(b[i], 0) << i;
    }
    const auto r = readRecord(plan, 1);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->LastCheckpoint, -1);
}

TEST_F(PlanFileTest, CreatingOverAPlanWithCheckpointsKeepsItsLength) {
    std::vector<Byte> old(4 * 1006, 0x55);
    writeFileBytes(plan, old);
    ASSERT_TRUE(createPlan(plan));
    const auto b = readFileBytes(plan);
    ASSERT_EQ(b.size(), 4u * 1006);
    EXPECT_EQ(readRecord(plan, 1)->LastCheckpoint, -1);
    EXPECT_EQ(b[1006], 0x55);  // record 2 is left, and ignored
    EXPECT_EQ(checkpointRows(readRecord(plan, 1)->LastCheckpoint), 0);
}

TEST_F(PlanFileTest, ReadingPastTheEndGivesZeros) {
    EXPECT_EQ(*readRecord(plan, 1), PlanRecord{});  // absent file: created empty
    EXPECT_TRUE(records::fileExists(plan));
    EXPECT_EQ(readFileBytes(plan).size(), 0u);
    writeFileBytes(plan, std::vector<Byte>(500, 'A'));  // half a record
    const auto r = readRecord(plan, 1);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Route.raw(), std::string(100, 'A'));
    EXPECT_EQ(r->Elapsed.raw(), "A" + std::string(9, '\0'));  // the half record ends at 500
    EXPECT_EQ(r->LastCheckpoint, 0);
    EXPECT_EQ(*readRecord(plan, 7), PlanRecord{});
    EXPECT_FALSE(readRecord(dir.path().string(), 1));  // a folder is no plan
}

TEST_F(PlanFileTest, IdentOfSixCharactersIsPaddedWithFourSpaces) {
    ASSERT_TRUE(createPlan(plan));
    PlanRecord typed;
    typed.AircraftIdent.assign("N12345");
    ASSERT_TRUE(savePlanForm(plan, typed));
    const auto b = readFileBytes(plan);
    EXPECT_EQ(slice(b, 469, 10), "N12345    ");
    EXPECT_EQ(b[468], 0);  // TrueAirspeed left as typed: never assigned here
    EXPECT_EQ(b[479], 0);  // TimeOff kept from the fresh plan
    EXPECT_EQ(readRecord(plan, 1)->AircraftIdent.raw(), "N12345    ");
}

TEST_F(PlanFileTest, PlanFormKeepsTheLogFieldsAndCounter) {
    const PlanRecord old = filled('o', -1, 4);
    const PlanRecord typed = filled('t', 0, 7);
    ASSERT_TRUE(writeRecord(plan, 1, old));
    const auto written = savePlanForm(plan, typed);
    ASSERT_TRUE(written);
    const auto b = readFileBytes(plan);
    ASSERT_EQ(b.size(), 1006u);
    expectBytes(b, {{0, 256}, {366, 479}}, typed.encode(), "typed");
    expectBytes(b, {{479, 771}}, old.encode(), "kept");
    expectZero(b, {{256, 366}, {771, 1006}});
    EXPECT_EQ(written->LastCheckpoint, 4);
    EXPECT_EQ(*written, mergePlanForm(old, typed));
}

TEST_F(PlanFileTest, LogHeaderKeepsThePlanFieldsAndCounter) {
    const PlanRecord old = filled('o', -1, 3);
    const PlanRecord typed = filled('t', 0, 9);
    ASSERT_TRUE(writeRecord(plan, 1, old));
    ASSERT_TRUE(saveLogHeader(plan, typed));
    const auto b = readFileBytes(plan);
    expectBytes(b, {{414, 769}}, typed.encode(), "typed");
    expectBytes(b, {{0, 256}, {366, 414}, {769, 771}}, old.encode(), "kept");
    expectZero(b, {{256, 366}, {771, 1006}});
}

TEST_F(PlanFileTest, PlanFormThenLogHeaderShareSixFields) {
    ASSERT_TRUE(createPlan(plan));
    PlanRecord form;
    form.IsIFR = -1;
    form.CruiseAltitude.assign("8500");
    form.Route.assign("V16 V1");
    ASSERT_TRUE(savePlanForm(plan, form));
    PlanRecord log;
    log.CruiseAltitude.assign("6500");
    log.TimeOff.assign("1415");
    ASSERT_TRUE(saveLogHeader(plan, log));
    const auto r = *readRecord(plan, 1);
    EXPECT_EQ(r.CruiseAltitude.raw(), "6500      ");
    EXPECT_EQ(r.Route.raw().substr(0, 6), "V16 V1");
    EXPECT_EQ(r.IsIFR, -1);
    EXPECT_EQ(r.TimeOff.raw(), "1415      ");
    EXPECT_EQ(r.LastCheckpoint, -1);
}

TEST_F(PlanFileTest, PersonalWithOnlyANameHasNinetySpaces) {
    PlanRecord typed = filled('x', -1, 5);  // fields outside the personal area are ignored
    typed.PilotName.assign("Amelia Earhart");
    typed.Street.assign("");
    typed.City.assign("");
    typed.State.assign("");
    typed.Zip.assign("");
    typed.Phone.assign("");
    typed.HomeBase.assign("");
    ASSERT_TRUE(savePersonal(typed));
    const auto b = readFileBytes("Personal.nfo");  // bare name in the working directory
    ASSERT_EQ(b.size(), 1006u);
    EXPECT_EQ(slice(b, 256, 20), "Amelia Earhart      ");
    EXPECT_EQ(slice(b, 276, 90), std::string(90, ' '));
    expectZero(b, {{0, 256}, {366, 1006}});
    EXPECT_EQ(readPersonal().PilotName.raw(), "Amelia Earhart      ");
}

TEST_F(PlanFileTest, PersonalReadCreatesAnEmptyFile) {
    EXPECT_EQ(readPersonal(), PlanRecord{});
    EXPECT_TRUE(records::fileExists("Personal.nfo"));
    EXPECT_EQ(readFileBytes("Personal.nfo").size(), 0u);
}

TEST_F(PlanFileTest, CheckpointWithOnlyANameKeepsEverythingElseZero) {
    ASSERT_TRUE(createPlan(plan));
    PlanRecord typed = filled('y', -1, 8);
    typed.CheckName.assign("LAKE");
    PlanRecord blankRest = checkpointOnly(typed);
    PlanRecord::eachField(blankRest, [](std::size_t off, auto& field) {
        using T = std::remove_cvref_t<decltype(field)>;
        if constexpr (!std::is_same_v<T, std::int16_t>)
            if (off > 771) field.assign("");
    });
    const auto res = appendCheckpoint(plan, blankRest);
    ASSERT_TRUE(res);
    EXPECT_EQ(res->index, 0);
    const auto b = readFileBytes(plan);
    ASSERT_EQ(b.size(), 2u * 1006);
    EXPECT_EQ(slice(b, 1006 + 771, 25), "LAKE" + std::string(21, ' '));
    EXPECT_EQ(slice(b, 1006 + 796, 210), std::string(210, ' '));
    for (std::size_t i = 0; i < 771; ++i) ASSERT_EQ(b[1006 + i], 0) << i;
    EXPECT_EQ(readRecord(plan, 1)->LastCheckpoint, 0);
    // Record 1 unchanged but for the counter.
    for (std::size_t i = 0; i < 769; ++i) ASSERT_EQ(b[i], 0) << i;
}

TEST_F(PlanFileTest, ThreeCheckpointsRemovalAndOverwrite) {
    ASSERT_TRUE(createPlan(plan));
    PlanRecord header = filled('h', -1, -1);
    header.LastCheckpoint = -1;
    ASSERT_TRUE(writeRecord(plan, 1, header));
    for (const char* name : {"ONE", "TWO", "THREE"}) {
        PlanRecord cp;
        cp.CheckName.assign(name);
        ASSERT_TRUE(appendCheckpoint(plan, cp));
    }
    auto b = readFileBytes(plan);
    ASSERT_EQ(b.size(), 4u * 1006);
    auto rec1 = *readRecord(plan, 1);
    EXPECT_EQ(rec1.LastCheckpoint, 2);
    EXPECT_EQ(readRecord(plan, 4)->CheckName.shown().substr(0, 5), "THREE");

    // Removal: only the counter changes, the file keeps its length.
    ASSERT_TRUE(removeLastCheckpoint(plan, *lastCheckpoint(plan)));
    const auto after = readFileBytes(plan);
    ASSERT_EQ(after.size(), 4u * 1006);
    for (std::size_t i = 0; i < after.size(); ++i)
        if (i != 769 && i != 770) {
            ASSERT_EQ(after[i], b[i]) << i;
        }
    rec1 = *readRecord(plan, 1);
    EXPECT_EQ(rec1.LastCheckpoint, 1);
    EXPECT_EQ(checkpointRows(rec1.LastCheckpoint), 2);

    PlanRecord four;
    four.CheckName.assign("FOUR");
    const auto res = appendCheckpoint(plan, four);
    ASSERT_TRUE(res);
    EXPECT_EQ(res->index, 2);
    EXPECT_EQ(readFileBytes(plan).size(), 4u * 1006);
    EXPECT_EQ(readRecord(plan, 4)->CheckName.shown(), "FOUR" + std::string(21, ' '));
    EXPECT_EQ(readRecord(plan, 1)->LastCheckpoint, 2);
    EXPECT_EQ(readRecord(plan, 1)->Route, header.Route);

    const auto cps = readCheckpoints(plan, 2);
    ASSERT_TRUE(cps);
    ASSERT_EQ(cps->size(), 3u);
    EXPECT_EQ((*cps)[0].CheckName.shown().substr(0, 3), "ONE");
    EXPECT_EQ((*cps)[2].CheckName.shown().substr(0, 4), "FOUR");
}

TEST_F(PlanFileTest, TenCheckpointsAtMostThenFull) {
    ASSERT_TRUE(createPlan(plan));
    PlanRecord cp;
    cp.CheckName.assign("CP");
    for (int i = 0; i < 10; ++i) {
        const auto res = appendCheckpoint(plan, cp);
        ASSERT_TRUE(res) << i;
        EXPECT_EQ(res->index, i);
    }
    const auto before = readFileBytes(plan);
    EXPECT_EQ(before.size(), 11u * 1006);
    EXPECT_EQ(readRecord(plan, 1)->LastCheckpoint, 9);
    EXPECT_EQ(appendCheckpoint(plan, cp).reason(), records::FileError::Full);
    EXPECT_EQ(readFileBytes(plan), before);
}

TEST_F(PlanFileTest, CounterLimits) {
    EXPECT_TRUE(canAddCheckpoint(-1));
    EXPECT_TRUE(canAddCheckpoint(0));
    EXPECT_TRUE(canAddCheckpoint(8));
    EXPECT_FALSE(canAddCheckpoint(9));
    EXPECT_FALSE(canAddCheckpoint(10));
    EXPECT_FALSE(canAddCheckpoint(500));
    EXPECT_FALSE(canAddCheckpoint(-2));
    EXPECT_FALSE(canAddCheckpoint(-300));
    EXPECT_FALSE(canAddCheckpoint(32767));
    EXPECT_FALSE(canAddCheckpoint(-32768));
    EXPECT_EQ(checkpointRows(-1), 0);
    EXPECT_EQ(checkpointRows(-300), 0);
    EXPECT_EQ(checkpointRows(-32768), 0);
    EXPECT_EQ(checkpointRows(0), 1);
    EXPECT_EQ(checkpointRows(9), 10);
    EXPECT_EQ(checkpointRows(500), 10);
    EXPECT_EQ(checkpointRows(32767), 10);
}

TEST_F(PlanFileTest, CorruptCounterNeverReachesPastRecordEleven) {
    for (std::int16_t last : {std::int16_t(500), std::int16_t(-300), std::int16_t(32767),
                              std::int16_t(-32768), std::int16_t(10)}) {
        PlanRecord header;
        header.LastCheckpoint = last;
        ASSERT_TRUE(writeRecord(plan, 1, header));
        const auto before = readFileBytes(plan);
        PlanRecord cp;
        cp.CheckName.assign("X");
        EXPECT_EQ(appendCheckpoint(plan, cp).reason(), records::FileError::Full) << last;
        EXPECT_EQ(readFileBytes(plan), before) << last;
        const auto rows = readCheckpoints(plan, last);
        ASSERT_TRUE(rows);
        EXPECT_LE(rows->size(), 10u);
    }
    // Removal works down from whatever the counter holds.
    PlanRecord header;
    header.LastCheckpoint = 500;
    ASSERT_TRUE(writeRecord(plan, 1, header));
    ASSERT_TRUE(removeLastCheckpoint(plan, *lastCheckpoint(plan)));
    EXPECT_EQ(readRecord(plan, 1)->LastCheckpoint, 499);
    EXPECT_EQ(removeLastCheckpoint(plan, {-300, {}}).reason(), records::FileError::Gone);
    EXPECT_EQ(readRecord(plan, 1)->LastCheckpoint, 499);
}

TEST_F(PlanFileTest, FailedWritesAreReported) {
    ASSERT_TRUE(createPlan(plan));
    const auto before = readFileBytes(plan);
    PlanRecord typed;
    typed.AircraftIdent.assign("N1");

    records::setWriteFailureAfter(0);
    EXPECT_FALSE(createPlan(dir.file("other.flt")));
    EXPECT_FALSE(savePlanForm(plan, typed));
    EXPECT_FALSE(saveLogHeader(plan, typed));
    EXPECT_FALSE(savePersonal(typed));
    EXPECT_EQ(appendCheckpoint(plan, typed).reason(), records::FileError::WriteFailed);
    EXPECT_EQ(removeLastCheckpoint(plan, *lastCheckpoint(plan)).reason(), records::FileError::Gone);
    records::setWriteFailureAfter(std::nullopt);
    EXPECT_EQ(readFileBytes(plan), before);
    EXPECT_FALSE(std::filesystem::exists(dir.file("other.flt")));  // no empty file left

    // The checkpoint goes first: when only the counter fails, the file
    // still counts no checkpoint and the record past it is ignored.
    records::setWriteFailureAfter(1006);
    EXPECT_EQ(appendCheckpoint(plan, typed).reason(), records::FileError::WriteFailed);
    records::setWriteFailureAfter(std::nullopt);
    EXPECT_EQ(readRecord(plan, 1)->LastCheckpoint, -1);
    EXPECT_EQ(readFileBytes(plan), before);  // and the file is cut back

    // Each write reaches the disk before it is called done.
    {
        int syncs = 0;
        const testsupport::Failpoint counting(
            [&](records::Step s) { return syncs += s == records::Step::Sync, false; });
        ASSERT_TRUE(savePlanForm(plan, typed));
        ASSERT_TRUE(saveLogHeader(plan, typed));
        ASSERT_TRUE(savePersonal(typed));
        EXPECT_EQ(syncs, 3);
    }
    {
        const testsupport::Failpoint failedSync(
            [](records::Step s) { return s == records::Step::Sync; });
        EXPECT_FALSE(savePlanForm(plan, typed));
        EXPECT_EQ(appendCheckpoint(plan, typed).reason(), records::FileError::WriteFailed);
    }
    EXPECT_EQ(readRecord(plan, 1)->LastCheckpoint, -1);
    const auto res = appendCheckpoint(plan, typed);
    ASSERT_TRUE(res);
    EXPECT_EQ(res->index, 0);

    const auto withOne = readFileBytes(plan);
    records::setWriteFailureAfter(10);
    EXPECT_EQ(removeLastCheckpoint(plan, *lastCheckpoint(plan)).reason(),
              records::FileError::WriteFailed);
    records::setWriteFailureAfter(std::nullopt);
    EXPECT_EQ(readFileBytes(plan), withOne);
}

// Records 1 .. n as one file.
std::vector<Byte> planBytes(const std::vector<PlanRecord>& recs) {
    std::vector<Byte> out;
    for (const PlanRecord& r : recs) {
        const auto b = r.encode();
        out.insert(out.end(), b.begin(), b.end());
    }
    return out;
}

TEST_F(PlanFileTest, EveryWriterMergesIntoThePlanAsItIsUnderTheLock) {
    PlanRecord header = filled('h', 1, 1);
    PlanRecord one, two, three, other;
    one.CheckName.assign("ONE");
    two.CheckName.assign("TWO");
    three.CheckName.assign("THREE");
    other.CheckName.assign("OTHER");
    const auto start = planBytes({header, one, two});
    // What another program saved while this one's window was open.
    PlanRecord logSaved = header;
    logSaved.CruiseAltitude.assign("6500");
    logSaved.TimeOff.assign("1410");
    PlanRecord formSaved = header;
    formSaved.Route.assign("V23 SEA");
    PlanRecord counted = header;
    counted.LastCheckpoint = 2;
    PlanRecord lowered = header;
    lowered.LastCheckpoint = 0;
    PlanRecord typed = filled('t', 0, 7);

    struct Case {
        const char* what;
        std::vector<Byte> meanwhile;
        std::function<std::optional<records::FileError>()> write;  // its reason
        std::optional<records::FileError> refused;
        std::function<bool()> holds;  // afterwards
    };
    const LastCheckpoint asked{1, two};
    const std::vector<Case> cases{
        {"removal after a header save",
         planBytes({logSaved, one, two}),
         [&] { return removeLastCheckpoint(plan, asked).reason(); },
         {},
         [&] {
             PlanRecord want = logSaved;
             want.LastCheckpoint = 0;
             return *readRecord(plan, 1) == want;
         }},
        {"removal after a checkpoint was added", planBytes({counted, one, two, three}),
         [&] { return removeLastCheckpoint(plan, asked).reason(); }, records::FileError::Changed,
         [&] {
             return readFileBytes(plan) == planBytes({counted, one, two, three});
         }},
        {"removal after it was removed", planBytes({lowered, one, two}),
         [&] { return removeLastCheckpoint(plan, asked).reason(); }, records::FileError::Changed,
         [&] {
             return readFileBytes(plan) == planBytes({lowered, one, two});
         }},
        {"removal after it was replaced", planBytes({header, one, other}),
         [&] { return removeLastCheckpoint(plan, asked).reason(); }, records::FileError::Changed,
         [&] {
             return readFileBytes(plan) == planBytes({header, one, other});
         }},
        {"plan form after a header save",
         planBytes({logSaved, one, two}),
         [&] { return savePlanForm(plan, typed).reason(); },
         {},
         [&] { return *readRecord(plan, 1) == mergePlanForm(logSaved, typed); }},
        {"header after a plan form save",
         planBytes({formSaved, one, two}),
         [&] { return saveLogHeader(plan, typed).reason(); },
         {},
         [&] { return *readRecord(plan, 1) == mergeLogHeader(formSaved, typed); }},
        {"checkpoint after a checkpoint was added",
         planBytes({counted, one, two, three}),
         [&] { return appendCheckpoint(plan, other).reason(); },
         {},
         [&] {
             return readRecord(plan, 1)->LastCheckpoint == 3 && *readRecord(plan, 4) == three &&
                    *readRecord(plan, 5) == other;
         }},
    };
    for (const Case& c : cases) {
        writeFileBytes(plan, start);
        {
            testsupport::WrittenMeanwhile saved(c.meanwhile);
            EXPECT_EQ(c.write(), c.refused) << c.what;
        }
        EXPECT_TRUE(c.holds()) << c.what;
    }
}

TEST_F(PlanFileTest, EveryWriterSaysBusyWhileAnotherHoldsTheFile) {
    ASSERT_TRUE(createPlan(plan));
    PlanRecord typed;
    typed.AircraftIdent.assign("N1");
    ASSERT_TRUE(appendCheckpoint(plan, typed));
    ASSERT_TRUE(savePersonal(typed));
    const auto before = readFileBytes(plan);
    const auto personal = readFileBytes(kPersonalFile);
    std::optional<testsupport::LockWait> shortWait(std::in_place, std::chrono::milliseconds(50));
    // Another program's lock, on a descriptor of its own.
    testsupport::HeldLock other(plan);
    testsupport::HeldLock otherPersonal(kPersonalFile);
    ASSERT_TRUE(other.held());
    ASSERT_TRUE(otherPersonal.held());
    const auto busy = std::optional(records::FileError::Busy);
    const auto asked = *lastCheckpoint(plan);
    EXPECT_EQ(createPlan(plan).reason(), busy);
    EXPECT_EQ(savePlanForm(plan, typed).reason(), busy);
    EXPECT_EQ(saveLogHeader(plan, typed).reason(), busy);
    EXPECT_EQ(savePersonal(typed).reason(), busy);
    EXPECT_EQ(appendCheckpoint(plan, typed).reason(), busy);
    EXPECT_EQ(removeLastCheckpoint(plan, asked).reason(), busy);
    EXPECT_EQ(readFileBytes(plan), before);
    EXPECT_EQ(readFileBytes(kPersonalFile), personal);
    // Let go, the same saves succeed and say so.
    other.release();
    otherPersonal.release();
    shortWait.reset();
    EXPECT_TRUE(savePlanForm(plan, typed));
    EXPECT_TRUE(removeLastCheckpoint(plan, asked));
}
