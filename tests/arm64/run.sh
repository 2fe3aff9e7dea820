#!/usr/bin/env bash
# The Qt-free build cross-compiled for 64-bit ARM (aarch64) and run under qemu-user on this machine:
#  1. googletest cross-built from Debian's sources (/usr/src/googletest), once;
#  2. gonilux-cli built natively and the core, gonilux-cli and the core suites cross-built, both without Qt;
#  3. the core suites run under qemu-aarch64;
#  4. info (summary, --dump, --json), check --json, render -o x.pgm and convert -o x.ies run by both programs over
#     the samples and the shared corpus: text and images must be identical, numbers in --dump, --json and the
#     written IES file may differ in their digits but must agree within one unit in the last place of a double.
#     The counts are printed, and the render's time under emulation against the native one.
# Usage: tests/arm64/run.sh [BUILD_FOLDER]   (default build/arm64; JOBS=2 by default)
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(mkdir -p "${1:-$root/build/arm64}" && cd "${1:-$root/build/arm64}" && pwd)
jobs=${JOBS:-2}
toolchain=$root/cmake/aarch64-linux-gnu.cmake
corpus=$(cd "$root/.." && pwd)/shared/ies-corpus
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
step() { printf '== %s (%s)\n' "$1" "$(date +%T)"; }

for tool in aarch64-linux-gnu-g++ qemu-aarch64 cmake ninja; do
    command -v "$tool" >/dev/null || { echo "missing $tool (make test-arm64 installs it)" >&2; exit 1; }
done
[ -f /usr/src/googletest/CMakeLists.txt ] || { echo "missing /usr/src/googletest (package googletest)" >&2; exit 1; }

step "googletest for aarch64"
gtest=$build/googletest
if [ ! -f "$gtest/prefix/lib/cmake/GTest/GTestConfig.cmake" ]; then
    cmake -S /usr/src/googletest -B "$gtest/build" -G Ninja --toolchain "$toolchain" "${launcher[@]}" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON -DCMAKE_INSTALL_PREFIX="$gtest/prefix" \
        >/dev/null
    cmake --build "$gtest/build" -j "$jobs" >/dev/null
    cmake --install "$gtest/build" >/dev/null
fi

step "native gonilux-cli without Qt"
cmake -S "$root" -B "$build/native" -G Ninja "${launcher[@]}" -DCMAKE_BUILD_TYPE=Release -DGONILUX_WITH_QT=OFF \
    -DGONILUX_BUILD_TESTS=OFF -DGONILUX_BUILD_BENCH=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON >/dev/null
cmake --build "$build/native" -j "$jobs" --target gonilux-cli
"${CXX:-c++}" -std=c++20 -O2 -o "$build/numeric_diff" "$root/tests/arm64/numeric_diff.cpp"

step "aarch64 core, gonilux-cli and core suites without Qt"
cmake -S "$root" -B "$build/cross" -G Ninja --toolchain "$toolchain" "${launcher[@]}" -DCMAKE_BUILD_TYPE=Release \
    -DGONILUX_WITH_QT=OFF -DGONILUX_BUILD_BENCH=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON \
    -DGTest_DIR="$gtest/prefix/lib/cmake/GTest" >/dev/null
cmake --build "$build/cross" -j "$jobs"
# The ELF machine field (bytes 18 and 19) of an aarch64 program is 183.
[ "$(od -An -tu2 -j18 -N2 "$build/cross/cli/gonilux-cli" | tr -d ' ')" = 183 ] ||
    { echo "gonilux-cli is not an aarch64 program" >&2; exit 1; }

step "core suites under qemu-aarch64"
ctest --test-dir "$build/cross" -j "$jobs" --output-on-failure

step "native and aarch64 gonilux-cli compared"
native=$build/native/cli/gonilux-cli
emulated=$build/cross/gonilux-cli-emulated
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
files=()
while IFS= read -r -d '' f; do files+=("$f"); done < <(
    find "$root/samples" "$corpus" -type f \( -iname '*.ies' -o -iname '*.ldt' \) -print0 2>/dev/null | sort -z)

