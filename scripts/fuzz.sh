#!/usr/bin/env bash
# Builds the fuzz preset (clang, libFuzzer) and runs both fuzzers at once for a bounded time,
# each with several jobs: the face-file fuzzer on a corpus seeded with the starter faces, the
# picture fuzzer on one seeded with a small valid picture of every format, the damaged
# pictures kept as regression inputs (imaging/tests/data) and its own earlier findings.
# Usage: scripts/fuzz.sh [seconds]  (default 60 for each fuzzer; run longer by hand).
# ZEL_FUZZ_JOBS sets the jobs of each fuzzer (default: a quarter of the processors, 1 to 4).
# Inputs that crash, break a reader's promise or keep a reader busy are left in
# <build>/fuzz-findings; each becomes a regression test (a picture finding goes to
# imaging/tests/data/findings, which a test runs again). The corpora grow in
# <build>/fuzz-corpus and are kept between runs. The build folder is build/fuzz unless
# ZEL_FUZZ_BUILD_DIR names another.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
cores=$(nproc)
default_jobs=$((cores / 4))
[ "$default_jobs" -lt 1 ] && default_jobs=1
[ "$default_jobs" -gt 4 ] && default_jobs=4
jobs=${ZEL_FUZZ_JOBS:-$default_jobs}

build=${ZEL_FUZZ_BUILD_DIR:-build/fuzz}

cmake --preset fuzz -B "$build"
cmake --build "$build" --target face_file_fuzzer picture_fuzzer picture_fuzz_seeds starter_faces \
    -j "$cores"

findings=$build/fuzz-findings
faces=$build/fuzz-corpus/face_file
pictures=$build/fuzz-corpus/picture
mkdir -p "$faces" "$pictures" "$findings"
cp "$build"/share/zel-editor/faces/*.zel "$faces"/
"$build"/imaging/fuzz/picture_fuzz_seeds "$pictures" imaging/tests/data/*.png imaging/tests/data/*.tga
cp imaging/tests/data/findings/* "$pictures"/

# The picture fuzzer writes every input into the work folder (each job claims its own space
# there): in memory when the machine offers it, which runs the fuzzer five times as fast as a
# disk does.
shm=/dev/shm
[ -d "$shm" ] && [ -w "$shm" ] || shm=$build
ZEL_WORKDIR=$(mktemp -d "$shm/zel-fuzz.XXXXXX")
export ZEL_WORKDIR
trap 'rm -rf "$ZEL_WORKDIR"' EXIT

# Leak reports of the libraries' process-wide state are not findings of the readers. A small
# quarantine keeps freed memory warm: fresh pages for every picture cost more than the reading.
run() {
    local name=$1 fuzzer=$2 corpus=$3 max_len=$4
    ASAN_OPTIONS=detect_leaks=0:quarantine_size_mb=16 "$fuzzer" -fork="$jobs" \
        -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$findings"/ -print_final_stats=1 "$corpus" >"$build/fuzz-$name.log" 2>&1
}

run face_file "$build"/face_engine/face_file_fuzzer "$faces" 200000 &
face_pid=$!
run picture "$build"/imaging/fuzz/picture_fuzzer "$pictures" 16384 &
picture_pid=$!
status=0
wait "$face_pid" || status=1
wait "$picture_pid" || status=1

for name in face_file picture; do
    echo "== $name fuzzer ($jobs jobs, ${seconds} s): $build/fuzz-$name.log"
    grep -E '^#[0-9]+' "$build/fuzz-$name.log" | tail -n 1 || true
    grep -E 'ERROR|broken promise|took .* to refuse|INFO: exiting' "$build/fuzz-$name.log" |
        tail -n 5 || true
done
exit "$status"
