// Logbook file operations: creation, checking, ratings, flight conversion,
// appending, the date list and removal.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>
#include <vector>

#include "Bytes.h"
#include "Seams.h"
#include "TempDir.h"
#include "TestLogbooks.h"
#include "logbook/Logbook.h"
#include "records/FileMessages.h"
#include "records/RecordFile.h"

using namespace logbook;
using records::Byte;
using testsupport::readFileBytes;
using testsupport::writeFileBytes;

namespace {

LogRecord flightDated(const std::string& date, float total = 1.0f) {
    LogRecord r;
    r.Date.assign(date);
    r.Total = total;
    return r;
}

// A logbook with the given flights written directly, its rating record
// holding one type rating.
std::vector<Byte> logbookBytes(const std::vector<LogRecord>& flights) {
    LogRecord rating;
    rating.TypeRating1.assign("B737");
    return logbooktest::logbookOfRecords(flights, rating);
}

std::vector<std::string> datesInFile(const std::string& path) {
    const auto bytes = readFileBytes(path);
    std::vector<std::string> d;
    for (std::size_t off = 420; off + 420 <= bytes.size(); off += 420)
        d.push_back(
            LogRecord::decode(records::ConstByteSpan(bytes).subspan(off, 420)).Date.trimmed());
    return d;
}

std::int16_t lastRecordInFile(const std::string& path) {
    return LogRecord::decode(readFileBytes(path)).LastRecord;
}

}  // namespace

// --- creating and checking ------------------------------------------------

TEST(LogbookCreate, NewFileIsOneBlankRatingRecord) {
    testsupport::TempDir dir;
    ASSERT_TRUE(createLogbook("new.log"));
    const auto bytes = readFileBytes("new.log");
    ASSERT_EQ(bytes.size(), 420u);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i == 278)
            EXPECT_EQ(bytes[i], 1);
        else
            EXPECT_EQ(bytes[i], 0) << "byte " << i;
    }
    EXPECT_TRUE(checkLogbook("new.log").ok());
    EXPECT_TRUE(dateList("new.log").empty());
}

TEST(LogbookCreate, OverALongerLogbookLeavesOnlyTheNewOne) {
    testsupport::TempDir dir;
    const auto old = logbookBytes({flightDated("1/1/99"), flightDated("1/2/99")});
    writeFileBytes("old.log", old);
    ASSERT_TRUE(createLogbook("old.log"));
    // The old flights go: kept after the count, they would be read as
    // flights of the new logbook.
    ASSERT_TRUE(createLogbook("fresh.log"));
    EXPECT_EQ(readFileBytes("old.log"), readFileBytes("fresh.log"));
    EXPECT_TRUE(checkLogbook("old.log").consistent());
    EXPECT_TRUE(dateList("old.log").empty());
    ASSERT_TRUE(appendFlight("old.log", flightDated("5/5/05")));
    EXPECT_EQ(dateList("old.log"), std::vector<std::string>{"5/5/05"});
}

TEST(LogbookCreate, RefusesAFileThatIsNoWholeNumberOfRecords) {
    testsupport::TempDir dir;
    const std::vector<Byte> text(1000, 'x');
    writeFileBytes("notes.log", text);
    EXPECT_EQ(createLogbook("notes.log").reason(), records::FileError::NotALogbook);
    EXPECT_EQ(readFileBytes("notes.log"), text);
    EXPECT_EQ(createLogbook("no-such-dir/new.log").reason(), records::FileError::Missing);
}

