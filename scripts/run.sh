#!/usr/bin/env bash
# Sets up, builds (release) and starts the editor with its bundled data.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset release
cmake --build --preset release -j "$(nproc)"
exec build/release/editor/zel-editor "$@"
