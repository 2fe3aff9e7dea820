#!/bin/bash
# End-to-end run of the real program under a virtual X server with real X input (xdotool): a copy of the
# binary in a temporary folder (its settings live beside it) and samples in a subfolder. The first run selects
# files by click and by arrow key, drags the degree track bar, opens the render window with Alt+R, drags
# brightness and zoom, moves and resizes the windows, switches "Fit" and "Ortho" off, opens the details window
# with Alt+D and copies its summary with Ctrl+C, and closes the windows.
# The second run starts elsewhere and must come back with the folder, geometry, switches and render settings.
# Then, under a window manager, maximised closes must keep the normal window's place and the render window
# must not stay minimised.
# Every step leaves a screenshot in the artefacts folder; the checks are pixel facts on those screenshots and
# the settings file.
# Usage: e2e_xdotool.sh <gonilux binary> <samples folder> <close-window helper> <artefacts folder>
# Exit code 77 (skipped) only when the X server cannot start at all.
set -euo pipefail

if [ "${1:-}" != "--inside" ]; then
    self=$(readlink -f "$0")
    app=$(readlink -f "$1")
    samples=$(readlink -f "$2")
    closer=$(readlink -f "$3")
    artefacts=$4
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    rm -rf "$artefacts"
    mkdir -p "$artefacts" "$work/samples"
    cp "$app" "$work/gonilux"
    cp "$closer" "$work/close_window"
    # One axial file and one of 37 planes: the arrow key moves from the first to the second.
    cp "$samples/downlight_axial.ies" "$samples/washer_full_360.ies" "$work/samples/"
    status=0
    # No server reset when the last client goes: a client starting just then (the window manager after a run)
    # would find no display.
    timeout 300 xvfb-run -a -s "-screen 0 1600x1000x24 -noreset" "$self" --inside "$work" "$(readlink -f "$artefacts")" \
        || status=$?
    if [ ! -e "$work/x-server-up" ]; then
        echo "SKIP: the virtual X server did not start (status $status)"
        exit 77
    fi
    cp "$work/ies.ini" "$artefacts/" 2>/dev/null || true
    exit $status
fi

work=$2
art=$3
touch "$work/x-server-up"
E2E_PARK_MOUSE=1
# shellcheck source=e2e_common.sh
source "$(dirname "$0")/e2e_common.sh"
same_region() { # same_region A B X Y W H: the same region of two screenshots holds the same pixels
    [ "$(pixels "$1" "$3" "$4" "$5" "$6" | md5sum)" = "$(pixels "$2" "$3" "$4" "$5" "$6" | md5sum)" ]
}
same_moved() { # same_moved A AX AY B BX BY W H: a region of A equals a region of B at another place
    [ "$(pixels "$1" "$2" "$3" "$7" "$8" | md5sum)" = "$(pixels "$4" "$5" "$6" "$7" "$8" | md5sum)" ]
}
ini() { # ini SECTION KEY: the value as the settings file holds it
    awk -v s="[$1]" -v k="$2" 'BEGIN { FS = "=" } { sub(/\r$/, "") } /^\[/ { in_s = ($0 == s); next }
        in_s && $1 == k { print substr($0, length(k) + 2); exit }' "$work/ies.ini"
}

# --- Windows -------------------------------------------------------------------------------------------------
main_window() {
    timeout 20 xdotool search --sync --onlyvisible --name '^Gonilux$' | head -n 1
}
render_window() {
    timeout 20 xdotool search --sync --onlyvisible --name '^Render$' | head -n 1
}
geometry() { # sets X Y WIDTH HEIGHT of a window
    eval "$(xdotool getwindowgeometry --shell "$1")"
}
start_program() { # start_program FOLDER: runs the copied binary with FOLDER as working folder
    (cd "$1" && exec "$work/gonilux") &
    pid=$!
    win=$(main_window) || true
    [ -n "$win" ] || fail "the main window did not appear"
    sleep 0.5
}
wait_gone() { # wait_gone PID: the program ends within 20 s
    for _ in $(seq 100); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.2
    done
    return 1
}
drag() { # drag X Y DX: left button down at X,Y, moved right by DX in steps, released
    xdotool mousemove "$1" "$2" mousedown 1
    sleep 0.2
    for part in 1 2 3 4; do
        xdotool mousemove $(($1 + $3 * part / 4)) "$2"
        sleep 0.15
    done
    xdotool mouseup 1
    sleep 1
}