TEST(LogbookCheck, RefusesWhatIsNoLogbook) {
    testsupport::TempDir dir;
    EXPECT_EQ(checkLogbook("missing.log").problem, LogbookFault::Missing);
    writeFileBytes("empty.log", {});
    EXPECT_EQ(checkLogbook("empty.log").problem, LogbookFault::Empty);

    auto good = logbookBytes({flightDated("1/1/99")});
    writeFileBytes("tiny.log", std::vector<Byte>(419, 0));
    EXPECT_EQ(checkLogbook("tiny.log").problem, LogbookFault::PartialRecord);

    auto zero = good;
    zero[278] = 0;
    zero[279] = 0;
    writeFileBytes("zero.log", zero);
    EXPECT_EQ(checkLogbook("zero.log").problem, LogbookFault::LastRecordBelowOne);
    auto negative = good;
    negative[278] = 0xFE;
    negative[279] = 0xFF;
    writeFileBytes("negative.log", negative);
    const Check neg = checkLogbook("negative.log");
    EXPECT_EQ(neg.problem, LogbookFault::LastRecordBelowOne);
    EXPECT_EQ(neg.lastRecord, -2);
    EXPECT_NE(describe(neg).find("repair"), std::string::npos);
    // A count beyond the file's end in a record 1 that no logbook program
    // wrote (text where the rating record's flight part is zero) is no
    // logbook; in a rating record it is a damaged one (see the damage tests).
    std::vector<Byte> text(840, 'x');
    writeFileBytes("beyond.log", text);
    const Check far = checkLogbook("beyond.log");
    EXPECT_EQ(far.problem, LogbookFault::LastRecordBeyondEnd);
    EXPECT_EQ(describe(far),
              "It does not look like a logbook: what should be its count of flights does not fit "
              "the file.");
    // A folder, FIFO or device is no file at all, not a missing one.
    std::filesystem::create_directory("folder.log");
    ASSERT_EQ(::mkfifo("fifo.log", 0644), 0);
    for (const char* other : {"folder.log", "fifo.log", "/dev/null"}) {
        EXPECT_EQ(checkLogbook(other).problem, LogbookFault::NotRegular) << other;
        EXPECT_EQ(describe(checkLogbook(other)), "It is not a regular file.");
        EXPECT_EQ(createLogbook(other).reason(), records::FileError::NotRegular) << other;
        EXPECT_EQ(appendFlight(other, flightDated("x")).reason(), records::FileError::NotALogbook)
            << other;
        EXPECT_EQ(removeFlight(other, "x").reason(), records::FileError::NotALogbook) << other;
    }

    for (const char* bad :
         {"missing.log", "empty.log", "tiny.log", "zero.log", "negative.log", "beyond.log"}) {
        EXPECT_FALSE(describe(checkLogbook(bad)).empty()) << bad;
        EXPECT_FALSE(scanLogbook(bad, Extent::Whole, [](std::int64_t, records::ConstByteSpan) {}))
            << bad;
        EXPECT_EQ(appendFlight(bad, flightDated("x")).reason(), records::FileError::NotALogbook)
            << bad;
    }
    EXPECT_FALSE(std::filesystem::exists("missing.log"));  // checking never creates
    writeFileBytes("good.log", good);
    EXPECT_TRUE(checkLogbook("good.log").ok());
    EXPECT_EQ(describe(checkLogbook("good.log")), "");
}

// --- the rating record ------------------------------------------------------

TEST(LogbookRatings, SaveMergesIntoRecordOne) {
    testsupport::TempDir dir;
    auto bytes = logbookBytes({flightDated("1/1/99")});
    // What the rating window does not own must survive: LastRecord, the
    // flight part of record 1 and Reserved154.
    bytes[0] = 'Z';
    bytes[154] = 7;
    writeFileBytes("r.log", bytes);

    Ratings g;
    g.instructor = true;
    g.helicopter = true;
    g.glider = true;
    g.otherRatings = "Seaplane base and more text";  // cut to 20
    g.typeRatings[0] = "ABCDEFGHIJKLMN";             // 14 -> first 10
    g.typeRatings[1] = "DC3";
    ASSERT_TRUE(saveRatings("r.log", g));

    const auto after = readFileBytes("r.log");
    ASSERT_EQ(after.size(), bytes.size());
    const LogRecord r = LogRecord::decode(after);
    EXPECT_EQ(r.LastRecord, 2);
    EXPECT_EQ(after[0], 'Z');
    EXPECT_EQ(r.Reserved154, 7);
    EXPECT_EQ(r.CertInstructor, 1);
    EXPECT_EQ(r.RateInstrument, 0);
    EXPECT_EQ(r.Reserved298, 1);
    EXPECT_EQ(r.Reserved300, 0);
    EXPECT_EQ(r.Reserved302, 1);
    EXPECT_EQ(r.OtherRatings.raw(), "Seaplane base and mo");
    EXPECT_EQ(r.TypeRating1.raw(), "ABCDEFGHIJ");
    EXPECT_EQ(r.TypeRating2.raw(), "DC3       ");
    EXPECT_EQ(r.TypeRating6.raw(), std::string(10, ' '));  // empty box stores spaces
    EXPECT_TRUE(std::equal(after.begin() + 420, after.end(), bytes.begin() + 420));

    const Ratings back = ratingsFrom(r);
    EXPECT_TRUE(back.instructor);
    EXPECT_TRUE(back.helicopter);
    EXPECT_FALSE(back.gyroplane);
    EXPECT_EQ(back.typeRatings[0], "ABCDEFGHIJ");
}

TEST(LogbookRatings, UntouchedBlankRecordStoresZerosAndSpaces) {
    testsupport::TempDir dir;
    ASSERT_TRUE(createLogbook("b.log"));
    const auto rec = readRatingRecord("b.log");
    ASSERT_TRUE(rec);
    const Ratings g = ratingsFrom(*rec);
    EXPECT_EQ(g.otherRatings, "");  // NUL bytes show as an empty box
    ASSERT_TRUE(saveRatings("b.log", g));
    const auto after = readFileBytes("b.log");
    ASSERT_EQ(after.size(), 420u);
    for (std::size_t i = 0; i < 420; ++i) {
        const bool text = (i >= 324 && i < 344) || i >= 360;
        const Byte want = i == 278 ? 1 : (text ? ' ' : 0);
        EXPECT_EQ(after[i], want) << "byte " << i;
    }
}

