#!/usr/bin/env bash
# Sets up, builds and runs every test. Usage: scripts/test.sh [preset]  (default: debug;
# CI uses asan).
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-debug}

bash scripts/setup.sh
cmake --preset "$preset"
cmake --build --preset "$preset" -j "$(nproc)"
ctest --preset "$preset"
