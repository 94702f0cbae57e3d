// aerokit-convert's failures: each is a clear message with status 1 (2 for
// a wrong command line), and nothing is written or changed.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cfloat>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "ConvertTest.h"
#include "Seams.h"
#include "TempDir.h"
#include "records/RecordFile.h"

namespace {

using namespace converttest;

std::string withNaN() {
    logbook::FlightInput in;
    in.date = "1/2/24";
    in.total = "1";
    std::string log = logbookOf({in, in});
    LogRecord r = flightOf(log, 2);
    r.Total = std::nanf("");
    r.Night = INFINITY;
    r.Day = FLT_MAX;  // written as 3.4028235e+38, a little above it: still read back
    const auto b = r.encode();
    log.replace(2 * LogRecord::Size, LogRecord::Size, reinterpret_cast<const char*>(b.data()),
                b.size());
    return log;
}

}  // namespace

TEST(ConvertFailures, ClearMessagesAndNothingWritten) {
    testsupport::TempDir dir;
    const std::string out = dir.file("new.log");
    const std::string csv = dir.file("flights.csv");
    writeText(dir.file("a.log"), logbookOf({}));
    ASSERT_EQ(convertCmd({"dump", dir.file("a.log"), "-o", dir.file("a.json")}).status, 0);
    ::mkfifo(dir.file("fifo").c_str(), 0600);
    std::filesystem::create_directory(dir.file("folder"));

    struct Case {
        const char* what;
        std::string file;  // written to flights.csv when not empty
        std::vector<std::string> args;
        std::string input;  // standard input
        int status;
        std::string err;  // the whole of standard error, or its start with "..."
    };
    const std::vector<Case> cases = {
        {"a file of another kind",
         "",
         {"import", dir.file("a.json"), out},
         "",
         1,
         "aerokit-convert: " + dir.file("a.json") +
             ":1: no date column: a MyFlightbook file has \"Date\" and \"Total Flight Time\" (or "
             "\"Total Time\", \"Flt Time\", \"Block\") (--from myflightbook|foreflight|logten|csv "
             "names the program)\n"},
        {"no total time column",
         "Date,Tail Number\r\n2024-01-02,N1\r\n",
         {"import", csv, out},
         "",
         1,
         "aerokit-convert: " + csv +
             ":1: no total time column: a MyFlightbook file has \"Date\" and \"Total Flight "
             "Time\" (or \"Total Time\", \"Flt Time\", \"Block\") (--from "
             "myflightbook|foreflight|logten|csv names the program)\n"},
        {"ForeFlight forced on another file",
         "Date,Total Flight Time\r\n2024-01-02,1\r\n",
         {"import", csv, out, "--from", "foreflight"},
         "",
         1,
         "aerokit-convert: " + csv +
             ":1: not a ForeFlight logbook: no \"Flights Table\" line (--from names the program "
             "the file is from)\n"},
        {"a folder",
         "",
         {"import", dir.file("folder"), out},
         "",
         1,
         "aerokit-convert: " + dir.file("folder") + ": is a folder, not a file\n"},
        {"a FIFO, which might never end",
         "",
         {"import", dir.file("fifo"), out},
         "",
         1,
         "aerokit-convert: " + dir.file("fifo") +
             ": is no regular file (a FIFO, device or socket); it is not read\n"},
        {"a logbook that is a folder",
         "",
         {"export", dir.file("folder")},
         "",
         1,
         "aerokit-convert: " + dir.file("folder") + ": is a folder, not a file\n"},
        {"a folder to check",
         "",
         {"check", dir.file("folder"), "--type", "log"},
         "",
         1,
         "aerokit-convert: " + dir.file("folder") + ": is a folder, not a file\n"},
        {"a FIFO to repair",
         "",
         {"repair", dir.file("fifo"), out, "--type", "plan"},
         "",
         1,
         "aerokit-convert: " + dir.file("fifo") +
             ": is no regular file (a FIFO, device or socket); it is not read\n"},
        {"an empty standard input",
         "",
         {"import", "-", out},
         "",
         1,
         "aerokit-convert: standard input:1: the file is empty\n"},
        {"a bad number: its line and column",
         "Date,Tail Number,Comments,Total Flight Time,Route\r\n"
         "2024-01-02,N1,\"two\r\nlines\",1.5,KJFK KBOS\r\n"
         "\r\n"
         "2024-01-04,N4,,\"1,5\",\r\n",
         {"import", csv, out},
         "",
         1,
         "aerokit-convert: " + csv + ":5: column \"Total Flight Time\": \"1,5\" is not a number\n"},
        {"a comma-separated file read with a decimal comma",
         "Date,Total Flight Time\r\n2024-01-02,1.5\r\n",
         {"import", csv, out, "--decimal-comma"},
         "",
         1,
         "aerokit-convert: " + csv +
             ":2: column \"Total Flight Time\": \"1.5\" is not a number (read with a decimal "
             "comma)\n"},
        {"--strict: a change is an error",
         "Date,Total Flight Time,From\r\n2024-01-02,1,KPAO\r\n",
         {"import", csv, out, "--strict"},
         "",
         1,
         "aerokit-convert: " + csv +
             ": US airport codes stored as their FAA identifiers (1): line 2, column \"From\": "
             "\"KPAO\" stored as \"PAO\"\n"
             "aerokit-convert: " +
             csv + ": --strict: values would change on the way; nothing was written\n"},
        {"export of values no import reads",
         "",
         {"export", dir.file("nan.log"), "-o", out},
         "",
         0,
         "aerokit-convert: " + dir.file("nan.log") +
             ": warning: values that are no number written empty (an import would refuse them) "
             "(2): flight 2 (1/2/24), column \"Night\": inf; flight 2 (1/2/24), column \"Total "
             "Flight Time\": nan\n"},
        {"the same under --strict",
         "",
         {"export", dir.file("nan.log"), "-o", dir.file("strict.csv"), "--strict"},
         "",
         1,
         "aerokit-convert: " + dir.file("nan.log") +
             ": values that are no number written empty (an import would refuse them) (2): ..."},
        {"a wrong option",
         "",
         {"import", csv, dir.file("x.log"), "--apend"},
         "",
         2,
         "aerokit-convert: unknown option \"--apend\"\n..."},
        {"an unknown program",
         "",
         {"export", dir.file("a.log"), "--to", "logten"},
         "",
         2,
         "aerokit-convert: --to is csv, myflightbook or foreflight, not \"logten\"\n..."},
    };
    writeText(dir.file("nan.log"), withNaN());
    for (const Case& c : cases) {
        std::filesystem::remove(out);
        if (!c.file.empty()) writeText(csv, c.file);
        const Outcome r = convertCmd(c.args, c.input);
        EXPECT_EQ(r.status, c.status) << c.what << ": " << r.err;
        if (c.err.ends_with("...")) {
            EXPECT_EQ(r.err.substr(0, c.err.size() - 3), c.err.substr(0, c.err.size() - 3))
                << c.what;
        } else {
            EXPECT_EQ(r.err, c.err) << c.what;
        }
        if (c.status != 0) {
            EXPECT_FALSE(std::filesystem::exists(out)) << c.what;
            EXPECT_FALSE(std::filesystem::exists(dir.file("strict.csv"))) << c.what;
        }
    }
    // The export writes the bad values empty: the file reads back.
    ASSERT_EQ(convertCmd({"export", dir.file("nan.log"), "-o", dir.file("nan.csv")}).status, 0);
    ASSERT_EQ(convertCmd({"import", dir.file("nan.csv"), dir.file("back.log")}).status, 0);
    const LogRecord back = flightOf(readText(dir.file("back.log")), 2);
    EXPECT_EQ(back.Day, FLT_MAX);
    EXPECT_EQ(back.Total, 0.0f);

    // A failed read of standard input is no empty file.
    std::istringstream none;
    none.setstate(std::ios::badbit);
    std::ostringstream o, e;
    EXPECT_EQ(convert::run({"import", "-", dir.file("in.log")}, none, o, e), 1);
    EXPECT_EQ(e.str(), "aerokit-convert: standard input: cannot be read\n");

    // An unreadable file (root reads anything).
    if (::geteuid() != 0) {
        writeText(dir.file("secret.csv"), "Date,Total Flight Time\n2024-01-02,1\n");
        ::chmod(dir.file("secret.csv").c_str(), 0);
        const Outcome r = convertCmd({"import", dir.file("secret.csv"), out});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "aerokit-convert: " + dir.file("secret.csv") + ": Permission denied\n");
    }

    // An existing file is never written over.
    writeText(dir.file("old.log"), "keep");
    writeText(csv, "Date,Total Flight Time\n2024-01-02,1\n");
    const Outcome exists = convertCmd({"import", csv, dir.file("old.log")});
    EXPECT_EQ(exists.status, 1);
    EXPECT_EQ(exists.err, "aerokit-convert: " + dir.file("old.log") +
                              ": the file exists; import writes a new logbook only (--append "
                              "adds to an existing one)\n");
    EXPECT_EQ(readText(dir.file("old.log")), "keep");
}

