#!/bin/bash
# End-to-end run of the real program with its real message boxes (no test seam): under a virtual X server,
# a file of binary bytes is selected, its error box is answered with Enter, and the window must go on to load a
# good file by arrow key. The settings path is a folder, so closing reports "Unable to write to" in a box for
# each window's section; after those boxes the program ends normally and the folder is left as it was.
# Usage: e2e_messages.sh <gonilux binary> <samples folder> <close-window helper> <artefacts folder>
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
    mkdir -p "$artefacts" "$work/samples" "$work/ies.ini"
    cp "$app" "$work/gonilux"
    cp "$closer" "$work/close_window"
    # The first entry: the program's own first 64 KB, a file of binary bytes. The second: a good file.
    head -c 65536 "$app" >"$work/samples/a_binary.ies"
    cp "$samples/washer_full_360.ies" "$work/samples/b_good.ies"
    status=0
    timeout 240 xvfb-run -a -s "-screen 0 1600x1000x24" "$self" --inside "$work" "$(readlink -f "$artefacts")" \
        || status=$?
    if [ ! -e "$work/x-server-up" ]; then
        echo "SKIP: the virtual X server did not start (status $status)"
        exit 77
    fi
    exit $status
fi

work=$2
art=$3
touch "$work/x-server-up"
# shellcheck source=e2e_common.sh
source "$(dirname "$0")/e2e_common.sh"
# Visible windows captioned "Gonilux" other than the main window: the message boxes.
boxes() {
    xdotool search --onlyvisible --name '^Gonilux$' 2>/dev/null | grep -vx "$win" || true
}
# Answers every box that shows up within ten seconds with Enter; sets answered to how many there were.
answered=0
answer_boxes() {
    answered=0
    local box
    for _ in $(seq 40); do
        box=$(boxes | head -n 1)
        if [ -z "$box" ]; then
            [ "$answered" -gt 0 ] && break
            sleep 0.25
            continue
        fi
        shot "box"
        xdotool windowfocus "$box" 2>/dev/null || true
        xdotool key Return
        answered=$((answered + 1))
        sleep 0.5
    done
}

(cd "$work/samples" && exec "$work/gonilux") &
pid=$!
win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Gonilux$' | head -n 1) || true
[ -n "$win" ] || fail "the main window did not appear"
sleep 0.5
[ -z "$(boxes)" ] || fail "a message at start although the settings folder only cannot be written"
eval "$(xdotool getwindowgeometry --shell "$win")"
MX=$X MY=$Y

# The binary file: its error is shown in a box, answered with Enter.
xdotool mousemove $((MX + 240)) $((MY + 146)) click 1
answer_boxes
echo "boxes after selecting the binary file: $answered"
[ "$answered" -ge 1 ] || fail "no message box for a file of binary bytes"
kill -0 "$pid" 2>/dev/null || fail "the program ended"

# The window goes on: the arrow key loads the good file and its curves appear.
# (A click on the entry already selected gives the list the keyboard back without loading again.)
xdotool mousemove $((MX + 240)) $((MY + 146)) click 1
sleep 0.5
[ -z "$(boxes)" ] || fail "clicking the selected entry again loaded it again"
xdotool key Down
sleep 1
shot good-file
red=$(red_pixels "$last" $((MX + 409)) "$MY" 311 401)
echo "red pixels after the good file: $red"
[ "$red" -gt 200 ] || fail "the good file shows no curves after the error"
[ -z "$(boxes)" ] || fail "a message box for the good file"

# Closing: one box for the main window's section, one for the render window's; then the program ends.
"$work/close_window" "$win" || fail "cannot ask the main window to close"
closing=0
for _ in $(seq 3); do
    answer_boxes
    closing=$((closing + answered))
    kill -0 "$pid" 2>/dev/null || break
done
echo "boxes while closing: $closing"
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
kill -0 "$pid" 2>/dev/null && fail "the program did not end after its boxes were answered"
wait "$pid" || fail "the program ended with status $?"
pid=""
[ "$closing" -eq 2 ] || fail "$closing boxes while closing, expected one per section"
[ -d "$work/ies.ini" ] || fail "the settings path is no longer the folder it was"
[ -z "$(ls -A "$work/ies.ini")" ] || fail "something was written into the settings folder"
echo "PASS ($step screenshots in $art)"
