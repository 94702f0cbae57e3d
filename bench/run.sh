#!/bin/sh
# Builds the benchmarks (Release) and runs them on a generated logbook of
# 32766 flights: core operations against a plain read and a synced copy of
# the same file, aerokit-convert export, import and dump, then the real
# windows offscreen, timed from the click until the window is drawn, in
# three rounds against their targets, and the viewer's peak memory.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DAEROKIT_BUILD_BENCH=ON -DAEROKIT_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target logbook_bench logbook_window_bench convert_bench -j2 >/dev/null

data="$build/bench-data"
mkdir -p "$data"
export AEROKIT_BENCH_DIR="$data"
export QT_QPA_PLATFORM=offscreen

echo "load average before the run: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
echo
echo "== core operations (32766 flights) =="
"$build/bench/logbook_bench" --benchmark_color=false

echo
echo "== aerokit-convert (32766 flights) =="
"$build/bench/convert_bench" --benchmark_color=false

echo
echo "== windows, offscreen: from the click until drawn, three rounds =="
# The offscreen platform's notices are left out of the tables.
quiet='This plugin does not support|XDG_RUNTIME_DIR'
"$build/bench/logbook_window_bench" 3 2>&1 | grep -Ev "$quiet"
"$build/bench/logbook_window_bench" memory "$data/windows.log" 2>&1 | grep -Ev "$quiet"
rm -f "$data/windows.log"
echo
echo "load average after the run: $(cut -d' ' -f1-3 /proc/loadavg)"
