#!/usr/bin/env bash
# Takes a screenshot of the controls demo on a virtual display:
#   editor/controls/demo/screenshot.sh <build folder> [output.png]
set -euo pipefail
build=${1:?build folder}
out=${2:-$build/test-output/controls-demo.png}
mkdir -p "$(dirname "$out")"
export ZEL_WORKDIR=${ZEL_WORKDIR:-$(mktemp -d "$build/controls-demo.XXXXXX")}
xvfb-run -a -s "-screen 0 1024x768x24" sh -c \
    "'$build/editor/controls/demo/controls_demo' 4 & sleep 2.5; import -window root '$out'; wait"
echo "$out"
