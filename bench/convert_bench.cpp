// aerokit-convert on the logbook of 32766 flights: export to Aerokit's CSV
// and to MyFlightbook's, import each into a new logbook (written, synced and
// moved into place), and dump to JSON, each end to end as the command line
// runs it.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "BenchLogbook.h"
#include "convert/Cli.h"

namespace fs = std::filesystem;

namespace {

std::string gDir, gLog, gCsv, gMfb;

int convertCmd(const std::vector<std::string>& args) {
    std::istringstream in;
    std::ostringstream out, err;
    const int status = convert::run(args, in, out, err);
    if (status != 0) {
        std::fprintf(stderr, "%s", err.str().c_str());
        std::abort();
    }
    return status;
}

// The floor under every command here: the logbook read, and a file of the
// same size written, synced and moved into place.
void plainCopySynced(benchmark::State& st) {
    const std::string out = gDir + "/copy.log";
    for (auto _ : st) {
        benchlog::copySynced(gLog, out + ".tmp");
        fs::rename(out + ".tmp", out);
        st.PauseTiming();
        fs::remove(out);
        st.ResumeTiming();
    }
}

void exportCsv(benchmark::State& st) {
    const std::string out = gDir + "/export.csv";
    for (auto _ : st) {
        convertCmd({"export", gLog, "-o", out, "--locale", "en_US"});
        st.PauseTiming();
        fs::remove(out);
        st.ResumeTiming();
    }
}

void importCsv(benchmark::State& st) {
    const std::string out = gDir + "/imported.log";
    for (auto _ : st) {
        convertCmd({"import", gCsv, out});
        st.PauseTiming();
        fs::remove(out);
        st.ResumeTiming();
    }
}

void exportMyFlightbook(benchmark::State& st) {
    const std::string out = gDir + "/export-mfb.csv";
    for (auto _ : st) {
        convertCmd({"export", gLog, "-o", out, "--to", "myflightbook", "--locale", "de_DE"});
        st.PauseTiming();
        fs::remove(out);
        st.ResumeTiming();
    }
}

void importMyFlightbook(benchmark::State& st) {
    const std::string out = gDir + "/imported-mfb.log";
    for (auto _ : st) {
        convertCmd({"import", gMfb, out});
        st.PauseTiming();
        fs::remove(out);
        st.ResumeTiming();
    }
}

void dumpJson(benchmark::State& st) {
    const std::string out = gDir + "/dump.json";
    for (auto _ : st) {
        convertCmd({"dump", gLog, "-o", out});
        st.PauseTiming();
        fs::remove(out);
        st.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(plainCopySynced)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(exportCsv)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(importCsv)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(exportMyFlightbook)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(importMyFlightbook)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(dumpJson)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char** argv) {
    const char* dir = std::getenv("AEROKIT_BENCH_DIR");
    gDir = dir ? dir : fs::temp_directory_path().string();
    gLog = gDir + "/convert.log";
    gCsv = gDir + "/convert.csv";
    gMfb = gDir + "/convert-mfb.csv";
    for (const std::string& f : {gLog, gCsv, gMfb}) fs::remove(f);
    benchlog::writeLogbook(gLog);
    convertCmd({"export", gLog, "-o", gCsv, "--locale", "en_US"});
    convertCmd({"export", gLog, "-o", gMfb, "--to", "myflightbook", "--locale", "de_DE"});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const std::string& f : {gLog, gCsv, gMfb}) fs::remove(f);
    return 0;
}
