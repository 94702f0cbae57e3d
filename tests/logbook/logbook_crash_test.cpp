// A logbook under crashes and under two programs at once: a child process
// killed before each step that changes the file, real processes adding and
// removing flights on one logbook at the same time, and one removal finishing
// while another waits for the lock.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "Bytes.h"
#include "TempDir.h"
#include "logbook/Logbook.h"
#include "records/RecordFile.h"

using namespace logbook;
using records::Byte;
using testsupport::readFileBytes;
using testsupport::writeFileBytes;

namespace {

LogRecord flightDated(const std::string& date) {
    LogRecord r;
    r.Date.assign(date);
    r.Total = 1.0f;
    return r;
}

void writeLogbook(const std::string& path, const std::vector<std::string>& dates) {
    ASSERT_TRUE(createLogbook(path));
    for (const auto& d : dates) ASSERT_TRUE(appendFlight(path, flightDated(d)));
}

std::vector<std::string> sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

// Runs body in a child process that dies (as by a power cut: no cleanup)
// just before its step number `crashAt`. True when the child got that far,
// false when body finished with fewer steps.
template <class Body>
bool crashBeforeStep(int crashAt, Body body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        int step = 0;
        records::setFailpoint([&](records::Step) {
            if (++step == crashAt) ::_exit(3);
            return false;
        });
        body();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 3;
}

// Lifts the file seams however the test ends.
struct SeamGuard {
    ~SeamGuard() {
        records::setFailpoint({});
        records::setLockWaitStep({});
    }
};

// The temporary files in the working folder.
int temporaryFiles() {
    int n = 0;
    for (const auto& e : std::filesystem::directory_iterator("."))
        n += e.path().filename().string().rfind(".aerokit-", 0) == 0;
    return n;
}

}  // namespace

TEST(LogbookCrash, KilledAtAnyStepLeavesTheOldOrTheNewLogbook) {
    testsupport::TempDir dir;
    const std::vector<std::string> before{"1", "2", "3"};
    struct Case {
        const char* name;
        std::vector<std::string> after;
        std::function<void(const std::string&)> run;
    };
    const Case cases[] = {
        {"append",
         {"1", "2", "3", "4"},
         [](const std::string& p) { appendFlight(p, flightDated("4")); }},
        {"removal", {"1", "3"}, [](const std::string& p) { removeFlight(p, "2"); }},
    };
    for (const auto& c : cases) {
        int steps = 0;
        for (int k = 1;; ++k) {
            std::filesystem::remove("c.log");
            writeLogbook("c.log", before);
            const bool crashed = crashBeforeStep(k, [&] { c.run("c.log"); });
            const auto dates = dateList("c.log");
            ASSERT_TRUE(checkLogbook("c.log").ok()) << c.name << " step " << k;
            EXPECT_TRUE(dates == before || dates == c.after) << c.name << " step " << k;
            // Whatever the crash left, the next write works on it.
            ASSERT_TRUE(appendFlight("c.log", flightDated("9")));
            EXPECT_EQ(dateList("c.log").back(), "9");
            if (!crashed) break;
            steps = k;
        }
        EXPECT_GE(steps, 4) << c.name;  // write, sync, write/rename, sync at least
    }
    // A crash between making the temporary file and renaming it leaves one
    // behind; the next removal clears it away.
    EXPECT_TRUE(crashBeforeStep(2, [] { removeFlight("c.log", "3"); }));
    EXPECT_EQ(temporaryFiles(), 1);
    ASSERT_TRUE(removeFlight("c.log", "1"));
    EXPECT_EQ(temporaryFiles(), 0);
}

TEST(LogbookRace, ProcessesAddingAndRemovingAtOnceLoseNothing) {
    testsupport::TempDir dir;
    writeLogbook("race.log", {"keep", "gone"});
    constexpr int kChildren = 4, kFlights = 25;
    std::vector<pid_t> children;
    for (int c = 0; c < kChildren; ++c) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            int failures = 0;
            for (int i = 0; i < kFlights; ++i) {
                const auto d = std::to_string(c) + "-" + std::to_string(i);
                if (!appendFlight("race.log", flightDated(d))) ++failures;
                // One child also removes a flight while the others append.
                if (c == 0 && i == kFlights / 2 && !removeFlight("race.log", "gone")) ++failures;
            }
            ::_exit(failures);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    std::vector<std::string> expected{"keep"};
    for (int c = 0; c < kChildren; ++c)
        for (int i = 0; i < kFlights; ++i)
            expected.push_back(std::to_string(c) + "-" + std::to_string(i));
    ASSERT_TRUE(checkLogbook("race.log").ok());
    EXPECT_EQ(sorted(dateList("race.log")), sorted(expected));
    EXPECT_EQ(readFileBytes("race.log").size(), (expected.size() + 1) * 420);
}

TEST(LogbookRace, ARemovalWaitingForTheLockWorksOnTheFileTheOtherLeft) {
    testsupport::TempDir dir;
    writeLogbook("r.log", {"A", "B", "C"});
    SeamGuard guard;
    // The second removal signals once it is inside its wait for the lock.
    std::promise<void> waiting;
    std::once_flag signalled;
    records::setLockWaitStep([&] { std::call_once(signalled, [&] { waiting.set_value(); }); });
    // The first removal, holding the lock with its new logbook written, lets
    // the second start and waits until it waits too before it renames.
    const auto first = std::this_thread::get_id();
    std::thread second;
    records::Status secondResult = records::FileError::WriteFailed;
    std::future_status seen = std::future_status::timeout;
    records::setFailpoint([&](records::Step step) {
        if (step == records::Step::Rename && std::this_thread::get_id() == first &&
            !second.joinable()) {
            second = std::thread([&] { secondResult = removeFlight("r.log", "B"); });
            // A generous bound only so that a failure cannot hang the test.
            seen = waiting.get_future().wait_for(std::chrono::seconds(20));
        }
        return false;
    });
    EXPECT_TRUE(removeFlight("r.log", "A"));
    ASSERT_TRUE(second.joinable());
    second.join();
    EXPECT_EQ(seen, std::future_status::ready);
    // The second removal took B from the logbook the first left, so A stays
    // removed: had it worked on the file it first opened, A would be back.
    EXPECT_TRUE(secondResult);
    EXPECT_EQ(dateList("r.log"), std::vector<std::string>{"C"});
    EXPECT_TRUE(checkLogbook("r.log").consistent());
    EXPECT_EQ(temporaryFiles(), 0);
}
