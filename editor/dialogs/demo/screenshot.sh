#!/usr/bin/env bash
# Takes a screenshot of each editing dialog in use on a virtual display:
#   editor/dialogs/demo/screenshot.sh <build folder> [output folder]
# (the pictures in editor/dialogs/screenshots were taken with it)
set -euo pipefail
build=${1:?build folder}
out=${2:-$build/test-output}
mkdir -p "$out"
export ZEL_DATA_DIR=${ZEL_DATA_DIR:-$build/share/zel-editor}
for dialog in make change body background; do
    case $dialog in
        make) name=make-face ;;
        change) name=change-face ;;
        body) name=add-body ;;
        background) name=add-background ;;
    esac
    export ZEL_WORKDIR
    ZEL_WORKDIR=$(mktemp -d "$build/editing-demo.XXXXXX")
    xvfb-run -a -s "-screen 0 800x600x24" sh -c \
        "'$build/editor/dialogs/editing_dialogs_demo' $dialog 5 & sleep 3.5; \
         import -window root png:- | convert - -trim +repage +dither -colors 256 -strip \
         PNG8:'$out/$name.png'; wait"
    rm -rf "$ZEL_WORKDIR"
    echo "$out/$name.png"
done