# Layout of the main window (client coordinates): the first file entry, the second one, the degree track
# bar's thumb at position 0, the three switches and the goniogram's panel.
FILE1_X=240 FILE1_Y=146
DEGREE_THUMB_X=213 DEGREE_THUMB_Y=120
AUTO_X=350 FIT_X=372 ORTHO_X=394 SWITCH_Y=93
PANEL_X=409
# Render window: the thumbs of brightness at 15 (of 1..100) and zoom at 500 (of 1..10000), the value labels,
# the close button and the picture.
BRIGHT_THUMB_X=121 BRIGHT_Y=337
ZOOM_THUMB_X=109 ZOOM_Y=362
CLOSE_X=309 CLOSE_Y=358
IMAGE_X=11 IMAGE_Y=11 IMAGE_SIZE=300

# --- Copy and save: the goniogram's context menu --------------------------------------------------------------
# copy_goniogram_image: right-click the diagram, choose "&Copy image" by its accelerator; the clipboard then offers
# image/png, and the PNG it hands out is the diagram (307 x 307 at the first start's size) with red curves.
copy_goniogram_image() {
    command -v xclip >/dev/null || fail "xclip is missing (make deps installs it)"
    xdotool mousemove $((MX + PANEL_X + 155)) $((MY + 200)) click 3
    sleep 0.7
    shot goniogram-menu
    xdotool key c
    sleep 0.7
    local targets
    targets=$(timeout 10 xclip -selection clipboard -t TARGETS -o || true)
    echo "clipboard targets: $(echo "$targets" | tr '\n' ' ')"
    echo "$targets" | grep -qx 'image/png' || fail "the clipboard offers no image/png after \"Copy image\""
    timeout 10 xclip -selection clipboard -t image/png -o >"$art/clipboard.png" || fail "cannot read the PNG"
    [ "$(head -c 8 "$art/clipboard.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] \
        || fail "the clipboard's image/png is not a PNG"
    [ "$(identify -format '%wx%h' "$art/clipboard.png")" = 307x307 ] \
        || fail "the copied picture is $(identify -format '%wx%h' "$art/clipboard.png"), not the diagram's 307x307"
    [ "$(red_pixels "$art/clipboard.png" 0 0 307 307)" -gt 200 ] || fail "the copied picture shows no curves"
}

# === First run, in the samples folder, without a settings file ===============================================
start_program "$work/samples"
geometry "$win"
echo "first run: main window at $X,$Y size ${WIDTH}x$HEIGHT"
[ "$WIDTH" = 720 ] && [ "$HEIGHT" = 401 ] || fail "first start is not 720 x 401"
[ "$X" = $(((1600 - 720) / 2)) ] && [ "$Y" = $(((1000 - 401) / 2)) ] || fail "first start is not centred"
MX=$X MY=$Y
shot start
start_shot=$last
[ "$(red_pixels "$last" $((MX + PANEL_X)) "$MY" $((720 - PANEL_X)) 401)" -eq 0 ] || fail "curves before any file"

# Select the first file by click: the axial downlight.
xdotool mousemove $((MX + FILE1_X)) $((MY + FILE1_Y)) click 1
sleep 1
shot click-first-file
click_shot=$last
red=$(red_pixels "$last" $((MX + PANEL_X)) "$MY" $((720 - PANEL_X)) 401)
echo "red pixels after the click: $red"
[ "$red" -gt 200 ] || fail "no red curves after clicking the first file"
same_region "$start_shot" "$last" "$MX" "$MY" 400 80 && fail "the header label did not change"

