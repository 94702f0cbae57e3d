#!/usr/bin/env bash
# Installs what is needed, builds Aerokit with its tests and runs them all.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build -DAEROKIT_BUILD_TESTS=ON
ctest --test-dir build --output-on-failure -j"$(nproc)"
