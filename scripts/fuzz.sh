#!/usr/bin/env bash
# Builds the fuzz preset (clang, libFuzzer) and runs the face-file fuzzer for a bounded time on
# a corpus seeded with the starter faces. Usage: scripts/fuzz.sh [seconds]  (default 60; run
# longer by hand). Inputs that crash are left in <build>/fuzz-findings; each becomes a
# regression test. The build folder is build/fuzz unless ZEL_FUZZ_BUILD_DIR names another.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

build=${ZEL_FUZZ_BUILD_DIR:-build/fuzz}

cmake --preset fuzz -B "$build"
cmake --build "$build" --target face_file_fuzzer starter_faces -j "$(nproc)"

corpus=$build/fuzz-corpus/face_file
findings=$build/fuzz-findings
mkdir -p "$corpus" "$findings"
cp "$build"/share/zel-editor/faces/*.zel "$corpus"/

# Leak reports of the libraries' process-wide state are not findings of the readers.
ASAN_OPTIONS=detect_leaks=0 "$build"/face_engine/face_file_fuzzer \
    -max_total_time="$seconds" -max_len=200000 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$findings"/ -print_final_stats=1 "$corpus"