// An append is all or nothing: a logbook another program holds is reported
// in use and left as it was; the same append afterwards adds every flight.
TEST(ConvertFailures, AppendToABusyLogbookChangesNothing) {
    testsupport::TempDir dir;
    logbook::FlightInput in;
    in.date = "1/2/24";
    in.total = "1";
    const std::string before = logbookOf({in});
    const std::string log = dir.file("busy.log");
    writeText(log, before);
    std::string rows = "Date,Total Flight Time\r\n";
    for (int i = 0; i < 3000; ++i) rows += "2024-01-02," + std::to_string(i % 9) + "\r\n";
    writeText(dir.file("many.csv"), rows);

    {
        const testsupport::LockWait shortWait(std::chrono::milliseconds(50));
        auto held = records::RecordFile::openLocked(log, LogRecord::Size,
                                                    records::RecordFile::Mode::ExistingOnly);
        ASSERT_TRUE(held.has_value());
        const Outcome r = convertCmd({"import", dir.file("many.csv"), log, "--append"});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "aerokit-convert: " + log +
                             ": The flights could not be added: the logbook is in use by another "
                             "program. Nothing was changed. Try again in a moment.\n");
        EXPECT_EQ(readText(log), before);
    }
    const Outcome r = convertCmd({"import", dir.file("many.csv"), log, "--append"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string after = readText(log);
    ASSERT_EQ(after.size(), 3002 * LogRecord::Size);
    EXPECT_EQ(flightOf(after, 1).LastRecord, 0);
    EXPECT_EQ(LogRecord::decode(
                  records::ConstByteSpan(reinterpret_cast<const records::Byte*>(after.data()),
                                         LogRecord::Size))
                  .LastRecord,
              3002);
    EXPECT_EQ(flightOf(after, 3001).Total, static_cast<float>(2999 % 9));
}