# The next file by arrow key: the 37-plane washer; the track bar now covers "axially symmetric".
xdotool key Down
sleep 1
shot arrow-down
arrow_shot=$last
red=$(red_pixels "$last" $((MX + PANEL_X)) "$MY" $((720 - PANEL_X)) 401)
echo "red pixels after the arrow key: $red"
[ "$red" -gt 200 ] || fail "no red curves after the arrow key"
same_region "$click_shot" "$last" $((MX + PANEL_X)) "$MY" $((720 - PANEL_X)) 401 && fail "the goniogram did not change"
same_region "$click_shot" "$last" $((MX + 146)) $((MY + 106)) 255 29 && fail "the degree track bar did not appear"

# Drag the degree track bar from plane 0 to the right: another plane, "Degrees=" changes.
drag $((MX + DEGREE_THUMB_X)) $((MY + DEGREE_THUMB_Y)) 60
shot degree-drag
[ "$(red_pixels "$last" $((MX + PANEL_X)) "$MY" $((720 - PANEL_X)) 401)" -gt 200 ] || fail "no curves after the drag"
same_region "$arrow_shot" "$last" $((MX + PANEL_X)) "$MY" $((720 - PANEL_X)) 70 && fail "Degrees= did not change"
same_region "$arrow_shot" "$last" $((MX + 146)) $((MY + 106)) 255 29 && fail "the thumb did not move"

copy_goniogram_image

# "&Render" by its accelerator: the render window appears and renders.
xdotool mousemove $((MX + 300)) $((MY + 40)) key alt+r
rwin=$(render_window) || true
[ -n "$rwin" ] || fail "Alt+R did not open the render window"
# Out of the main window's way, as a user would put it; the position is remembered.
xdotool windowmove "$rwin" 1200 80
sleep 1
geometry "$rwin"
RX=$X RY=$Y
echo "render window at $RX,$RY"
[ "$RX" = 1200 ] && [ "$RY" = 80 ] || fail "the render window did not move"
shot render-open
render_shot=$last
n=$(colours "$last" $((RX + IMAGE_X)) $((RY + IMAGE_Y)) $IMAGE_SIZE $IMAGE_SIZE)
echo "render picture colours: $n"
[ "$n" -gt 20 ] || fail "the render picture is uniform ($n colours)"
same_region "$last" "$start_shot" $((MX + 110)) $((MY + 84)) 150 17 && fail "the rendering time was not shown"

# Brightness and zoom: drag each thumb; the value labels and the picture change.
drag $((RX + BRIGHT_THUMB_X)) $((RY + BRIGHT_Y)) 60
shot brightness-drag
bright_shot=$last
same_region "$render_shot" "$last" $((RX + 67)) $((RY + 325)) 32 13 && fail "the brightness label did not change"
same_region "$render_shot" "$last" $((RX + IMAGE_X)) $((RY + IMAGE_Y)) $IMAGE_SIZE $IMAGE_SIZE \
    && fail "the picture did not follow the brightness"
drag $((RX + ZOOM_THUMB_X)) $((RY + ZOOM_Y)) 50
shot zoom-drag
zoom_shot=$last
same_region "$bright_shot" "$last" $((RX + 54)) $((RY + 350)) 53 13 && fail "the zoom label did not change"
same_region "$bright_shot" "$last" $((RX + IMAGE_X)) $((RY + IMAGE_Y)) $IMAGE_SIZE $IMAGE_SIZE \
    && fail "the picture did not follow the zoom"
n=$(colours "$last" $((RX + IMAGE_X)) $((RY + IMAGE_Y)) $IMAGE_SIZE $IMAGE_SIZE)
[ "$n" -gt 20 ] || fail "the zoomed picture is uniform ($n colours)"

# Switch "Fit" and "Ortho" off; move and resize the main window.
xdotool mousemove $((MX + FIT_X)) $((MY + SWITCH_Y)) click 1
sleep 0.3
xdotool mousemove $((MX + ORTHO_X)) $((MY + SWITCH_Y)) click 1
sleep 0.3
shot switches-off
same_region "$zoom_shot" "$last" $((MX + AUTO_X - 10)) $((MY + SWITCH_Y - 10)) 64 20 \
    && fail "the switches did not change"
