#!/usr/bin/env bash
# Installs what is needed, builds Aerokit and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build -DAEROKIT_BUILD_TESTS=OFF
exec ./build/app/aerokit "$@"