declare -A identical equal different
kinds=("info" "info --dump" "info --json" "check --json" "render -o x.pgm" "convert -o x.ies")
for kind in "${kinds[@]}"; do identical[$kind]=0 equal[$kind]=0 different[$kind]=0; done
nativeRender=0 emulatedRender=0

# Runs one command of kind on file with program into folder: exit code, standard output and standard error (the
# render's time line left out), and the image.
run() {
    local program=$1 kind=$2 file=$3 folder=$4
    mkdir -p "$folder"
    local status=0
    case $kind in
    "render -o x.pgm") (cd "$folder" && "$program" render "$file" -o x.pgm >out 2>err) || status=$? ;;
    # The written file is compared as output, a word or number a line: its numbers may differ in their last digits
    # where extended reals differ, and so the places where its lines wrap.
    "convert -o x.ies")
        (cd "$folder" && "$program" convert "$file" -o x.ies >out 2>err) || status=$?
        if [ -f "$folder/x.ies" ]; then tr -s ' \r\n' '\n' <"$folder/x.ies" >>"$folder/out"; fi
        ;;
    *) (cd "$folder" && "$program" $kind "$file" >out 2>err) || status=$? ;;
    esac
    echo "$status" >"$folder/status"
    sed -i '/Rendering time: /d' "$folder/err"
}
# CPU seconds (user and system) used so far by the finished children of this shell: the machine may be shared,
# so the render's cost is measured in CPU time rather than by the clock.
# (times must run in this shell, not in a subshell of its own: the result is left in cpu.)
childCpu() {
    times >"$scratch/times"
    cpu=$(awk 'NR == 2 { split($1, u, /[ms]/); split($2, s, /[ms]/); print u[1] * 60 + u[2] + s[1] * 60 + s[2] }' \
        "$scratch/times")
}

for file in "${files[@]}"; do
    for kind in "${kinds[@]}"; do
        rm -rf "$scratch/n" "$scratch/e"
        childCpu; t0=$cpu; run "$native" "$kind" "$file" "$scratch/n"
        childCpu; t1=$cpu; run "$emulated" "$kind" "$file" "$scratch/e"
        childCpu; t2=$cpu
        if [ "$kind" = "render -o x.pgm" ]; then
            nativeRender=$(echo "$nativeRender $t0 $t1" | awk '{ print $1 + $3 - $2 }')
            emulatedRender=$(echo "$emulatedRender $t1 $t2" | awk '{ print $1 + $3 - $2 }')
        fi
        verdict=identical
        for part in status err x.pgm; do
            if [ -e "$scratch/n/$part" ] || [ -e "$scratch/e/$part" ]; then
                cmp -s "$scratch/n/$part" "$scratch/e/$part" || verdict=different
            fi
        done
        if [ $verdict = identical ]; then
            status=0
            "$build/numeric_diff" "$scratch/n/out" "$scratch/e/out" >"$scratch/why" || status=$?
            case $status in
            0) ;;
            1) [[ $kind == *--dump || $kind == *--json || $kind == convert* ]] && verdict=equal || verdict=different ;;
            *) verdict=different ;;
            esac
        fi
        case $verdict in
        identical) identical[$kind]=$((identical[$kind] + 1)) ;;
        equal) equal[$kind]=$((equal[$kind] + 1)) ;;
        different)
            different[$kind]=$((different[$kind] + 1))
            echo "DIFFERENT: $kind $file" >&2
            cat "$scratch/why" >&2 2>/dev/null || true
            ;;
        esac
    done
done

echo "Files compared: ${#files[@]} (samples and $corpus)"
failed=0
for kind in "${kinds[@]}"; do
    printf '  %-16s %3d identical, %3d numerically equal, %3d different\n' "$kind" "${identical[$kind]}" \
        "${equal[$kind]}" "${different[$kind]}"
    failed=$((failed + different[$kind]))
done
awk -v n="$nativeRender" -v e="$emulatedRender" -v c="${#files[@]}" 'BEGIN {
    printf "Render of %d files (300 x 300, one process each), CPU time: native %.2f s, aarch64 under qemu %.2f s (%.0f times)\n",
        c, n, e, (n > 0 ? e / n : 0) }'
if [ "$failed" -ne 0 ]; then
    echo "aarch64 and native outputs differ in $failed runs" >&2
    exit 1
fi
echo "aarch64 build agrees with the native one"
