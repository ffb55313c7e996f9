#!/usr/bin/env bash
# End-to-end test of the installed program on a virtual display, driven with real X input:
# install the build into a fresh folder, start the installed program (no environment telling it
# where its data is), open Load Caricature, load a starter face, save it as a face file through
# the File menu, exit; then check the saved file and the face panel's pixels on a screenshot.
#   editor/tests/e2e.sh <build folder>
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
here=$(mktemp -d /tmp/zel-e2e.XXXXXX)
trap '[ -n "${ZEL_E2E_KEEP:-}" ] || rm -rf "$here"' EXIT
prefix=$here/install
cmake --install "$build" --prefix "$prefix" >/dev/null
mkdir -m 700 "$here/work" "$here/out"

cat >"$here/drive.sh" <<'DRIVE'
#!/usr/bin/env bash
set -euo pipefail
here=$1
cd "$here/out"
env -u ZEL_DATA_DIR ZEL_WORKDIR="$here/work" "$here/install/bin/zel-editor" &
pid=$!
fail() { echo "e2e: $*" >&2; kill "$pid" 2>/dev/null || true; exit 1; }
wid=$(timeout 20 xdotool search --sync --onlyvisible --name "ZEL Editor" | head -1) ||
    fail "the main window did not open"
sleep 1
# The client area starts below the menu bar: find the top of the background's slate band.
eval "$(xdotool getwindowgeometry --shell "$wid")"
left=$X
top=$Y
import -window root "$here/start.png"
for dy in $(seq 0 60); do
    colour=$(convert "$here/start.png" -format "%[fx:int(255*p{$((left + 300)),$((top + dy))}.r)]" info:)
    if [ "$colour" -lt 90 ]; then
        client_top=$((top + dy))
        break
    fi
done
[ -n "${client_top:-}" ] || fail "no background found in the main window"
click() { xdotool mousemove "$((left + $1))" "$((client_top + $2))" click 1; }

# Load Caricature: the dialog opens in the starter faces.
click 262 435
sleep 2
xdotool type --delay 30 "man.zel"
xdotool key Return
sleep 2
import -window root "$here/loaded.png"

# File, Save Face in ZEL Format... (the menu bar lies above the client area)
xdotool mousemove "$((left + 20))" "$((top + 8))" click 1
sleep 1
xdotool key e
sleep 2
xdotool type --delay 20 "$here/out/saved"
xdotool key Return
sleep 2

import -window root "$here/saved.png"
# Exit: nothing changed since the load, so the program ends without a question.
click 59 435
for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
kill -0 "$pid" 2>/dev/null && fail "the program did not end on Exit"
echo "$left $client_top" >"$here/client"
DRIVE

xvfb-run -a -s "-screen 0 1024x768x24" bash "$here/drive.sh" "$here"

read -r left top <"$here/client"
[ -s "$here/out/saved.zel" ] || { echo "e2e: the face file was not saved"; exit 1; }
# The face panel (179, 98)-(356, 343): grey paper at its top-left corner, black ink inside.
paper=$(convert "$here/loaded.png" -format \
    "%[fx:int(255*p{$((left + 181)),$((top + 100))}.r)]" info:)
[ "$paper" -eq 192 ] || { echo "e2e: no grey paper in the face panel ($paper)"; exit 1; }
ink=$(convert "$here/loaded.png" -crop "177x245+$((left + 179))+$((top + 98))" +repage \
    -colorspace gray -threshold 25% -format "%[fx:int(w*h*(1-mean))]" info:)
[ "$ink" -gt 500 ] || { echo "e2e: no face drawn in the face panel ($ink dark pixels)"; exit 1; }
echo "e2e: 1 passed, 0 failed"
