#!/usr/bin/env bash
# Builds the program of tests/consumer against an installed tree twice, once with the CMake
# package and once with pkg-config; each program makes the caricature of a test portrait with no
# environment telling the libraries where their data is, saves it as a face file and loads it
# back. A build folder is installed into a fresh prefix first, and the installed tree moved
# elsewhere, so that nothing may depend on where it was installed.
#   tests/consumer/run.sh <build folder>
#   tests/consumer/run.sh --prefix <installed tree>
set -euo pipefail
src=$(cd "$(dirname "$0")" && pwd)
portraits=$(cd "$src/../../face_engine/tests/data/portraits" && pwd)
here=$(mktemp -d /tmp/zel-consumer.XXXXXX)
trap 'rm -rf "$here"' EXIT
if [ "${1:?build folder or --prefix}" = --prefix ]; then
    prefix=$(cd "${2:?installed tree}" && pwd)
else
    cmake --install "$1" --prefix "$here/installed" >/dev/null
    mv "$here/installed" "$here/prefix"
    prefix=$here/prefix
fi
fail() { echo "consumer: $*" >&2; exit 1; }

export PKG_CONFIG_PATH
PKG_CONFIG_PATH=$(dirname "$(find "$prefix" -name zeledit.pc)")
[ "$(pkg-config --modversion zeledit)" = 1.0.0 ] || fail "zeledit.pc is not of version 1.0.0"
pkg-config --print-requires zeledit | grep -qx zelImageDLL || fail "zeledit.pc needs zelImageDLL"

mkdir -m 700 "$here/work"
cmake -S "$src" -B "$here/with-cmake" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake -S "$src" -B "$here/with-pkg-config" -G Ninja -DZEL_USE_PKG_CONFIG=ON >/dev/null
for way in with-cmake with-pkg-config; do
    cmake --build "$here/$way" >/dev/null
    mkdir "$here/out-$way"
    echo "== consumer $way: $(ls "$here/$way/headers" | wc -l) installed headers compile alone"
    env -u ZEL_DATA_DIR ZEL_WORKDIR="$here/work" "$here/$way/caricature" \
        "$portraits/A000366.jpg" "$portraits/reference_landmarks.txt" "$here/out-$way"
done