TEST(LogbookRatings, RefusedOrFailedSaveLeavesTheFile) {
    testsupport::TempDir dir;
    auto bad = logbookBytes({});
    bad[278] = 0;  // no count of flights at all
    writeFileBytes("bad.log", bad);
    Ratings g;
    g.atp = true;
    EXPECT_FALSE(saveRatings("bad.log", g));
    EXPECT_EQ(readFileBytes("bad.log"), bad);
    EXPECT_FALSE(saveRatings("missing.log", g));
    EXPECT_FALSE(std::filesystem::exists("missing.log"));

    const auto good = logbookBytes({flightDated("1/1/99")});
    writeFileBytes("good.log", good);
    {
        testsupport::WriteFailureAfter fail(0);
        EXPECT_FALSE(saveRatings("good.log", g));
    }
    EXPECT_EQ(readFileBytes("good.log"), good);
}

// --- converting a typed flight ----------------------------------------------

TEST(LogbookConvert, EmptyBoxesGiveBlankTextAndZeros) {
    FlightInput in;
    in.appType.fill("Select Type");
    const Conversion c = convertFlight(in);
    ASSERT_TRUE(c.flight);
    const LogRecord& r = *c.flight;
    EXPECT_EQ(r.Date.raw(), std::string(15, ' '));
    EXPECT_EQ(r.Remarks.raw(), std::string(100, ' '));
    EXPECT_EQ(r.AppType1.raw(), "Select Typ");
    EXPECT_EQ(r.AppType4.raw(), "Select Typ");
    EXPECT_EQ(r.Total, 0.0f);
    EXPECT_EQ(r.AppCount2, 0);
    EXPECT_EQ(r.CatSingle, 0);
    EXPECT_EQ(r.LastRecord, 0);
    EXPECT_TRUE(r.OtherRatings.neverStored());
    EXPECT_TRUE(c.dayShowsZero);
}

TEST(LogbookConvert, NumbersAndTheirFailures) {
    FlightInput in;
    in.total = "1.5";
    in.from = "KS";
    in.simInstrument = "";
    in.instrument = "0.7";
    in.xCountry = " 2.5 ";
    in.ground = "-1";
    in.nightLand = "1e3";
    in.appCount = {"2.5", "3.5", "-4", "32767"};
    auto c = convertFlight(in);
    ASSERT_TRUE(c.flight);
    EXPECT_EQ(c.flight->Total, 1.5f);
    EXPECT_EQ(c.flight->From.raw(), "KS ");
    EXPECT_EQ(c.flight->SimInstrument, 0.0f);
    EXPECT_EQ(c.flight->Instrument, 0.7f);
    EXPECT_EQ(c.flight->XCountry, 2.5f);
    EXPECT_EQ(c.flight->Ground, -1.0f);
    EXPECT_EQ(c.flight->NightLand, 1000.0f);
    EXPECT_EQ(c.flight->AppCount1, 2);
    EXPECT_EQ(c.flight->AppCount2, 4);
    EXPECT_EQ(c.flight->AppCount3, -4);
    EXPECT_EQ(c.flight->AppCount4, 32767);

    for (const char* bad : {"abc", " ", "1.5x", "1,5", "--1"}) {
        FlightInput f;
        f.total = bad;
        EXPECT_FALSE(convertFlight(f).flight) << "total '" << bad << "'";
        FlightInput g;
        g.landings = bad;
        EXPECT_FALSE(convertFlight(g).flight) << "landings '" << bad << "'";
    }
    FlightInput big;
    big.appCount[2] = "40000";
    EXPECT_FALSE(convertFlight(big).flight);
    big.appCount[2] = "-32769";
    EXPECT_FALSE(convertFlight(big).flight);
    big.appCount[2] = "-32768";
    EXPECT_TRUE(convertFlight(big).flight);
    FlightInput huge;
    huge.total = "1e39";  // beyond float32
    EXPECT_FALSE(convertFlight(huge).flight);
}

TEST(LogbookConvert, DecimalCommaLocale) {
    FlightInput in;
    in.total = "1,5";
    records::NumberLocale de{','};
    auto c = convertFlight(in, de);
    ASSERT_TRUE(c.flight);
    EXPECT_EQ(c.flight->Total, 1.5f);
    in.total = "1.5";
    EXPECT_FALSE(convertFlight(in, de).flight);
}

TEST(LogbookConvert, EmptyDayShowsZeroOnlyOnceReached) {
    FlightInput early;  // fails at the first box, before Day
    early.instrApp = "x";
    EXPECT_FALSE(convertFlight(early).dayShowsZero);
    FlightInput late;  // fails after Day
    late.nightLand = "x";
    const auto c = convertFlight(late);
    EXPECT_FALSE(c.flight);
    EXPECT_TRUE(c.dayShowsZero);
    FlightInput typed;
    typed.day = "2";
    EXPECT_FALSE(convertFlight(typed).dayShowsZero);
}

