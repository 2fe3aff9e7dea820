#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (address and undefined-behaviour sanitizers) into build/fuzz and runs
# each for a bounded time from a seed corpus.
#
#   fuzz/run.sh [SECONDS] [TARGET...]    SECONDS per target (default 60); TARGET: ies_reader_fuzz, ldt_reader_fuzz,
#                                        profile_fuzz
#
# Seeds are copied into build/fuzz/seeds/ from samples/, the shared real-world corpus (read only) and
# tests/fixtures/, with files of 64 MB of line breaks and files with a 10 MB field added; inputs may grow to 64 MB
# (MAX_LEN). What the fuzzer finds worth keeping grows in build/fuzz/corpus/ from run to run. A crash, hang (over
# TIMEOUT seconds, default 120, for one input), leak or memory blow-up (over 2 GB) leaves its input in
# build/fuzz/artifacts/ and makes the script fail once every target has run.
set -uo pipefail

SECONDS_EACH=${1:-60}
shift || true
TARGETS=("$@")
[ ${#TARGETS[@]} -eq 0 ] && TARGETS=(ies_reader_fuzz ldt_reader_fuzz profile_fuzz)

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$ROOT/build/fuzz
CORPUS_SRC=${GONILUX_CORPUS_DIR:-$ROOT/../shared/ies-corpus}
CXX_FUZZ=${CXX_FUZZ:-clang++}
JOBS=${JOBS:-2}
# Seconds one input may take: a 64 MB input of line breaks takes over a minute under the sanitizers on a busy machine.
TIMEOUT=${TIMEOUT:-120}

cmake -S "$ROOT/fuzz" -B "$BUILD" -G Ninja -DCMAKE_CXX_COMPILER="$CXX_FUZZ" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    >/dev/null || exit 1
cmake --build "$BUILD" -j "$JOBS" --target "${TARGETS[@]}" || exit 1

# Copies every regular file under the given folders into a seed folder (flat; names made unique).
collect() {
    local dest=$1
    shift
    local n=0
    for src in "$@"; do
        [ -d "$src" ] || continue
        while IFS= read -r -d '' f; do
            n=$((n + 1))
            cp -- "$f" "$dest/$n-$(basename -- "$f" | tr -c 'A-Za-z0-9._-' '_')"
        done < <(find "$src" -type f -print0)
    done
}

# The largest input a target takes (-max_len), and the size of the hostile seeds below: files of nothing but line
# breaks, and files with one very long field, as the readers and the settings file may meet them.
MAX_LEN=${MAX_LEN:-$((64 << 20))}
LONG_FIELD=$((10 << 20))

# repeat C COUNT: COUNT bytes of the character C.
repeat() { head -c "$2" /dev/zero | tr '\0' "$1"; }

seed_hostile() {
    local dest=$1
    repeat '\n' "$MAX_LEN" >"$dest/newlines-lf"
    yes $'\r' | head -c "$MAX_LEN" >"$dest/newlines-crlf"
    local table='1 -1 1 3 1 1 2 0 0 0\r\n1 1 10\r\n0 45 90\r\n0\r\n'
    { printf 'IESNA:LM-63-2002\r\n[MANUFAC] '; repeat 'x' "$LONG_FIELD"; printf "\\r\\nTILT=NONE\\r\\n$table"'100 50 10\r\n'; } \
        >"$dest/long-header-field.ies"
    { printf "IESNA:LM-63-2002\\r\\nTILT=NONE\\r\\n$table"'100 50 '; repeat '7' "$LONG_FIELD"; printf '\r\n'; } \
        >"$dest/long-number.ies"
    { repeat 'L' "$LONG_FIELD"; printf '\r\n1\r\n1\r\n1\r\n0\r\n'; } >"$dest/long-first-line.ldt"
}

seed_ies() {
    local dest=$1
    collect "$dest" "$ROOT/samples" "$CORPUS_SRC" "$ROOT/tests/fixtures"
    seed_hostile "$dest"
}

# Profile seeds: section, key, value, probe section and probe key, each ended by a backslash and a blank (the
# string format of FuzzedDataProvider), then the settings file.
seed_profile() {
    local dest=$1
    local ini=$'[Viewer]\r\nState=0\r\nLastFileName=/home/u/Photometry\r\nWidth=720\r\nHeight=401\r\nLeft=152\r\nTop=183\r\nFit=1\r\nAuto=1\r\nOrtho=1\r\n[Render]\r\nLeft=600\r\nTop=120\r\nBrightness=15\r\nZoom=500\r\nRadiocity=0\r\n'
    printf '%s' 'Viewer\ Width\ 800\ Viewer\ Width\ ' "$ini" >"$dest/example-replace"
    printf '%s' 'Render\ Extra\ 1\ Render\ Zoom\ ' "$ini" >"$dest/example-append"
    printf '%s' 'New\ Key\  spaced value \ viewer\ HEIGHT\ ' "$ini" >"$dest/example-new-section"
    printf '%s' $'Viewer\\ Fit\\ 0\\ Viewer\\ Fit\\ ; comment\n[viewer]\n  fit = 1 \n\n; trailing\n[Other]\nx' \
        >"$dest/lf-comments"
    printf '%s' $'Viewer\\ Auto\\ 1\\ Viewer\\ Auto\\ [Viewer]\r\n[Viewer]\r\nAuto=0\r\n' >"$dest/repeated-section"
    collect "$dest" "$ROOT/tests/fixtures"
    { printf '%s' 'Viewer\ Width\ 800\ Viewer\ Width\ '; repeat '\n' "$((MAX_LEN / 8))"; } >"$dest/newlines-ini"
    { printf '%s' 'Viewer\ Width\ 800\ Viewer\ LastFileName\ '; printf '[Viewer]\r\nLastFileName='
        repeat 'x' "$LONG_FIELD"; printf '\r\nWidth=720\r\n'; } >"$dest/long-value-ini"
}

status=0
for target in "${TARGETS[@]}"; do
    seeds=$BUILD/seeds/$target
    corpus=$BUILD/corpus/$target
    artifacts=$BUILD/artifacts/$target
    rm -rf "$seeds"
    mkdir -p "$seeds" "$corpus" "$artifacts"
    case $target in
    ies_reader_fuzz | ldt_reader_fuzz) seed_ies "$seeds" ;;
    profile_fuzz) seed_profile "$seeds" ;;
    *) echo "unknown target $target" >&2; exit 2 ;;
    esac
    dict=$ROOT/fuzz/${target%_fuzz}.dict
    dict_opt=()
    [ -f "$dict" ] && dict_opt=(-dict="$dict")
    echo "== $target: ${SECONDS_EACH}s from $(ls "$seeds" | wc -l) seeds and $(ls "$corpus" | wc -l) kept inputs"
    log=$BUILD/$target.log
    (cd "$BUILD" && "./$target" "$corpus" "$seeds" "${dict_opt[@]}" -max_total_time="$SECONDS_EACH" -max_len="$MAX_LEN" \
        -timeout="$TIMEOUT" -rss_limit_mb=2048 -artifact_prefix="$artifacts/" -print_final_stats=1) >"$log" 2>&1
    rc=$?
    grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)|^#[0-9]+ +DONE' "$log"
    if [ $rc -ne 0 ]; then
        status=1
        echo "!! $target found a problem (exit $rc); see $log and $artifacts/" >&2
        grep -E 'ERROR:|SUMMARY:|Test unit written|_fuzz: ' "$log" >&2
    fi
done
exit $status
