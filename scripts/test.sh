#!/usr/bin/env bash
# Sets up, builds and runs every test, with a bounded run of both fuzzers (the face-file
# reader and the picture readers, side by side).
# Usage: scripts/test.sh [preset]  (default: debug; CI uses asan).
# ZEL_FUZZ_SECONDS sets the time of each fuzzer (default 60; 0 skips them).
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-debug}
fuzz_seconds=${ZEL_FUZZ_SECONDS:-60}

bash scripts/setup.sh
cmake --preset "$preset"
cmake --build --preset "$preset" -j "$(nproc)"
bash scripts/check_platform_reach.sh "build/$preset"

# The fuzz run comes first so that the test runner's summary closes the output.
if [ "$fuzz_seconds" -gt 0 ]; then
    bash scripts/fuzz.sh "$fuzz_seconds"
fi
ctest --preset "$preset"
