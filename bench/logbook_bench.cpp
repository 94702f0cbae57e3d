// Core logbook operations on a logbook of 32766 flights, each beside a plain
// sequential read of the same file (and, for the removal, beside a plain
// copy of it synced to disk). Prints every figure and its ratio.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "BenchLogbook.h"
#include "logbook/Currency.h"
#include "logbook/FlightScan.h"
#include "logbook/LogBrowse.h"
#include "logbook/Logbook.h"
#include "logbook/TotalTime.h"
#include "records/Clock.h"

namespace fs = std::filesystem;

namespace {

std::string gDir, gLog, gAppendLog, gCopy;
std::vector<char> gOriginal, gAppendOriginal;

std::vector<char> slurp(const std::string& path) {
    std::vector<char> b(fs::file_size(path));
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f || std::fread(b.data(), 1, b.size(), f) != b.size()) std::abort();
    std::fclose(f);
    return b;
}

void spill(const std::string& path, const std::vector<char>& b) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(b.data(), 1, b.size(), f) != b.size()) std::abort();
    std::fclose(f);
}

void plainRead(benchmark::State& st) {
    std::vector<char> buf(64 * 1024);
    for (auto _ : st) {
        std::FILE* f = std::fopen(gLog.c_str(), "rb");
        std::size_t total = 0, n;
        while ((n = std::fread(buf.data(), 1, buf.size(), f)) > 0) total += n;
        std::fclose(f);
        benchmark::DoNotOptimize(total);
    }
}

void plainCopySynced(benchmark::State& st) {
    for (auto _ : st) {
        benchlog::copySynced(gLog, gCopy);
        st.PauseTiming();
        fs::remove(gCopy);
        st.ResumeTiming();
    }
}

// What an append must do at the least, by a plain program: the flight at the
// end and record 1 at the start, each written and synced.
void plainAppendSynced(benchmark::State& st) {
    const std::vector<char> rec(420, 'f');
    const off_t end = static_cast<off_t>(gAppendOriginal.size());
    for (auto _ : st) {
        const int fd = ::open(gAppendLog.c_str(), O_RDWR);
        if (fd < 0 || ::pwrite(fd, rec.data(), rec.size(), end) != 420 || ::fsync(fd) != 0 ||
            ::pwrite(fd, gAppendOriginal.data(), 420, 0) != 420 || ::fsync(fd) != 0)
            st.SkipWithError("plain append failed");
        ::close(fd);
        st.PauseTiming();
        spill(gAppendLog, gAppendOriginal);
        st.ResumeTiming();
    }
}

// The streaming read that the analyses share, visiting each flight and doing nothing.
void scanOnly(benchmark::State& st) {
    for (auto _ : st) {
        std::size_t n = 0;
        logbook::forEachFlight(gLog, [&](records::ConstByteSpan) { ++n; });
        benchmark::DoNotOptimize(n);
    }
}

void dateList(benchmark::State& st) {
    for (auto _ : st) benchmark::DoNotOptimize(logbook::dateList(gLog).size());
}

void findLast(benchmark::State& st) {
    const std::string date = benchlog::lastFlightDate();
    for (auto _ : st) {
        const auto found = logbook::findFlight(gLog, date);
        if (!found || found->recordNumber != benchlog::kFlights + 1)
            st.SkipWithError("not the last flight");
        benchmark::DoNotOptimize(found);
    }
}

// What the totals window does on loading: the sums and both distinct lists.
void totalsLoad(benchmark::State& st) {
    for (auto _ : st) benchmark::DoNotOptimize(logbook::loadTotalTime(gLog).totals.Total);
}

void totalsFiltered(benchmark::State& st) {
    for (auto _ : st)
        benchmark::DoNotOptimize(
            logbook::totalsFor(gLog, logbook::FlightTextField::Ident, benchlog::commonIdent())
                .Total);
}

void currency(benchmark::State& st) {
    for (auto _ : st)
        benchmark::DoNotOptimize(
            logbook::computeCurrency(gLog, {records::DateOrder::MDY}, records::today()).Landings);
}

void browseList(benchmark::State& st) {
    for (auto _ : st) {
        const auto lines = logbook::browseLines(gLog);
        if (lines.size() != static_cast<std::size_t>(benchlog::kFlights))
            st.SkipWithError("lines missing");
        benchmark::DoNotOptimize(lines.longest());
    }
}

void removeOne(benchmark::State& st) {
    const auto dates = logbook::dateList(gLog);
    const std::string middle = dates[dates.size() / 2];
    for (auto _ : st) {
        if (!logbook::removeFlight(gLog, middle)) st.SkipWithError("removal failed");
        st.PauseTiming();
        spill(gLog, gOriginal);
        st.ResumeTiming();
    }
}

