#!/usr/bin/env bash
# Sets up, builds (release) and starts the editor with its bundled data.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset release
cmake --build --preset release -j "$(nproc)"
editor=build/release/editor/zel-editor
if [ -x "$editor" ]; then
    ZEL_DATA_DIR="$PWD/build/release/share/zel-editor" exec "$editor" "$@"
fi
echo "Built everything; the editor program is not part of this build yet."
