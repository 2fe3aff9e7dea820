#!/bin/bash
# Starts the real program under a virtual X server in a temporary copy of itself with the samples beside it,
# selects the first file with the mouse, grabs the screen and checks that the red main curves appear.
# Usage: startup_xvfb.sh <gonilux binary> <samples folder>
set -euo pipefail

if [ "${1:-}" != "--inside" ]; then
    self=$(readlink -f "$0")
    app=$(readlink -f "$1")
    samples=$(readlink -f "$2")
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    cp "$app" "$work/gonilux"
    cp "$samples"/*.ies "$work/"
    cd "$work"
    xvfb-run -a -s "-screen 0 1024x768x24" "$self" --inside "$work"
    exit $?
fi

work=$2
cd "$work"
width=1024
height=768

# Red pixels (255, 0, 0) on the whole screen.
red_pixels() {
    import -window root -depth 8 "ppm:$work/shot.ppm"
    tail -c $((width * height * 3)) "$work/shot.ppm" | od -An -v -tx1 -w3 | grep -c '^ ff 00 00$' || true
}

./gonilux &
pid=$!
cleanup() { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }
trap cleanup EXIT

window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Gonilux$' | head -n 1)
if [ -z "$window" ]; then
    echo "FAIL: the main window did not appear"
    exit 1
fi
sleep 0.5

before=$(red_pixels)
if [ "$before" -ne 0 ]; then
    echo "FAIL: $before red pixels before any file was selected"
    exit 1
fi

# The first entry of the file list: the list starts 212 pixels in and 137 down in the window.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 240)) $((Y + 146)) click 1
sleep 1

after=$(red_pixels)
echo "red pixels before: $before, after selecting a file: $after"
if [ "$after" -lt 200 ]; then
    echo "FAIL: the goniogram's curves did not appear"
    exit 1
fi
if ! kill -0 "$pid" 2>/dev/null; then
    echo "FAIL: the program ended"
    exit 1
fi
echo "PASS"
