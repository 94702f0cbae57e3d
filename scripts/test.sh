#!/usr/bin/env bash
# Installs what is needed, builds Aerokit with its tests and runs them all.
# Extra CMake options for the build may be given as arguments (CI adds
# -DAEROKIT_WERROR=ON -DAEROKIT_BUILD_BENCH=ON to build everything once).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build -DAEROKIT_BUILD_TESTS=ON "$@"
ctest --test-dir build --output-on-failure -j"$(nproc)"