TEST(LogbookConvert, CategoryAndLandSeaValues) {
    FlightInput in;
    in.catMulti = true;
    in.meLand = true;
    in.meSea = true;
    const auto c = convertFlight(in);
    ASSERT_TRUE(c.flight);
    EXPECT_EQ(c.flight->CatMulti, -1);
    EXPECT_EQ(c.flight->CatSingle, 0);
    EXPECT_EQ(c.flight->MELand, 1);
    EXPECT_EQ(c.flight->MESea, 1);
    EXPECT_EQ(c.flight->SELand, 0);
    const auto bytes = c.flight->encode();
    EXPECT_EQ(bytes[156], 0xFF);
    EXPECT_EQ(bytes[157], 0xFF);
    EXPECT_EQ(bytes[268], 1);
    EXPECT_EQ(bytes[270], 1);
}

TEST(LogbookConvert, LineBreaksStoredAsCrLf) {
    EXPECT_EQ(storedLineBreaks("a\nb"), "a\r\nb");
    EXPECT_EQ(storedLineBreaks("a\r\nb\rc"), "a\r\nb\r\nc");
    EXPECT_EQ(storedLineBreaks(""), "");
}

// --- appending ----------------------------------------------------------------

TEST(LogbookAppend, WritesAtLastRecordPlusOne) {
    testsupport::TempDir dir;
    writeFileBytes("a.log", logbookBytes({flightDated("1"), flightDated("2"), flightDated("3"),
                                          flightDated("4")}));
    ASSERT_EQ(lastRecordInFile("a.log"), 5);
    ASSERT_TRUE(appendFlight("a.log", flightDated("6/6/06", 2.5f)));
    const auto bytes = readFileBytes("a.log");
    ASSERT_EQ(bytes.size(), 6u * 420);
    EXPECT_EQ(lastRecordInFile("a.log"), 6);
    const LogRecord six = LogRecord::decode(records::ConstByteSpan(bytes).subspan(5 * 420));
    EXPECT_EQ(six.Date.trimmed(), "6/6/06");
    EXPECT_EQ(six.Total, 2.5f);
    EXPECT_EQ(LogRecord::decode(bytes).TypeRating1.trimmed(), "B737");
}

TEST(LogbookAppend, FailuresLeaveLastRecordNamingWrittenRecords) {
    testsupport::TempDir dir;
    const auto base = logbookBytes({flightDated("1/1/99")});
    // Failing at every point of the two writes: nothing is half-done.
    for (std::uint64_t budget : {0ull, 1ull, 200ull, 419ull, 420ull, 420ull + 278ull,
                                 420ull + 279ull, 420ull + 280ull, 839ull}) {
        writeFileBytes("f.log", base);
        {
            testsupport::WriteFailureAfter fail(budget);
            EXPECT_EQ(appendFlight("f.log", flightDated("2/2/02")).reason(),
                      records::FileError::WriteFailed)
                << "budget " << budget;
        }
        const Check c = checkLogbook("f.log");
        EXPECT_TRUE(c.ok()) << "budget " << budget << ": " << describe(c);
        // Until the changed byte of LastRecord is down, the logbook is as it was;
        // after that the flight is whole and named.
        if (budget <= 420 + 278) {
            EXPECT_EQ(c.lastRecord, 2) << "budget " << budget;
            EXPECT_EQ(readFileBytes("f.log"), base) << "budget " << budget;
        } else {
            EXPECT_EQ(c.lastRecord, 3) << "budget " << budget;
            EXPECT_EQ(datesInFile("f.log"), (std::vector<std::string>{"1/1/99", "2/2/02"}));
        }
    }
}

TEST(LogbookAppend, RefusesFullOrBrokenLogbooks) {
    testsupport::TempDir dir;
    // 32767 is the highest record number: the logbook is full.
    std::vector<Byte> full(static_cast<std::size_t>(32767) * 420, 0);
    full[278] = 0xFF;
    full[279] = 0x7F;
    writeFileBytes("full.log", full);
    EXPECT_EQ(appendFlight("full.log", flightDated("x")).reason(), records::FileError::Full);
    EXPECT_EQ(std::filesystem::file_size("full.log"), full.size());
    EXPECT_EQ(lastRecordInFile("full.log"), 32767);

    // Full counts the flights the file holds, not what record 1 says.
    full.resize(2 * 420);
    writeFileBytes("short.log", full);
    EXPECT_TRUE(appendFlight("short.log", flightDated("x")));
    EXPECT_EQ(lastRecordInFile("short.log"), 3);
    EXPECT_EQ(appendFlight("none.log", flightDated("x")).reason(), records::FileError::NotALogbook);
    EXPECT_FALSE(std::filesystem::exists("none.log"));
}

