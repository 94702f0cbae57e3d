#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build on its seed corpus for a bounded time.
#   fuzz/run.sh BUILD_DIR [TOTAL_SECONDS]     (default 600, shared evenly)
# The seeds are made afresh in BUILD_DIR/fuzz-seeds and passed read-only; each
# target writes what it finds to a fresh BUILD_DIR/fuzz-corpus/<target>, given
# first, and a crashing input to BUILD_DIR/fuzz-artifacts. Logs go to
# BUILD_DIR/fuzz-logs; one line per target sums up runs and coverage.
set -euo pipefail
build=${1:?usage: fuzz/run.sh BUILD_DIR [TOTAL_SECONDS]}
total=${2:-600}
targets=("$build"/fuzz/*_fuzz)
each=$((total / ${#targets[@]}))

for dir in fuzz-seeds fuzz-corpus fuzz-artifacts fuzz-logs; do
  [ -e "$build/$dir" ] && chmod -R u+w "$build/$dir"
  rm -rf "${build:?}/$dir"
done
# The write paths sync what they write; on a memory file system a sync costs
# nothing, so the time goes to the code rather than to the disk.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi

"$build/fuzz/aerokit_fuzz_seeds" "$build/fuzz-seeds"
chmod -R a-w "$build/fuzz-seeds"
mkdir -p "$build/fuzz-artifacts" "$build/fuzz-logs"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
for target in "${targets[@]}"; do
  name=$(basename "$target")
  corpus="$build/fuzz-corpus/$name"
  mkdir -p "$corpus"
  seeds=()
  [ -d "$build/fuzz-seeds/$name" ] && seeds=("$build/fuzz-seeds/$name")
  log="$build/fuzz-logs/$name.log"
  if ! "$target" -max_total_time="$each" -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$build/fuzz-artifacts/$name-" "$corpus" "${seeds[@]}" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "-- $name FAILED (log: $log)"
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1 || true)
  cov=$(sed -E 's/.* cov: ([0-9]+) ft: ([0-9]+) corp: ([^ ]+).*/cov \1, ft \2, corpus \3/' <<<"$done_line")
  echo "-- $name: $runs runs in ${each}s ($((runs / each))/s), $cov"
done