void appendOne(benchmark::State& st) {
    LogRecord f;
    f.Date.assign("12/31/29");
    f.Ident.assign("N1");
    f.Total = 1.5f;
    for (auto _ : st) {
        if (!logbook::appendFlight(gAppendLog, f)) st.SkipWithError("append failed");
        st.PauseTiming();
        spill(gAppendLog, gAppendOriginal);
        st.ResumeTiming();
    }
}

// Collects the median wall and CPU time of each benchmark while printing as usual.
class Collector : public benchmark::ConsoleReporter {
  public:
    Collector() : ConsoleReporter(OO_Tabular) {}
    std::map<std::string, double> ms, cpu;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median") {
                ms[r.run_name.function_name] = r.GetAdjustedRealTime();
                cpu[r.run_name.function_name] = r.GetAdjustedCPUTime();
            }
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv) {
    gDir = std::getenv("AEROKIT_BENCH_DIR") ? std::getenv("AEROKIT_BENCH_DIR") : "bench-data";
    fs::create_directories(gDir);
    gLog = gDir + "/big.log";
    gAppendLog = gDir + "/almost-full.log";
    gCopy = gDir + "/copy.log";
    benchlog::writeLogbook(gLog);
    benchlog::writeLogbook(gAppendLog, benchlog::kFlights - 1);
    gOriginal = slurp(gLog);
    gAppendOriginal = slurp(gAppendLog);
    std::printf("logbook: %s, %d flights, %.1f MB\n", gLog.c_str(), benchlog::kFlights,
                static_cast<double>(gOriginal.size()) / 1e6);

    // Five repetitions each; the medians are compared, which keeps the
    // ratios steady on a machine shared with other work.
    auto reg = [&](const char* name, void (*fn)(benchmark::State&)) {
        benchmark::RegisterBenchmark(name, fn)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->MinTime(0.4)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
    };
    reg("plain_read", plainRead);
    reg("plain_copy_synced", plainCopySynced);
    reg("plain_append_synced", plainAppendSynced);
    reg("flight_scan_only", scanOnly);
    reg("date_list", dateList);
    reg("find_last_by_date", findLast);
    reg("totals_window_load", totalsLoad);
    reg("totals_filtered", totalsFiltered);
    reg("currency", currency);
    reg("browse_list_sorted", browseList);
    reg("remove_one", removeOne);
    reg("append_one", appendOne);

    benchmark::Initialize(&argc, argv);
    Collector rep;  // plain text, no colours
    benchmark::RunSpecifiedBenchmarks(&rep);

    auto t = [&](const char* n) { return rep.ms.count(n) ? rep.ms[n] : 0.0; };
    auto c = [&](const char* n) { return rep.cpu.count(n) ? rep.cpu[n] : 0.0; };
    const double read = t("plain_read"), copy = t("plain_copy_synced"),
                 append = t("plain_append_synced");
    std::printf("\nmedians of 5 repetitions; ratio = wall time / wall time of the baseline\n");
    std::printf("%-22s %10s %10s %8s %8s %8s\n", "operation", "wall ms", "cpu ms", "baseline",
                "ratio", "target");
    struct Row {
        const char* name;
        double base;
        const char* baseName;
        double target;
    };
    const Row rows[] = {
        {"flight_scan_only", read, "read", 0},    {"date_list", read, "read", 1.5},
        {"find_last_by_date", read, "read", 1.5}, {"totals_window_load", read, "read", 1.5},
        {"totals_filtered", read, "read", 1.5},   {"currency", read, "read", 1.5},
        {"browse_list_sorted", read, "read", 5},  {"remove_one", copy, "copy", 1.5},
        {"append_one", append, "append", 1.5}};
    std::printf("%-22s %10.3f %10.3f\n", "plain_read", read, c("plain_read"));
    std::printf("%-22s %10.3f %10.3f\n", "plain_copy_synced", copy, c("plain_copy_synced"));
    std::printf("%-22s %10.3f %10.3f\n", "plain_append_synced", append, c("plain_append_synced"));
    for (const Row& r : rows) {
        const double v = t(r.name);
        const double ratio = r.base > 0 ? v / r.base : 0;
        if (r.target > 0)
            std::printf("%-22s %10.3f %10.3f %8s %7.2fx %7.1fx %s\n", r.name, v, c(r.name),
                        r.baseName, ratio, r.target, ratio <= r.target ? "met" : "MISSED");
        else
            std::printf("%-22s %10.3f %10.3f %8s %7.2fx %8s\n", r.name, v, c(r.name), r.baseName,
                        ratio, "-");
    }
    fs::remove(gLog);
    fs::remove(gAppendLog);
    return 0;
}