// --- the date list and finding a flight ---------------------------------------

TEST(LogbookDates, TrimmedNonBlankDatesInFileOrder) {
    testsupport::TempDir dir;
    LogRecord nul;  // a date of NUL bytes is not blank after trimming
    writeFileBytes("d.log", logbookBytes({flightDated("   "), flightDated("  3/1/99  "),
                                          flightDated(""), nul, flightDated("1/1/99")}));
    const auto dates = dateList("d.log");
    ASSERT_EQ(dates.size(), 3u);
    EXPECT_EQ(dates[0], "3/1/99");
    EXPECT_EQ(dates[1], std::string(15, '\0'));
    EXPECT_EQ(dates[2], "1/1/99");  // not sorted
}

TEST(LogbookDates, AFlightSavedButNeverCountedIsListed) {
    testsupport::TempDir dir;
    auto bytes = logbookBytes({flightDated("1/1/99"), flightDated("2/2/99")});
    bytes[278] = 2;  // the second flight lies outside LastRecord
    writeFileBytes("d.log", bytes);
    EXPECT_EQ(dateList("d.log"), (std::vector<std::string>{"1/1/99", "2/2/99"}));
    ASSERT_TRUE(findFlight("d.log", "2/2/99"));
    EXPECT_EQ(findFlight("d.log", "2/2/99")->recordNumber, 3);
    // Read as its count says, the logbook has the one flight.
    std::vector<std::string> counted;
    ASSERT_TRUE(scanLogbook("d.log", Extent::Counted, [&](std::int64_t, records::ConstByteSpan r) {
        counted.push_back(LogRecord::decode(r).Date.trimmed());
    }));
    EXPECT_EQ(counted, std::vector<std::string>{"1/1/99"});
}

TEST(LogbookDates, FindsTheFirstFlightOfADate) {
    testsupport::TempDir dir;
    writeFileBytes("d.log", logbookBytes({flightDated("1/1/99", 1), flightDated("5/5/05", 2),
                                          flightDated(" 5/5/05", 3)}));
    const auto f = findFlight("d.log", "5/5/05");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->recordNumber, 3);
    EXPECT_EQ(f->flight.Total, 2.0f);
    EXPECT_EQ(f->flight.Date.raw(), "5/5/05         ");
    EXPECT_FALSE(findFlight("d.log", "6/6/06"));
    EXPECT_FALSE(findFlight("d.log", ""));
    EXPECT_FALSE(findFlight("missing.log", "1/1/99"));
}

// --- removing a flight ----------------------------------------------------------

TEST(LogbookRemove, ThirdOfFiveKeepsOrderAndLeavesNoTemporaryFile) {
    testsupport::TempDir dir;
    writeFileBytes("r.log", logbookBytes({flightDated("1"), flightDated("2"), flightDated("3"),
                                          flightDated("4"), flightDated("5")}));
    ASSERT_TRUE(removeFlight("r.log", "3"));
    EXPECT_EQ(readFileBytes("r.log").size(), 5u * 420);
    EXPECT_EQ(lastRecordInFile("r.log"), 5);
    EXPECT_EQ(datesInFile("r.log"), (std::vector<std::string>{"1", "2", "4", "5"}));
    EXPECT_EQ(LogRecord::decode(readFileBytes("r.log")).TypeRating1.trimmed(), "B737");
    EXPECT_FALSE(std::filesystem::exists("r.tmp"));
}

TEST(LogbookRemove, DuplicateDatesAndBlankDatedFlights) {
    testsupport::TempDir dir;
    writeFileBytes("r.log", logbookBytes({flightDated("", 9), flightDated("5/5/05", 1),
                                          flightDated("5/5/05", 2), flightDated("6/6/06", 3)}));
    ASSERT_TRUE(removeFlight("r.log", "5/5/05"));
    const auto bytes = readFileBytes("r.log");
    ASSERT_EQ(bytes.size(), 4u * 420);
    EXPECT_EQ(datesInFile("r.log"), (std::vector<std::string>{"", "5/5/05", "6/6/06"}));
    // The second flight of that date is the one left.
    EXPECT_EQ(LogRecord::decode(records::ConstByteSpan(bytes).subspan(2 * 420)).Total, 2.0f);
    // The blank-dated flight is still there and counted.
    EXPECT_EQ(LogRecord::decode(records::ConstByteSpan(bytes).subspan(420)).Total, 9.0f);
    EXPECT_EQ(lastRecordInFile("r.log"), 4);
}

