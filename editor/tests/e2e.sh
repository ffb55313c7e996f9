#!/usr/bin/env bash
# End-to-end test of the installed program on a virtual display, driven with real X input:
# install the build into a fresh folder, start the installed program (no environment telling it
# where its data is), open Load Caricature, load a starter face, draw a pen stroke and erase
# across it in Edit Face, step brows and eyes in Make Face, colour the mouth in Change Face, put
# the head on a body and in front of a mountain, save the picture as JPEG and the face as a face
# file (twice under a name typed without its extension, answering the question before the
# second save replaces the file) through the File menu (opened with Alt+F: the keyboard focus comes back to the main window
# after each dialog, with no window manager on the display), load a face file cut short (both
# panels go on showing the face and the picture), exit; then check the saved files, the head and
# composed work files and the face panel's pixels on screenshots.
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
# The first visible window whose name matches, within 20 seconds. xdotool's own waiting gives up
# when a window closes while it walks the tree (a dialog that ends just then: BadWindow), so each
# search is one look, repeated.
window_named() {
    local found
    for _ in $(seq 1 100); do
        found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) || true
        if [ -n "$found" ]; then
            echo "$found"
            return 0
        fi
        sleep 0.2
    done
    return 1
}
# Return on a message box until it has gone: a box only takes keys once the program has given it
# the focus, which with no window manager can come a moment after it shows.
dismiss() {
    for _ in $(seq 1 10); do
        xdotool key Return
        for _ in $(seq 1 10); do
            [ -n "$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)" ] || return 0
            sleep 0.2
        done
    done
    return 1
}
# The first row of the slate band within 60 rows below a window's top left corner (x, y) on a
# screenshot, 300 pixels in from its left edge: where the window's client area starts.
slate_top() {
    local dy colour
    for dy in $(seq 0 60); do
        colour=$(convert "$1" -format "%[fx:int(255*p{$(($2 + 300)),$(($3 + dy))}.r)]" info:)
        if [ "$colour" -lt 90 ]; then
            echo $(($3 + dy))
            return 0
        fi
    done
    return 1
}
wid=$(window_named "ZEL Editor") || fail "the main window did not open"
sleep 1
# The client area starts below the menu bar: find the top of the background's slate band.
eval "$(xdotool getwindowgeometry --shell "$wid")"
left=$X
top=$Y
import -window root "$here/start.png"
client_top=$(slate_top "$here/start.png" "$left" "$top") || fail "no background found in the main window"
click() { xdotool mousemove "$((left + $1))" "$((client_top + $2))" click 1; }

# Alt+F opens the File menu only while the main window has the keyboard focus: with no window
# manager on this display, the program itself gives it back when a dialog ends. The menu is a
# pop-up window of the program just under the menu bar's left end.
file_menu_opens() {
    local w
    xdotool key alt+f
    sleep 1
    for w in $(xdotool search --onlyvisible --classname zel-editor 2>/dev/null || true); do
        [ "$w" != "$wid" ] || continue
        eval "$(xdotool getwindowgeometry --shell "$w")"
        if [ "$X" -ge "$left" ] && [ "$X" -lt "$((left + 40))" ] && [ "$Y" -gt "$top" ] &&
            [ "$Y" -le "$((client_top + 8))" ]; then
            return 0
        fi
    done
    return 1
}
file_menu_opens || fail "Alt+F did not open the File menu of the program as it started"
xdotool key Escape
sleep 0.5

# An editing dialog: its window by caption, and a click at a point of its client area (the
# client area starts at the top of the skin's slate band).
open_dialog() {
    local wid
    wid=$(window_named "^$1\$") || fail "the $1 dialog did not open"
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    dialog_left=$X
    import -window root "$here/dialog.png"
    dialog_top=$(slate_top "$here/dialog.png" "$X" "$Y") || fail "no skin found in the $1 dialog"
}
dclick() {
    xdotool mousemove "$((dialog_left + $1))" "$((dialog_top + $2))" click 1
    sleep 0.7
}

# Load Caricature: the dialog opens in the starter faces.
click 262 435
sleep 2
xdotool type --delay 30 "man.zel"
xdotool key Return
sleep 2
import -window root "$here/loaded.png"