OX=$MX OY=$MY
xdotool windowmove "$win" 100 120 windowsize "$win" 800 450
sleep 1
geometry "$win"
MX=$X MY=$Y
[ "$MX,$MY,$WIDTH,$HEIGHT" = "100,120,800,450" ] || fail "the main window is at $MX,$MY ${WIDTH}x$HEIGHT"
shot moved-resized
switches_shot=$last
same_moved "$zoom_shot" $((OX + 8)) $((OY + 5)) "$last" $((MX + 8)) $((MY + 5)) 250 78 \
    || fail "the header label did not move with the window"

# "&Details" by its accelerator: the details window appears; Ctrl+C there puts the summary on the clipboard and
# Esc closes it. Its place is remembered in a section of its own.
xdotool mousemove $((MX + 300)) $((MY + 40)) key alt+d
dwin=$(timeout 20 xdotool search --sync --onlyvisible --name '^Details - washer_full_360.ies$' | head -n 1) || true
[ -n "$dwin" ] || fail "Alt+D did not open the details window"
xdotool windowmove "$dwin" 950 100
sleep 1
geometry "$dwin"
[ "$X,$Y" = "950,100" ] || fail "the details window did not move"
xdotool mousemove $((X + 100)) $((Y + 100)) key ctrl+c
sleep 0.5
timeout 10 xclip -selection clipboard -o >"$art/details-summary.txt" || fail "nothing on the clipboard after Ctrl+C"
[ "$(head -n 3 "$art/details-summary.txt")" = "File: $work/samples/washer_full_360.ies"$'\nFormat: IES LM-63-2002\nTEST: BW-2024-118' ] \
    || fail "the clipboard does not start with the washer's path and header: $(head -n 3 "$art/details-summary.txt")"
grep -Eq '^Luminous flux: [0-9,.]+ lm$' "$art/details-summary.txt" || fail "no luminous flux on the clipboard"
shot details-open
xdotool key Escape
sleep 0.5
[ -z "$(xdotool search --onlyvisible --name '^Details' || true)" ] || fail "Esc did not close the details window"

# Close the render window by its button, then the main window as a window manager would.
xdotool mousemove $((RX + CLOSE_X)) $((RY + CLOSE_Y)) click 1
sleep 1
[ -z "$(xdotool search --onlyvisible --name '^Render$' || true)" ] || fail "the render window is still shown"
shot render-closed
"$work/close_window" "$win" || fail "cannot ask the main window to close"
wait_gone "$pid" || fail "the program did not end after its main window was closed"
wait "$pid" || fail "the program ended with status $?"
pid=""
cp "$work/ies.ini" "$art/ies-after-first-run.ini"

expect_ini() { # expect_ini SECTION KEY VALUE
    [ "$(ini "$1" "$2")" = "$3" ] || fail "[$1] $2 is '$(ini "$1" "$2")', expected '$3'"
}
expect_ini Viewer LastFileName "$work/samples"
expect_ini Viewer State 0
expect_ini Viewer Width 800
expect_ini Viewer Height 450
expect_ini Viewer Left 100
expect_ini Viewer Top 120
expect_ini Viewer Fit 0
expect_ini Viewer Ortho 0
expect_ini Viewer Auto 1
expect_ini Render Left 1200
expect_ini Render Top 80
expect_ini Render Radiocity 0
expect_ini Details Left 950
expect_ini Details Top 100
brightness=$(ini Render Brightness)
zoom=$(ini Render Zoom)
echo "stored brightness $brightness, zoom $zoom"
[ "$brightness" -ge 30 ] || fail "the brightness drag was not stored ($brightness)"
[ "$zoom" -ge 1500 ] || fail "the zoom drag was not stored ($zoom)"

# === Second run, from another working folder: everything comes back ==========================================
start_program "$work"
geometry "$win"
echo "second run: main window at $X,$Y size ${WIDTH}x$HEIGHT"
[ "$X,$Y,$WIDTH,$HEIGHT" = "100,120,800,450" ] || fail "the geometry was not restored"
MX=$X MY=$Y
shot restart
same_region "$switches_shot" "$last" $((MX + AUTO_X - 10)) $((MY + SWITCH_Y - 10)) 64 20 \
    || fail "the switches were not restored"