TEST(LogbookRemove, ATemporaryNameIsPrivateAndStaleOnesAreClearedSafely) {
    testsupport::TempDir dir;
    writeFileBytes("r.log", logbookBytes({flightDated("1"), flightDated("2")}));
    // A file or link planted at the old fixed temporary name takes no write
    // and is never renamed over the logbook.
    writeFileBytes("victim", std::vector<Byte>(5, 'v'));
    std::filesystem::create_symlink("victim", "r.tmp");
    writeFileBytes("r", std::vector<Byte>(5, 'y'));  // must never be touched
    // Stale temporary files of a crash go; a link or a file someone holds
    // locked in that pattern stays.
    writeFileBytes(".aerokit-stale123.tmp", std::vector<Byte>(3, 's'));
    std::filesystem::create_symlink("victim", ".aerokit-alink123.tmp");
    writeFileBytes(".aerokit-inuse123.tmp", std::vector<Byte>(3, 'u'));
    {
        const testsupport::HeldLock held(".aerokit-inuse123.tmp");
        ASSERT_TRUE(held.held());
        ASSERT_TRUE(removeFlight("r.log", "1"));
    }
    EXPECT_TRUE(std::filesystem::is_symlink("r.tmp"));
    EXPECT_EQ(readFileBytes("victim"), std::vector<Byte>(5, 'v'));
    EXPECT_FALSE(std::filesystem::exists(".aerokit-stale123.tmp"));
    EXPECT_TRUE(std::filesystem::is_symlink(".aerokit-alink123.tmp"));
    EXPECT_TRUE(std::filesystem::exists(".aerokit-inuse123.tmp"));
    EXPECT_EQ(readFileBytes("r"), std::vector<Byte>(5, 'y'));
    // A name as long as the file system allows still leaves room for the
    // temporary file.
    const std::string longName(251, 'n');
    writeFileBytes(longName + ".log", logbookBytes({flightDated("1"), flightDated("2")}));
    ASSERT_TRUE(removeFlight(longName + ".log", "1"));
    EXPECT_EQ(datesInFile(longName + ".log"), std::vector<std::string>{"2"});
    EXPECT_EQ(datesInFile("r.log"), std::vector<std::string>{"2"});

    writeFileBytes("book", logbookBytes({flightDated("1"), flightDated("2")}));
    ASSERT_TRUE(removeFlight("book", "2"));
    EXPECT_EQ(datesInFile("book"), std::vector<std::string>{"1"});
    EXPECT_FALSE(std::filesystem::exists("book.tmp"));
}

TEST(LogbookRemove, FailuresLoseNothing) {
    testsupport::TempDir dir;
    const auto base = logbookBytes({flightDated("1"), flightDated("2"), flightDated("3")});
    writeFileBytes("r.log", base);
    for (std::uint64_t budget : {0ull, 420ull, 1000ull, 1259ull}) {
        testsupport::WriteFailureAfter fail(budget);
        EXPECT_EQ(removeFlight("r.log", "2").reason(), records::FileError::WriteFailed) << budget;
    }
    EXPECT_EQ(readFileBytes("r.log"), base);
    // Nothing but the logbook is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."),
                            std::filesystem::directory_iterator{}),
              1);

    EXPECT_EQ(removeFlight("r.log", "9").reason(), records::FileError::Gone);
    EXPECT_EQ(removeFlight("r.log", "").reason(), records::FileError::Gone);
    EXPECT_EQ(readFileBytes("r.log"), base);

    auto broken = base;
    broken[278] = 0;
    writeFileBytes("b.log", broken);
    EXPECT_EQ(removeFlight("b.log", "1").reason(), records::FileError::NotALogbook);
    EXPECT_EQ(readFileBytes("b.log"), broken);
    EXPECT_EQ(removeFlight("none.log", "1").reason(), records::FileError::NotALogbook);
}

TEST(LogbookRemove, LastFlightLeavesAnEmptyLogbook) {
    testsupport::TempDir dir;
    writeFileBytes("r.log", logbookBytes({flightDated("1/1/99")}));
    ASSERT_TRUE(removeFlight("r.log", "1/1/99"));
    EXPECT_EQ(readFileBytes("r.log").size(), 420u);
    EXPECT_EQ(lastRecordInFile("r.log"), 1);
    EXPECT_TRUE(checkLogbook("r.log").ok());
}

