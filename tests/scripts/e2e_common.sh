#!/bin/bash
# Shared pieces of the end-to-end runs, sourced inside the virtual X server: the program's clean-up, failure,
# screenshots that wait for the screen to settle, and pixel facts on them.
# Expects: art (the artefacts folder). Sets: pid (the program under test, killed on exit), step, last.
# E2E_PARK_MOUSE=1 moves the pointer to a corner before each screenshot (no hover highlight in the picture); runs
# that answer message boxes with keys leave it alone, since without a window manager focus follows the pointer.

pid=""
cleanup() {
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    exit 1
}

step=0
last=""
shot() { # shot NAME: the whole screen once it has stopped changing (at most 15 s), kept as an artefact
    step=$((step + 1))
    if [ "${E2E_PARK_MOUSE:-0}" = 1 ]; then
        xdotool mousemove 5 995
    fi
    last=$(printf '%s/%02d-%s.png' "$art" "$step" "$1")
    local previous="" current=""
    for _ in $(seq 50); do
        sleep 0.3
        import -window root -depth 8 "png:$last"
        current=$(md5sum <"$last")
        [ "$current" = "$previous" ] && return 0
        previous=$current
    done
    fail "the screen never settled for $1"
}
pixels() { # pixels FILE X Y W H: raw RGB bytes of a screen region
    convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -depth 8 rgb:-
}
red_pixels() { # pixels of the main curves' colour (255, 0, 0) in a region
    pixels "$@" | od -An -v -tx1 -w3 | grep -c '^ ff 00 00$' || true
}
colours() { # distinct colours in a region
    convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -format %k info:
}