# A top-level window of the program with the given size: its left and top.
window_of_size() {
    for w in $(xdotool search --onlyvisible --classname zel-editor 2>/dev/null || true); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        if [ "$WIDTH" = "$1" ] && [ "$HEIGHT" = "$2" ]; then
            echo "$X $Y"
            return 0
        fi
    done
    return 1
}
# Drags the left button in a straight line from (x1, y1) to (x2, y2) of the screen, in steps
# of two pixels, so that every step reaches the program as a move.
drag() {
    local x1=$1 y1=$2 x2=$3 y2=$4 steps i
    steps=$(( ( (x2 - x1) * (x2 - x1) > (y2 - y1) * (y2 - y1) ? (x2 - x1) : (y2 - y1) ) / 2 ))
    steps=${steps#-}
    xdotool mousemove "$x1" "$y1" mousedown 1
    for i in $(seq 1 "$steps"); do
        xdotool mousemove "$((x1 + (x2 - x1) * i / steps))" "$((y1 + (y2 - y1) * i / steps))"
    done
    xdotool mouseup 1
}

# Edit Face (585 x 479): the largest pen draws a diagonal in the drawing area, which starts at
# (35, 42) of the dialog; the eraser crosses it in the middle; Done.
click 59 35
sleep 2
read -r ex ey < <(window_of_size 585 479) || fail "Edit Face did not open"
xdotool mousemove "$((ex + 449))" "$((ey + 205))" click 1 # Pen
sleep 1
read -r px py < <(window_of_size 186 68) || fail "the pen choice did not open"
xdotool mousemove "$((px + 168))" "$((py + 18))" click 1 # the largest pen
sleep 1
drag "$((ex + 35 + 20))" "$((ey + 42 + 20))" "$((ex + 35 + 60))" "$((ey + 42 + 60))"
xdotool mousemove "$((ex + 449))" "$((ey + 136))" click 1 # Erase
sleep 0.5
drag "$((ex + 35 + 40))" "$((ey + 42 + 30))" "$((ex + 35 + 40))" "$((ey + 42 + 50))"
import -window root "$here/editing.png"
xdotool mousemove "$((ex + 482))" "$((ey + 425))" click 1 # Done
sleep 2
window_of_size 585 479 >/dev/null && fail "Edit Face did not close on Done"
import -window root "$here/edited.png"
file_menu_opens || fail "Alt+F did not open the File menu after Edit Face"
xdotool key Escape
sleep 0.5

# Make Face: the next brows and the next eyes, then Done.
click 59 115
open_dialog "Make Face"
dclick 559 61
dclick 559 105
import -window root "$here/make-face.png"
dclick 501 355
sleep 1

# Change Face: the mouth (chosen at opening) in the colour typed into the colour dialog.
click 59 195
open_dialog "Change Face"
dclick 505 308
window_named "Select Color" >/dev/null || fail "the colour dialog did not open"
sleep 1
xdotool key alt+h ctrl+a
xdotool type --delay 30 "#c81e3c"
xdotool key Return
sleep 1.5
dclick 501 355
sleep 1

# Add Body: the first body of the face's kind, then Done.
click 59 275
open_dialog "Add Body"
dclick 559 68
dclick 501 336
sleep 1

# Add Background: the first mountain, head and body moved up together, then Done.
click 59 355
open_dialog "Add Background"
dclick 559 61
dclick 352 333
dclick 501 336
sleep 1

# Save the composed picture as JPEG: the file name, then the third filter.
xdotool key ctrl+s
sleep 2
xdotool type --delay 20 "$here/out/picture.jpg"
xdotool key Tab Down Down shift+Tab Return
sleep 2

# File, Save Face in ZEL Format..., from the keyboard right after the save dialog.
file_menu_opens || fail "Alt+F did not open the File menu after the save dialog"
xdotool key e
sleep 2
xdotool type --delay 20 "$here/out/saved"
xdotool key Return
sleep 2

import -window root "$here/saved.png"

# Saved again under the same name typed without its extension: the file dialog asked nothing
# about "saved", so the program asks before it replaces saved.zel; Yes replaces it.
file_menu_opens || fail "Alt+F did not open the File menu after the face file was saved"
xdotool key e
sleep 2
xdotool type --delay 20 "$here/out/saved"
xdotool key Return
window_named "^Save in ZEL\$" >/dev/null || fail "no question before saved.zel was replaced"
sleep 0.5
import -window root "$here/replace.png"
dismiss "^Save in ZEL\$" || fail "the question before saved.zel was replaced did not close"
sleep 1

# Load Caricature with a face file cut short, while the face and the composed picture show: the
# load fails with its message, and both panels go on showing them.
head -c 400 "$here/out/saved.zel" >"$here/out/cut.zel"
click 262 435
sleep 2
xdotool type --delay 20 "$here/out/cut.zel"
xdotool key Return
window_named "^Load caricature from a ZEL file\$" >/dev/null ||
    fail "no message for the face file cut short"
dismiss "^Load caricature from a ZEL file\$" || fail "the message for the face file cut short did not close"
sleep 1
import -window root "$here/failed.png"

# Exit: the face and the picture shown were saved, so the program ends without a question.
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
# The program's work space inside the private folder.
space=$(dirname "$(ls "$here"/work/*/zel_head.bmp | head -1)")
# The colour chosen in Change Face paints the mouth of the head picture.
mouth=$(convert "$space/zel_head.bmp" -fill black +opaque "rgb(200,30,60)" \
    -fill white -opaque "rgb(200,30,60)" -format "%[fx:int(w*h*mean)]" info:)
[ "$mouth" -gt 50 ] || { echo "e2e: no mouth in the chosen colour ($mouth pixels)"; exit 1; }
# The composed picture has a background (no grey canvas at its top corners) and the JPEG is
# that picture.
corner=$(convert "$space/zel_all.bmp" -format "%[pixel:p{0,0}]" info:)
[ "$corner" != "srgb(192,192,192)" ] || { echo "e2e: no background in the composed picture"; exit 1; }
[ -s "$here/out/picture.jpg" ] || { echo "e2e: the JPEG picture was not saved"; exit 1; }
size=$(identify -format "%m %wx%h" "$here/out/picture.jpg")
[ "$size" = "JPEG 600x800" ] || { echo "e2e: the saved picture is $size"; exit 1; }
# (compare answers 1 for pictures that differ at all, as a JPEG does)
error=$({ compare -metric RMSE "$here/out/picture.jpg" "$space/zel_all.bmp" null: 2>&1 ||
    true; } | sed 's/.*(\(.*\))/\1/')
awk "BEGIN { exit !($error < 0.05) }" ||
    { echo "e2e: the JPEG is not the composed picture (RMSE $error)"; exit 1; }
# The edit in the face panel: 720 x 960 shows as 177 x 236, so the area's (26, 26) on the
# stroke is the panel's (19, 19) and the erased middle, the area's (40, 40), its (29, 30).
grey() {
    convert "$here/edited.png" -format "%[fx:int(255*p{$((left + 179 + $1)),$((top + 98 + $2))}.r)]" info:
}
stroke=$(grey 19 19)
[ "$stroke" -lt 60 ] || { echo "e2e: no pen stroke in the face panel ($stroke)"; exit 1; }
erased=$(grey 29 30)
[ "$erased" -eq 192 ] || { echo "e2e: the erase is not in the face panel ($erased)"; exit 1; }
before=$(convert "$here/loaded.png" -format \
    "%[fx:int(255*p{$((left + 179 + 19)),$((top + 98 + 19))}.r)]" info:)
[ "$before" -eq 192 ] || { echo "e2e: the stroke's place was not paper before ($before)"; exit 1; }
# After the failed load: the face panel and the composed panel as they were once saved.
for panel in "177x245+$((left + 179))+$((top + 98))" "222x306+$((left + 442))+$((top + 84))"; do
    convert "$here/failed.png" -crop "$panel" +repage "$here/failed-panel.png"
    convert "$here/saved.png" -crop "$panel" +repage "$here/saved-panel.png"
    changed=$({ compare -metric AE "$here/failed-panel.png" "$here/saved-panel.png" null: 2>&1 ||
        true; } | cut -d' ' -f1)
    [ "$changed" -eq 0 ] ||
        { echo "e2e: a failed load changed the panel $panel ($changed pixels)"; exit 1; }
done
echo "e2e: 1 passed, 0 failed"