TEST(LogbookRemove, KeepsTheFilesIdentityOrRefuses) {
    testsupport::TempDir dir;
    namespace fs = std::filesystem;
    const auto base = logbookBytes({flightDated("1"), flightDated("2")});
    // Through a link: the link stays a link and its target loses the flight.
    fs::create_directory("real");
    writeFileBytes("real/book.log", base);
    ASSERT_EQ(::chmod("real/book.log", 0640), 0);
    ASSERT_EQ(::chown("real/book.log", 1234, 5678), 0);
    fs::create_symlink("real/book.log", "link.log");
    ASSERT_TRUE(removeFlight("link.log", "1"));
    EXPECT_TRUE(fs::is_symlink("link.log"));
    EXPECT_EQ(datesInFile("real/book.log"), std::vector<std::string>{"2"});
    struct stat st {};
    ASSERT_EQ(::stat("real/book.log", &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(st.st_uid, 1234u);
    EXPECT_EQ(st.st_gid, 5678u);

    // Several hard links: refused, both names keep the flight.
    writeFileBytes("hard.log", base);
    fs::create_hard_link("hard.log", "other.log");
    EXPECT_EQ(removeFlight("hard.log", "1").reason(), records::FileError::HardLinked);
    EXPECT_EQ(readFileBytes("other.log"), base);
    EXPECT_EQ(readFileBytes("hard.log"), base);

    // No write permission: every write says so, and it stays read-only.
    writeFileBytes("ro.log", base);
    ASSERT_EQ(::chmod("ro.log", 0444), 0);
    EXPECT_EQ(removeFlight("ro.log", "1").reason(), records::FileError::ReadOnly);
    EXPECT_EQ(appendFlight("ro.log", flightDated("3")).reason(), records::FileError::ReadOnly);
    EXPECT_EQ(saveRatings("ro.log", Ratings{}).reason(), records::FileError::ReadOnly);
    EXPECT_EQ(readFileBytes("ro.log"), base);
    ASSERT_EQ(::stat("ro.log", &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);

    {
        const testsupport::Failpoint noTemporary(
            [](records::Step s) { return s == records::Step::CreateTemporary; });
        EXPECT_EQ(removeFlight("link.log", "2").reason(), records::FileError::FolderNotWritable);
    }
}

TEST(LogbookMerge, EveryWriteWorksOnTheLogbookAsItIsUnderTheLock) {
    testsupport::TempDir dir;
    const auto two = logbookBytes({flightDated("1"), flightDated("2")});
    const auto three = logbookBytes({flightDated("1"), flightDated("2"), flightDated("3")});
    struct Case {
        const char* what;
        std::function<records::Status()> write;
        std::vector<Byte> meanwhile;
        std::vector<std::string> dates;  // afterwards
        std::optional<records::FileError> refused;
    };
    Ratings atp;
    atp.atp = true;
    const std::vector<Case> cases{
        {"append",
         [] { return appendFlight("m.log", flightDated("X")); },
         three,
         {"1", "2", "3", "X"},
         {}},
        {"ratings", [&] { return saveRatings("m.log", atp); }, three, {"1", "2", "3"}, {}},
        {"removal", [] { return removeFlight("m.log", "2"); }, three, {"1", "3"}, {}},
        // The flight asked about went meanwhile: nothing else is taken.
        {"removal of a gone flight",
         [] { return removeFlight("m.log", "2"); },
         logbookBytes({flightDated("1"), flightDated("3")}),
         {"1", "3"},
         records::FileError::Gone},
    };
    for (const Case& c : cases) {
        writeFileBytes("m.log", two);
        {
            testsupport::WrittenMeanwhile other(c.meanwhile);
            EXPECT_EQ(c.write().reason(), c.refused) << c.what;
        }
        EXPECT_EQ(datesInFile("m.log"), c.dates) << c.what;
        EXPECT_EQ(lastRecordInFile("m.log"), static_cast<std::int16_t>(c.dates.size() + 1))
            << c.what;
    }
    EXPECT_TRUE(readRatingRecord("m.log")->CertATP == 0);
    writeFileBytes("m.log", two);
    {
        testsupport::WrittenMeanwhile other(three);
        ASSERT_TRUE(saveRatings("m.log", atp));
    }
    EXPECT_NE(readRatingRecord("m.log")->CertATP, 0);
    EXPECT_EQ(readRatingRecord("m.log")->TypeRating1.trimmed(), "");  // the window's fields
}

TEST(LogbookShared, AGroupMemberAddsFlightsAndIsToldWhoCanRemoveThem) {
    testsupport::TempDir dir;
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to make another user's logbook";
    // The folder is shared through group 100 (set-group-id), the logbook
    // belongs to root and is writable by the group.
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    std::filesystem::create_directory("shared");
    ASSERT_EQ(::chown("shared", 0, 100), 0);
    ASSERT_EQ(::chmod("shared", 02775), 0);
    const auto base = logbookBytes({flightDated("1")});
    writeFileBytes("shared/book.log", base);
    ASSERT_EQ(::chown("shared/book.log", 0, 100), 0);
    ASSERT_EQ(::chmod("shared/book.log", 0664), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // A member of the group, not the owner.
        const gid_t groups[] = {100};
        if (::setgroups(1, groups) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(10);
        if (!appendFlight("shared/book.log", flightDated("2"))) ::_exit(11);
        const auto removed = removeFlight("shared/book.log", "1");
        if (removed ||
            removed.failure() != records::Failure{records::FileError::OwnerNotKept, "root"})
            ::_exit(12);
        ::_exit(records::failureMessage(records::Action::RemoveFlight, "the logbook",
                                        removed.failure()) ==
                        "The logbook belongs to root; Aerokit cannot replace it without "
                        "changing its owner. Ask root to remove the flight."
                    ? 0
                    : 13);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(datesInFile("shared/book.log"), (std::vector<std::string>{"1", "2"}));
    struct stat st {};
    ASSERT_EQ(::stat("shared/book.log", &st), 0);
    EXPECT_EQ(st.st_uid, 0u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("shared"), {}), 1);
}

TEST(LogbookLock, ASecondWriterWaitsThenSaysTheFileIsInUse) {
    testsupport::TempDir dir;
    const auto base = logbookBytes({flightDated("1")});
    writeFileBytes("l.log", base);
    testsupport::HeldLock other("l.log");
    ASSERT_TRUE(other.held());
    {
        const testsupport::LockWait shortWait(std::chrono::milliseconds(50));
        EXPECT_EQ(appendFlight("l.log", flightDated("2")).reason(), records::FileError::Busy);
        EXPECT_EQ(removeFlight("l.log", "1").reason(), records::FileError::Busy);
        EXPECT_EQ(saveRatings("l.log", Ratings{}).reason(), records::FileError::Busy);
        EXPECT_EQ(createLogbook("l.log").reason(), records::FileError::Busy);
        EXPECT_EQ(readFileBytes("l.log"), base);
    }

    // The holder replaces the file and lets go: the waiting writer notices
    // the name now leads to a new file and writes there.
    std::thread holder([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        writeFileBytes("new.log", logbookBytes({flightDated("A")}));
        std::filesystem::rename("new.log", "l.log");
        other.release();
    });
    EXPECT_TRUE(appendFlight("l.log", flightDated("B")));
    holder.join();
    EXPECT_EQ(datesInFile("l.log"), (std::vector<std::string>{"A", "B"}));
}

TEST(LogbookDurable, EveryWriteIsSyncedInOrderBeforeSuccess) {
    testsupport::TempDir dir;
    using records::Step;
    std::vector<Step> steps;
    std::optional<testsupport::Failpoint> recording;
    recording.emplace([&](Step s) {
        steps.push_back(s);
        return false;
    });
    steps.clear();
    ASSERT_TRUE(createLogbook("d.log"));
    EXPECT_EQ(steps, (std::vector<Step>{Step::Write, Step::Sync}));
    steps.clear();
    ASSERT_TRUE(appendFlight("d.log", flightDated("1")));
    // The flight is on the disk before LastRecord names it.
    EXPECT_EQ(steps, (std::vector<Step>{Step::Write, Step::Sync, Step::Write, Step::Sync}));
    steps.clear();
    ASSERT_TRUE(saveRatings("d.log", Ratings{}));
    EXPECT_EQ(steps, (std::vector<Step>{Step::Write, Step::Sync}));
    steps.clear();
    ASSERT_TRUE(removeFlight("d.log", "1"));
    EXPECT_EQ(steps, (std::vector<Step>{Step::CreateTemporary, Step::Write, Step::Sync,
                                        Step::Rename, Step::SyncFolder}));
    // A failed sync is a failed save, and nothing is left changed.
    const auto before = readFileBytes("d.log");
    {
        recording.reset();
        const testsupport::Failpoint failedSync([](Step s) { return s == Step::Sync; });
        EXPECT_EQ(appendFlight("d.log", flightDated("2")).reason(),
                  records::FileError::WriteFailed);
        EXPECT_FALSE(saveRatings("d.log", Ratings{}));
    }
    EXPECT_EQ(readFileBytes("d.log"), before);
}

TEST(LogbookCrashTail, APartialRecordAfterTheLastIsCutOffByTheNextWrite) {
    testsupport::TempDir dir;
    // A flight written in two pieces, the second lost: 300 of its bytes.
    auto torn = logbookBytes({flightDated("1")});
    const auto flight = flightDated("2").encode();
    torn.insert(torn.end(), flight.begin(), flight.begin() + 300);
    for (const auto& write : std::vector<std::function<bool(const std::string&)>>{
             [](const std::string& p) { return appendFlight(p, flightDated("3")).ok(); },
             [](const std::string& p) { return saveRatings(p, Ratings{}).ok(); },
             [](const std::string& p) { return createLogbook(p).ok(); },
             [](const std::string& p) { return removeFlight(p, "1").ok(); }}) {
        writeFileBytes("t.log", torn);
        ASSERT_TRUE(checkLogbook("t.log").ok());
        EXPECT_EQ(dateList("t.log"), std::vector<std::string>{"1"});
        ASSERT_TRUE(write("t.log"));
        EXPECT_EQ(readFileBytes("t.log").size() % 420, 0u);
        EXPECT_TRUE(checkLogbook("t.log").ok());
    }
    EXPECT_EQ(datesInFile("t.log").size(), 0u);  // the removal kept only record 1
    // A failed creation leaves no empty file behind.
    {
        testsupport::WriteFailureAfter fail(0);
        EXPECT_EQ(createLogbook("never.log").reason(), records::FileError::WriteFailed);
    }
    EXPECT_FALSE(std::filesystem::exists("never.log"));
}
