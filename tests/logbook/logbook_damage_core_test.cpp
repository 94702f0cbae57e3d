// Damaged logbooks: a count that names more flights than the file holds,
// flights saved but never counted, a flight cut short at the end. Each opens
// with its whole flights, says once what is wrong, and the next write leaves
// a consistent file.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Bytes.h"
#include "TempDir.h"
#include "TestLogbooks.h"
#include "logbook/Logbook.h"
#include "logbook/TotalTime.h"

using namespace logbook;
using logbooktest::Bytes;
using testsupport::readFileBytes;
using testsupport::writeFileBytes;

namespace {

Bytes withCount(Bytes log, std::int16_t lastRecord) {
    records::putInt16(log, LogRecord::Offset::LastRecord, lastRecord);
    return log;
}

// A logbook of n flights dated "1" .. "n", one hour each.
Bytes flightsOneTo(int n) {
    std::vector<logbooktest::Flight> flights;
    for (int i = 1; i <= n; ++i) {
        logbooktest::Flight f;
        f.date = std::to_string(i);
        f.total = 1;
        flights.push_back(f);
    }
    return logbooktest::logbookOf(flights);
}

std::vector<std::string> datesOneTo(int n) {
    std::vector<std::string> d;
    for (int i = 1; i <= n; ++i) d.push_back(std::to_string(i));
    return d;
}

// The writes that must leave a damaged logbook consistent, and the dates
// each leaves when the file held the flights "1" .. "n".
struct Write {
    const char* name;
    std::function<bool(const std::string&)> run;
    std::function<std::vector<std::string>(int)> datesAfter;
};
std::vector<Write> writes() {
    return {{"append",
             [](const std::string& p) {
                 LogRecord f;
                 f.Date.assign("new");
                 return appendFlight(p, f).ok();
             },
             [](int n) {
                 auto d = datesOneTo(n);
                 d.push_back("new");
                 return d;
             }},
            {"remove", [](const std::string& p) { return removeFlight(p, "1").ok(); },
             [](int n) {
                 auto d = datesOneTo(n);
                 d.erase(d.begin());
                 return d;
             }},
            {"ratings", [](const std::string& p) { return saveRatings(p, Ratings{}).ok(); },
             datesOneTo}};
}

}  // namespace

TEST(LogbookDamaged, EachKindOpensWithItsWholeFlightsAndIsToldOnce) {
    testsupport::TempDir dir;
    Bytes partial = flightsOneTo(5);
    partial.resize(partial.size() + 300, 0x20);  // a save cut short
    const struct Case {
        const char* name;
        Bytes bytes;
        int flights;         // whole flights shown
        const char* notice;  // "" for a consistent logbook
    } cases[] = {
        {"consistent", flightsOneTo(5), 5, ""},
        {"count cut short", withCount(flightsOneTo(5), 9), 5,
         "This logbook says it holds 8 flights, but only 5 are in the file; the other 3 cannot "
         "be recovered from it. Aerokit shows the 5 flights. The count is corrected when you "
         "next add or remove a flight."},
        {"one missing, one left", withCount(flightsOneTo(1), 3), 1,
         "This logbook says it holds 2 flights, but only 1 is in the file; the other one cannot "
         "be recovered from it. Aerokit shows the 1 flight. The count is corrected when you next "
         "add or remove a flight."},
        {"none left", withCount(flightsOneTo(0), 32767), 0,
         "This logbook says it holds 32766 flights, but none of them are in the file; they cannot "
         "be recovered from it. The count is corrected when you next add or remove a flight."},
        {"saved, never counted", withCount(flightsOneTo(5), 4), 5,
         "This logbook says it holds 3 flights, but 2 flights more were saved in it without being "
         "counted (a save that was cut off). Aerokit shows them after the others as recovered "
         "flights; they are counted when you next add or remove a flight."},
        {"partial flight", partial, 5,
         "The end of this logbook holds part of a flight whose save was cut off; it cannot be "
         "recovered and is removed when you next add or remove a flight."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFileBytes("d.log", c.bytes);
        const Check check = checkLogbook("d.log");
        ASSERT_TRUE(check.ok()) << describe(check);
        EXPECT_EQ(check.consistent(), std::string(c.notice).empty());
        EXPECT_EQ(damageNotice(check), c.notice);
        // Every reader sees the same whole flights.
        EXPECT_EQ(dateList("d.log"), datesOneTo(c.flights));
        EXPECT_EQ(flightCount("d.log"), static_cast<std::size_t>(c.flights));
        EXPECT_EQ(loadTotalTime("d.log").totals.Total, static_cast<float>(c.flights));
        if (c.flights > 0) {
            EXPECT_EQ(findFlight("d.log", std::to_string(c.flights))->recordNumber, c.flights + 1);
        }
        EXPECT_EQ(readFileBytes("d.log"), c.bytes);  // reading never writes

        // The next write keeps every whole flight and leaves a consistent file.
        for (const Write& w : writes()) {
            SCOPED_TRACE(w.name);
            writeFileBytes("d.log", c.bytes);
            if (c.flights == 0 && std::string(w.name) == "remove") {
                EXPECT_EQ(removeFlight("d.log", "1").reason(), records::FileError::Gone);
                EXPECT_EQ(readFileBytes("d.log"), c.bytes);
                continue;
            }
            ASSERT_TRUE(w.run("d.log"));
            const Check after = checkLogbook("d.log", Extent::Counted);
            EXPECT_TRUE(after.consistent());
            EXPECT_EQ(damageNotice(after), "");
            EXPECT_EQ(dateList("d.log"), w.datesAfter(c.flights));
        }
    }
}

TEST(LogbookDamaged, ACountCutShortIsRefusedOnlyWhenReadAsCounted) {
    testsupport::TempDir dir;
    writeFileBytes("d.log", withCount(flightsOneTo(2), 7));
    EXPECT_EQ(checkLogbook("d.log", Extent::Counted).problem, LogbookFault::LastRecordBeyondEnd);
    EXPECT_FALSE(
        scanLogbook("d.log", Extent::Counted, [](std::int64_t, records::ConstByteSpan) {}));
    // Record 1 with anything in its flight part was not written by a logbook
    // program: read only as its count says, never grown to the file's end.
    Bytes foreign = withCount(flightsOneTo(3), 2);
    foreign[0] = 'X';
    writeFileBytes("f.log", foreign);
    EXPECT_EQ(dateList("f.log"), datesOneTo(1));
    EXPECT_EQ(damageNotice(checkLogbook("f.log")), "");
    foreign = withCount(foreign, 9);
    writeFileBytes("f.log", foreign);
    EXPECT_EQ(checkLogbook("f.log").problem, LogbookFault::LastRecordBeyondEnd);
    EXPECT_EQ(appendFlight("f.log", LogRecord{}).reason(), records::FileError::NotALogbook);
    EXPECT_EQ(readFileBytes("f.log"), foreign);
}
