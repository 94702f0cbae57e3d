#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <random>

#include "Bytes.h"
#include "TempDir.h"
#include "logbook/LogRecord.h"
#include "planner/PlanRecord.h"
#include "records/Clock.h"
#include "records/CodePage.h"
#include "records/DateText.h"
#include "records/Fields.h"
#include "records/FileMessages.h"
#include "records/Layout.h"
#include "records/NewFile.h"
#include "records/NumberText.h"
#include "records/RecordFile.h"
#include "wandb/AircraftRecord.h"

using namespace records;
using testsupport::readFileBytes;
using testsupport::TempDir;
using testsupport::writeFileBytes;

// ---------------------------------------------------------------- encodings

TEST(Fields, IntegersAreLittleEndianAndUnaligned) {
    std::vector<Byte> rec(7, 0xAA);
    putInt16(rec, 1, 1);
    putInt16(rec, 3, -2);
    putInt16(rec, 5, kTrue);
    EXPECT_EQ(rec, (std::vector<Byte>{0xAA, 0x01, 0x00, 0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(getInt16(rec, 1), 1);
    EXPECT_EQ(getInt16(rec, 3), -2);
    EXPECT_EQ(getInt16(rec, 5), -1);
    const std::vector<Byte> extremes{0x00, 0x80, 0xFF, 0x7F};
    EXPECT_EQ(getInt16(extremes, 0), -32768);
    EXPECT_EQ(getInt16(extremes, 2), 32767);
}

TEST(Fields, FloatsAreIeeeSingleLittleEndian) {
    std::vector<Byte> rec(9, 0);
    putFloat(rec, 1, 1.5f);     // 0x3FC00000
    putFloat(rec, 5, -120.0f);  // 0xC2F00000
    EXPECT_EQ(rec, (std::vector<Byte>{0, 0x00, 0x00, 0xC0, 0x3F, 0x00, 0x00, 0xF0, 0xC2}));
    EXPECT_EQ(getFloat(rec, 1), 1.5f);
    EXPECT_EQ(getFloat(rec, 5), -120.0f);
    const std::vector<Byte> nan{0x00, 0x00, 0xC0, 0x7F};
    EXPECT_TRUE(std::isnan(getFloat(nan, 0)));
}

TEST(Fields, TextIsPaddedWithSpacesOrCutAndNeverStoredIsNul) {
    FixedText<5> t;
    EXPECT_TRUE(t.neverStored());
    EXPECT_EQ(t.raw(), std::string(5, '\0'));
    EXPECT_EQ(t.shown(), "");
    EXPECT_EQ(t.trimmed(), std::string(5, '\0'));  // NUL bytes are not blanks

    t.assign("AB");
    EXPECT_EQ(t.raw(), "AB   ");
    EXPECT_EQ(t.trimmed(), "AB");
    t.assign("ABCDEFG");
    EXPECT_EQ(t.raw(), "ABCDE");
    t.assign("");
    EXPECT_EQ(t.raw(), "     ");
    EXPECT_FALSE(t.neverStored());
    EXPECT_EQ(t.trimmed(), "");

    std::vector<Byte> rec(8, 0xEE);
    FixedText<3> from;
    from.assign("JF");
    putText(rec, 2, from);
    EXPECT_EQ(rec, (std::vector<Byte>{0xEE, 0xEE, 'J', 'F', ' ', 0xEE, 0xEE, 0xEE}));
    EXPECT_EQ(getText<3>(rec, 2).raw(), "JF ");

    const std::vector<Byte> withNul{'N', '1', 0, 'X'};
    const auto n = getText<4>(withNul, 0);
    EXPECT_EQ(n.shown(), "N1");     // shown text ends at the first NUL
    EXPECT_EQ(n.raw().size(), 4u);  // but every byte is kept
    EXPECT_EQ(trimSpaces("  a b  "), "a b");
}

// Every record's field list, read at run time the way an exporter does:
// each whole-record layout tiles its bytes, and writing every field's value,
// got by name from random bytes, onto a blank record rebuilds those bytes and
// agrees with the typed decode.
template <class Rec>
void checkLayouts(const RecordLayout& whole) {
    ASSERT_TRUE(tiles(whole.fields, Rec::Size)) << whole.name;
    EXPECT_EQ(whole.size, Rec::Size);
    for (const FieldInfo& f : whole.fields) EXPECT_EQ(whole.find(f.name), &f) << f.name;

    std::mt19937 rng(static_cast<unsigned>(Rec::Size));
    for (int round = 0; round < 50; ++round) {
        std::vector<Byte> bytes(Rec::Size);
        for (Byte& b : bytes) b = static_cast<Byte>(rng());
        const auto typed = Rec::decode(bytes).encode();
        std::vector<Byte> rebuilt(Rec::Size, 0);
        for (const FieldInfo& f : whole.fields) {
            const FieldValue v = getValue(bytes, f);
            ASSERT_TRUE(setValue(rebuilt, f, v)) << f.name;
            ASSERT_TRUE(std::ranges::equal(getRaw(typed, f), getRaw(bytes, f))) << f.name;
        }
        ASSERT_EQ(rebuilt, bytes) << whole.name;
    }
}

TEST(Layout, EveryRecordIsEnumerableByNameAndBitExact) {
    checkLayouts<LogRecord>(kLogRecordLayout);
    checkLayouts<planner::PlanRecord>(planner::kPlanRecordLayout);
    checkLayouts<wandb::AircraftRecord>(wandb::kAircraftLayout);

    // The names and places the files are documented with.
    EXPECT_EQ(kLogRecordLayout.find("NightLand")->offset, 264u);
    EXPECT_EQ(kLogRecordLayout.find("LastRecord")->offset, 278u);
    EXPECT_EQ(planner::kPlanRecordLayout.find("LastCheckpoint")->kind, FieldKind::Int16);
    EXPECT_EQ(wandb::kAircraftLayout.find("EmptyWeight")->width, 4u);

    // A value must suit its field: kind, and text no wider than the field
    // (a shorter one is padded with spaces, as the windows store it).
    std::vector<Byte> rec(wandb::AircraftRecord::Size, 0);
    const FieldInfo& ident = *wandb::kAircraftLayout.find("Ident");
    EXPECT_FALSE(setValue(rec, ident, std::string(16, 'x')));
    EXPECT_FALSE(setValue(rec, ident, std::int16_t{1}));
    EXPECT_FALSE(setRaw(rec, ident, std::vector<Byte>(14, 'x')));
    EXPECT_TRUE(setValue(rec, ident, std::string("N1")));
    EXPECT_EQ(std::get<std::string>(getValue(rec, ident)), "N1" + std::string(13, ' '));
    EXPECT_FALSE(setValue(rec, *wandb::kAircraftLayout.find("OilArm"), std::int16_t{1}));
    EXPECT_TRUE(std::all_of(rec.begin() + 15, rec.end(), [](Byte b) { return b == 0; }));
}

TEST(CodePage, RoundTripsTheWholePageAndReplacesTheRest) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
    EXPECT_EQ(cp1252ToUtf8("\x80"), "\xE2\x82\xAC");    // euro sign
    EXPECT_EQ(cp1252ToUtf8("caf\xE9"), "caf\xC3\xA9");  // e acute
    EXPECT_EQ(utf8ToCp1252("\xE2\x80\x9C"
                           "x"
                           "\xE2\x80\x9D"),
              "\x93x\x94");                            // curly quotes
    EXPECT_EQ(utf8ToCp1252("\xE6\x97\xA5"), "?");      // CJK: not in the page
    EXPECT_EQ(utf8ToCp1252("\xF0\x9F\x9B\xA9"), "?");  // an emoji: one '?'
    EXPECT_EQ(utf8ToCp1252("a\xC3"), "a?");            // cut-off sequence
    EXPECT_EQ(utf8ToCp1252("\xFF\xFE"), "??");
}

// ------------------------------------------------------------- record files

TEST(RecordFile, CreatesWhenAbsentAndNeverTruncates) {
    TempDir dir;
    {
        auto f = RecordFile::open("new.dat", 4);
        ASSERT_TRUE(f);
        EXPECT_EQ(f->sizeBytes(), 0u);
    }
    EXPECT_TRUE(fileExists("new.dat"));
    writeFileBytes("old.dat", {1, 2, 3, 4, 5, 6, 7, 8, 9});
    {
        auto f = RecordFile::open("old.dat", 4);
        ASSERT_TRUE(f);
        EXPECT_EQ(f->recordCount(), 2u);
        const std::vector<Byte> rec{0xA, 0xB, 0xC, 0xD};
        EXPECT_TRUE(f->write(1, rec));
    }
    EXPECT_EQ(readFileBytes("old.dat"), (std::vector<Byte>{0xA, 0xB, 0xC, 0xD, 5, 6, 7, 8, 9}));
    EXPECT_FALSE(RecordFile::open("absent.dat", 4, RecordFile::Mode::ExistingOnly));
    EXPECT_FALSE(fileExists("absent.dat"));
    EXPECT_FALSE(RecordFile::open(".", 4));  // a directory is no record file
}

TEST(RecordFile, ReadsPastTheEndAsZerosAndWritesExtend) {
    TempDir dir;
    writeFileBytes("f.dat", {1, 2, 3, 4, 5, 6});
    auto f = RecordFile::open("f.dat", 4);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->read(1), (std::vector<Byte>{1, 2, 3, 4}));
    EXPECT_EQ(f->read(2), (std::vector<Byte>{5, 6, 0, 0}));  // partial record completed
    EXPECT_EQ(f->read(9), (std::vector<Byte>{0, 0, 0, 0}));
    std::vector<Byte> range;
    EXPECT_TRUE(f->readRange(1, 3, range));
    EXPECT_EQ(range, (std::vector<Byte>{1, 2, 3, 4, 5, 6, 0, 0, 0, 0, 0, 0}));

    const std::vector<Byte> rec{9, 9, 9, 9};
    EXPECT_TRUE(f->write(4, rec));
    EXPECT_EQ(f->sizeBytes(), 16u);
    EXPECT_FALSE(f->write(0, rec));                         // records count from 1
    EXPECT_FALSE(f->write(5, std::vector<Byte>{1, 2, 3}));  // wrong length
    f->close();
    EXPECT_EQ(readFileBytes("f.dat"),
              (std::vector<Byte>{1, 2, 3, 4, 5, 6, 0, 0, 0, 0, 0, 0, 9, 9, 9, 9}));
}

TEST(RecordFile, AFailedWriteIsReported) {
    TempDir dir;
    auto f = RecordFile::open("f.dat", 4);
    ASSERT_TRUE(f);
    const std::vector<Byte> rec{1, 2, 3, 4};
    setWriteFailureAfter(6);
    EXPECT_TRUE(f->write(1, rec));
    EXPECT_FALSE(f->write(2, rec));  // only two of its bytes fit
    EXPECT_FALSE(f->write(3, rec));
    setWriteFailureAfter(std::nullopt);
    EXPECT_TRUE(f->write(3, rec));

    auto ro = RecordFile::open("f.dat", 4, RecordFile::Mode::ReadOnly);
    ASSERT_TRUE(ro);
    EXPECT_FALSE(ro->write(1, rec));
}

TEST(RecordFile, ALockedOpenSaysWhyItCannotWrite) {
    TempDir dir;
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    std::filesystem::create_directory("closed");
    ASSERT_EQ(::chmod("closed", 0555), 0);
    writeFileBytes("ro.dat", {1});
    ASSERT_EQ(::chmod("ro.dat", 0444), 0);
    std::filesystem::create_directory("folder.dat");
    using M = RecordFile::Mode;
    struct Case {
        const char* path;
        M mode;
        FileError reason;
    };
    const Case cases[] = {
        {"ro.dat", M::CreateIfMissing, FileError::ReadOnly},
        {"closed/new.dat", M::CreateIfMissing, FileError::FolderNotWritable},
        {"closed/new.dat", M::ExistingOnly, FileError::Missing},
        {"folder.dat", M::CreateIfMissing, FileError::NotRegular},
    };
    // Folder permissions hold only for a user who is not root.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(100);
        for (std::size_t i = 0; i < std::size(cases); ++i)
            if (RecordFile::openLocked(cases[i].path, 4, cases[i].mode).reason() != cases[i].reason)
                ::_exit(static_cast<int>(i + 1));
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the case that failed, from 1";
    EXPECT_FALSE(std::filesystem::exists("closed/new.dat"));
}

TEST(RecordFile, ReplacesAtomicallyOrLeavesTheOriginal) {
    TempDir dir;
    writeFileBytes("log.log", {1, 2, 3});
    const std::vector<Byte> next{7, 8};
    const auto onlyTheFile = [] {
        return std::distance(std::filesystem::directory_iterator("."),
                             std::filesystem::directory_iterator{}) == 1;
    };
    setWriteFailureAfter(1);
    EXPECT_FALSE(replaceFile("log.log", next));
    setWriteFailureAfter(std::nullopt);
    EXPECT_EQ(readFileBytes("log.log"), (std::vector<Byte>{1, 2, 3}));
    EXPECT_TRUE(onlyTheFile());
    EXPECT_TRUE(replaceFile("log.log", next));
    EXPECT_EQ(readFileBytes("log.log"), next);
    EXPECT_TRUE(onlyTheFile());

    // A new file goes through the same private temporary files: never over
    // an existing name, a crash leftover in the folder is cleared, a failure
    // leaves nothing, and a name as long as the file system allows works.
    EXPECT_EQ(createNewFile("log.log", "x").reason(), FileError::Exists);
    EXPECT_EQ(readFileBytes("log.log"), next);
    writeFileBytes(".aerokit-stale123.tmp", {9});
    setFailpoint([](Step s) { return s == Step::CreateTemporary; });
    EXPECT_FALSE(createNewFile("new.log", "abc"));
    setFailpoint({});
    EXPECT_TRUE(onlyTheFile());
    const std::string longName(255, 'n');
    EXPECT_TRUE(createNewFile(longName, "abc"));
    EXPECT_EQ(readFileBytes(longName), (std::vector<Byte>{'a', 'b', 'c'}));
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(std::filesystem::status(longName).permissions(),
              static_cast<std::filesystem::perms>(0666 & ~mask));
    std::filesystem::remove(longName);
    EXPECT_TRUE(onlyTheFile());
}

// -------------------------------------------------------------- number text

TEST(FileMessages, EveryReasonIsToldApartAndNamesTheFile) {
    using A = Action;
    using E = FileError;
    const A actions[] = {A::SaveFlight,       A::RemoveFlight, A::SaveRatings,   A::CreateLogbook,
                         A::SavePlan,         A::CreatePlan,   A::SaveLogHeader, A::SaveCheckpoint,
                         A::RemoveCheckpoint, A::SavePersonal, A::SaveAircraft,  A::WriteOutput};
    const E reasons[] = {
        E::Missing,           E::Exists,       E::NotRegular,  E::ReadOnly, E::Busy, E::HardLinked,
        E::FolderNotWritable, E::OwnerNotKept, E::NotALogbook, E::Full,     E::Gone, E::Changed,
        E::WriteFailed};
    // Reasons that lie in the file itself name it; the others say what the
    // user asked for no longer holds.
    const std::set<E> aboutTheFile = {E::Missing,    E::NotRegular,        E::ReadOnly,    E::Busy,
                                      E::HardLinked, E::FolderNotWritable, E::OwnerNotKept};
    for (const A a : actions) {
        std::set<std::string> seen;
        for (const E e : reasons) {
            const std::string m = failureMessage(a, "trip.flt", Failure{e, "root"});
            EXPECT_TRUE(seen.insert(m).second) << "two reasons read alike: " << m;
            if (aboutTheFile.count(e)) {
                EXPECT_NE(m.find("trip.flt"), std::string::npos) << m;
            }
            // Only a temporary hold is worth another try.
            EXPECT_EQ(m.find("Try again") != std::string::npos, e == E::Busy) << m;
        }
    }
    EXPECT_EQ(failureMessage(A::SavePlan, "trip.flt", Failure{E::ReadOnly, {}}),
              "The flight plan could not be saved: trip.flt is read-only. Nothing was changed.");
    EXPECT_EQ(failureMessage(A::RemoveCheckpoint, "trip.flt", Failure{E::Changed, {}}),
              "The navigation log was changed by another program. Nothing was removed.");
    EXPECT_EQ(failureReason("out.log", Failure{E::FolderNotWritable, {}}),
              "out.log's folder cannot be written");
}

TEST(NumberText, ShowsSinglesAsShortestSevenDigitText) {
    EXPECT_EQ(formatSingle(0.0f), "0");
    EXPECT_EQ(formatSingle(-0.0f), "0");
    EXPECT_EQ(formatSingle(1.5f), "1.5");
    EXPECT_EQ(formatSingle(100.0f / 6.0f), "16.66667");
    EXPECT_EQ(formatSingle(1350.0f / 35.0f), "38.57143");
    EXPECT_EQ(formatSingle(69050.0f / 1790.0f), "38.57542");
    EXPECT_EQ(formatSingle(9999999.0f), "9999999");
    EXPECT_EQ(formatSingle(10000000.0f), "1E+07");
    EXPECT_EQ(formatSingle(123456789.0f), "1.234568E+08");
    EXPECT_EQ(formatSingle(-2.25f), "-2.25");
    EXPECT_EQ(formatSingle(0.1f), "0.1");  // not 0.100000001
    EXPECT_EQ(formatSingle(199.8f), "199.8");
    EXPECT_EQ(formatSingle(1.5f, NumberLocale{','}), "1,5");
    EXPECT_EQ(formatDouble(7 * 1.875), "13.125");
    EXPECT_EQ(formatDouble(3 * 1.875, NumberLocale{','}), "5,625");
    EXPECT_EQ(formatSingleList(1.5f), " 1.5");
    EXPECT_EQ(formatSingleList(0.0f), " 0");
    EXPECT_EQ(formatSingleList(-1.2f), "-1.2");
    EXPECT_EQ(formatSingle(std::numeric_limits<float>::quiet_NaN()), "NaN");
    EXPECT_EQ(formatSingle(-std::numeric_limits<float>::infinity()), "-Infinity");
}

TEST(NumberText, ConvertsTypedTextByTheLocalesDecimalRules) {
    const NumberLocale us{'.'}, de{','};
    EXPECT_EQ(parseSingle("1.5", us), 1.5f);
    EXPECT_EQ(parseSingle("  -1.5  ", us), -1.5f);
    EXPECT_EQ(parseSingle("+2", us), 2.0f);
    EXPECT_EQ(parseSingle(".5", us), 0.5f);
    EXPECT_EQ(parseSingle("5.", us), 5.0f);
    EXPECT_EQ(parseSingle("1.5E2", us), 150.0f);
    EXPECT_EQ(parseSingle("1e-1", us), 0.1f);
    EXPECT_EQ(parseSingle("1,5", de), 1.5f);
    EXPECT_FALSE(parseSingle("1,5", us));  // no thousands separators
    EXPECT_FALSE(parseSingle("1.5", de));
    EXPECT_FALSE(parseSingle(" ", us));  // a lone space is no number
    EXPECT_FALSE(parseSingle("", us));
    EXPECT_FALSE(parseSingle("abc", us));
    EXPECT_FALSE(parseSingle("1.5x", us));
    EXPECT_FALSE(parseSingle("1 5", us));
    EXPECT_FALSE(parseSingle("--1", us));
    EXPECT_FALSE(parseSingle("1e", us));
    EXPECT_FALSE(parseSingle(".", us));
    EXPECT_FALSE(parseSingle("nan", us));
    EXPECT_FALSE(parseSingle("inf", us));
    EXPECT_FALSE(parseSingle("1e39", us));  // beyond single precision
    EXPECT_EQ(parseDouble("1e39", us), 1e39);
}

TEST(NumberText, ConvertsToInt16RoundingHalvesToEven) {
    EXPECT_EQ(parseInt16("2.5"), 2);
    EXPECT_EQ(parseInt16("3.5"), 4);
    EXPECT_EQ(parseInt16("-2.5"), -2);
    EXPECT_EQ(parseInt16("2.6"), 3);
    EXPECT_EQ(parseInt16(" 7 "), 7);
    EXPECT_EQ(parseInt16("32767"), 32767);
    EXPECT_EQ(parseInt16("-32768"), -32768);
    EXPECT_EQ(parseInt16("-32768.5"), -32768);  // rounds to the even -32768
    EXPECT_FALSE(parseInt16("32767.5"));        // rounds to 32768
    EXPECT_FALSE(parseInt16("40000"));
    EXPECT_FALSE(parseInt16("-32769"));
    EXPECT_FALSE(parseInt16(" "));
    EXPECT_EQ(parseInt16("2,5", NumberLocale{','}), 2);
}

// ---------------------------------------------------------------- date text

namespace {
std::int64_t day(int y, int m, int d) { return daysFromCivil(y, m, d); }
const DateLocale kUS{DateOrder::MDY};
const DateLocale kDE{DateOrder::DMY};
}  // namespace

TEST(DateText, CalendarArithmetic) {
    EXPECT_EQ(day(1970, 1, 1), 0);
    EXPECT_EQ(day(2000, 3, 1) - day(2000, 2, 28), 2);  // 2000 is a leap year
    EXPECT_EQ(day(1900, 3, 1) - day(1900, 2, 28), 1);  // 1900 is not
    int y, m, d;
    civilFromDays(day(1998, 3, 15), y, m, d);
    EXPECT_EQ(y * 10000 + m * 100 + d, 19980315);
    civilFromDays(day(1899, 12, 30), y, m, d);
    EXPECT_EQ(y * 10000 + m * 100 + d, 18991230);
}

TEST(DateText, ReadsTheLocalesShortDatesAndTwoDigitYears) {
    EXPECT_EQ(parseDate("3/15/98", kUS, 2026)->days, day(1998, 3, 15));
    EXPECT_EQ(parseDate("3/15/1998", kUS, 2026)->days, day(1998, 3, 15));
    EXPECT_EQ(parseDate(" 03-15-98 ", kUS, 2026)->days, day(1998, 3, 15));
    EXPECT_EQ(parseDate("15.3.98", kDE, 2026)->days, day(1998, 3, 15));
    EXPECT_EQ(parseDate("1998-03-15", kUS, 2026)->days, day(1998, 3, 15));
    EXPECT_EQ(parseDate("1/2/29", kUS, 2026)->days, day(2029, 1, 2));
    EXPECT_EQ(parseDate("1/2/30", kUS, 2026)->days, day(1930, 1, 2));
    EXPECT_EQ(parseDate("1/2/00", kUS, 2026)->days, day(2000, 1, 2));
    EXPECT_EQ(parseDate("12/8", kUS, 2026)->days, day(2026, 12, 8));  // this year
    EXPECT_EQ(parseDate("2/29/2000", kUS, 2026)->days, day(2000, 2, 29));
    EXPECT_FALSE(parseDate("2/29/1999", kUS, 2026));
    EXPECT_FALSE(parseDate("13/1/98", kUS, 2026));  // not guessed as day/month
    EXPECT_FALSE(parseDate("3/32/98", kUS, 2026));
    EXPECT_FALSE(parseDate("0/1/98", kUS, 2026));
    EXPECT_FALSE(parseDate("3/15/198", kUS, 2026));
}

TEST(DateText, ReadsMonthNamesAndTimesOfDay) {
    EXPECT_EQ(parseDate("March 15, 1998", kUS, 2026)->days, day(1998, 3, 15));
    EXPECT_EQ(parseDate("15 Mar 98", kUS, 2026)->days, day(1998, 3, 15));
    EXPECT_EQ(parseDate("15-mar-1998", kDE, 2026)->days, day(1998, 3, 15));
    EXPECT_EQ(parseDate("Sept 1, 2001", kUS, 2026)->days, day(2001, 9, 1));
    const auto t = parseDate("3/15/98 18:00", kUS, 2026);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->days, day(1998, 3, 15));
    EXPECT_DOUBLE_EQ(t->dayFraction, 0.75);
    EXPECT_DOUBLE_EQ(parseDate("3/15/98 6:00 PM", kUS, 2026)->dayFraction, 0.75);
    EXPECT_DOUBLE_EQ(parseDate("3/15/98 12:00:00 AM", kUS, 2026)->dayFraction, 0.0);
    EXPECT_DOUBLE_EQ(parseDate("3/15/98 6 pm", kUS, 2026)->dayFraction, 0.75);
    EXPECT_FALSE(parseDate("3/15/98 25:00", kUS, 2026));
    EXPECT_FALSE(parseDate("3/15/98 13:00 PM", kUS, 2026));
}

TEST(DateText, TextThatIsNoDateIsReportedNotGuessed) {
    for (const char* bad :
         {"", " ", "garbage", "yesterday", "3/15/98/4", "3//", "12:30", "N123", "3/15/98x",
          "Foo 15, 1998", "\x01\x02", "99999/1/1", "March", "Mar 5 6 7"})
        EXPECT_FALSE(parseDate(bad, kUS, 2026)) << bad;
}

TEST(Clock, TodayCanBeFixed) {
    setTodayForTesting(day(1998, 6, 1));
    EXPECT_EQ(today(), day(1998, 6, 1));
    setTodayForTesting(std::nullopt);
    EXPECT_GT(today(), day(2020, 1, 1));
}