# The working folder holds no IES file: a curve after clicking the first entry proves the folder came back.
xdotool mousemove $((MX + FILE1_X)) $((MY + FILE1_Y)) click 1
sleep 1
shot restart-first-file
[ "$(red_pixels "$last" $((MX + PANEL_X)) "$MY" $((800 - PANEL_X)) 450)" -gt 200 ] \
    || fail "the restored folder's first file shows no curves"

xdotool mousemove $((MX + 300)) $((MY + 40)) key alt+r
rwin=$(render_window) || true
[ -n "$rwin" ] || fail "Alt+R did not open the render window in the second run"
sleep 1
geometry "$rwin"
[ "$X,$Y" = "$RX,$RY" ] || fail "the render window came back at $X,$Y instead of $RX,$RY"
shot restart-render
same_region "$zoom_shot" "$last" $((RX + 67)) $((RY + 325)) 32 13 || fail "the brightness was not restored"
same_region "$zoom_shot" "$last" $((RX + 54)) $((RY + 350)) 53 13 || fail "the zoom was not restored"
n=$(colours "$last" $((RX + IMAGE_X)) $((RY + IMAGE_Y)) $IMAGE_SIZE $IMAGE_SIZE)
[ "$n" -gt 20 ] || fail "the restored render picture is uniform ($n colours)"

xdotool mousemove $((RX + CLOSE_X)) $((RY + CLOSE_Y)) click 1
sleep 0.5
"$work/close_window" "$win" || fail "cannot ask the main window to close"
wait_gone "$pid" || fail "the program did not end in the second run"
wait "$pid" || fail "the program ended with status $? in the second run"
pid=""
expect_ini Viewer LastFileName "$work/samples"
expect_ini Render Brightness "$brightness"
expect_ini Render Zoom "$zoom"
expect_ini Viewer Fit 0

# === Under a window manager: frames, a maximise button and a minimise button of its own ======================
openbox >"$art/openbox.log" 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null || true; cleanup' EXIT
wm_up() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
for _ in $(seq 50); do
    wm_up && break
    sleep 0.2
done
wm_up || fail "the window manager did not start: $(cat "$art/openbox.log")"
# Maximised, closed, started again: the normal window's place is written, the same at every cycle although
# the maximised frame has no border.
for cycle in 1 2 3; do
    sed -i 's/^State=2/State=0/' "$work/ies.ini"
    start_program "$work"
    # Asked again while it has not happened: a request that comes before the window is managed is lost.
    for _ in $(seq 20); do
        "$work/close_window" "$win" maximise || fail "cannot ask the window manager to maximise"
        sleep 0.5
        geometry "$win"
        [ "$WIDTH" -gt 1000 ] && break
    done
    [ "$WIDTH" -gt 1000 ] || fail "the window manager did not maximise the main window"
    "$work/close_window" "$win"
    wait_gone "$pid" || fail "the program did not end after the maximised close"
    wait "$pid" || fail "the program ended with status $? after the maximised close"
    pid=""
    expect_ini Viewer State 2
    expect_ini Viewer Left 100
    expect_ini Viewer Top 120
    expect_ini Viewer Width 800
done
echo "three maximised closes kept the normal window at 100,120"

# The render window offers no minimising: minimised by the window manager all the same, it comes back.
sed -i 's/^State=2/State=0/' "$work/ies.ini"
start_program "$work"
xdotool mousemove --window "$win" $FILE1_X $FILE1_Y click 1
sleep 1
xdotool windowactivate --sync "$win" key alt+r
rwin=$(render_window) || true
[ -n "$rwin" ] || fail "Alt+R did not open the render window under the window manager"
xdotool windowminimize "$rwin"
for _ in $(seq 50); do
    sleep 0.2
    xprop -id "$rwin" WM_STATE | grep -q 'window state: Normal' && break
done
xprop -id "$rwin" WM_STATE | grep -q 'window state: Normal' || fail "the render window stayed minimised"
shot render-after-minimise
"$work/close_window" "$win"
wait_gone "$pid" || fail "the program did not end under the window manager"
wait "$pid" || fail "the program ended with status $? under the window manager"
pid=""
echo "PASS ($step screenshots in $art)"
