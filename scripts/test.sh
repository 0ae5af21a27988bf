#!/usr/bin/env bash
# Installs what is missing, then checks everything (what .ci/run calls): formatting, the desktop
# files, the normal build first, so that the common failures show early, then two lanes side by
# side on the two cores: the suite in the normal build, the suite under AddressSanitizer/UBSan,
# then the Windows build and its tests under Wine;
# and fuzzing of the conjugation engine, then the page of the browser build in Chromium, WebKitGTK
# and Firefox ESR. Each lane's stages write to build/logs/, printed when one fails. The tests that
# read numbers or letters run once more under the decimal-comma locale id_ID.UTF-8 (see
# tests/CMakeLists.txt). At the end, and on failure, a table of each stage's time.
#   bash scripts/test.sh --quick   the everyday loop: formatting, desktop files, an incremental
#                                  normal build, its suite beside the page in Chromium alone; no
#                                  fuzzing, no sanitizer build
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

flags quick -- "$@"

prefix=
finish() {
    local status=$?
    [ -z "$prefix" ] || rm -rf "$prefix"
    stage_done failed
    stage_times "$([ "$status" = 0 ] && echo passed || echo failed)"
}
trap finish EXIT

# The monkey test takes a shorter walk in the everyday loop.
if $quick; then export VELMORA_MONKEY_STEPS=${VELMORA_MONKEY_STEPS:-500}; fi

stage "installing what is missing"
bash scripts/setup.sh test web windows
use_ccache

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
logs=$PWD/build/logs
rm -rf "$logs"
mkdir -p "$logs"

stage "formatting"
# One version on every Debian, so that the verdict is the same on each: another version formats a
# few places differently. A missing or crashing clang-format fails here too.
if ! report=$(git ls-files -z '*.cpp' '*.h' | xargs -0 -r clang-format-19 --dry-run --Werror 2>&1); then
    echo "$report" | head -20
    unformatted=$(echo "$report" | grep -c 'clang-format-violations' || true)
    if [ "$unformatted" -gt 0 ]; then
        echo "clang-format: $unformatted places need formatting (run clang-format-19 -i)"
    else
        echo "clang-format failed, see above (bash scripts/setup.sh test installs it)"
    fi
    exit 1
fi

stage "desktop files"
desktop-file-validate packaging/*.desktop
appstreamcli validate --no-net --explain packaging/*.metainfo.xml

stage "building (normal)"
cmake --preset debug "${launcher[@]}" >/dev/null
cmake --build --preset debug -j "$jobs"

stage "install (smoke check)"
prefix=$(mktemp -d)
cmake --install build/debug --prefix "$prefix" >/dev/null
for f in bin/velmora-kanji share/applications/org.velmora.Kanji.desktop \
    share/icons/hicolor/scalable/apps/org.velmora.Kanji.svg \
    share/metainfo/org.velmora.Kanji.metainfo.xml; do
    [ -f "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done
echo "installed: bin, desktop entry, icon, metainfo"
stage_done

# The stages of the lanes, one function each.
normal_suite() { ctest --preset debug -j "$jobs"; }
fuzzing() {
    cmake --preset fuzz "${launcher[@]}"
    cmake --build --preset fuzz -j "$jobs"
    mkdir -p build/fuzz/corpus
    build/fuzz/tests/fuzz/conjugation_fuzz -max_total_time="${FUZZ_SECONDS:-60}" \
        -print_final_stats=1 build/fuzz/corpus
}
sanitizer_build() {
    cmake --preset asan "${launcher[@]}"
    cmake --build --preset asan -j "$jobs"
}
sanitizer_suite() { ctest --preset asan -j "$jobs"; }
# The page's tests also compare its sources with the debug preset's (build/debug).
browser_build() { bash scripts/web.sh --build-only; }
# The everyday loop takes one engine: the same cases run in the other two in the full run.
browser_suite() {
    if $quick; then
        ctest --preset web -j "$jobs" -L quick
    else
        ctest --preset web -j "$jobs"
    fi
}
windows_suite() { bash scripts/windows.sh --test; }

# Runs `title:function` pairs (split at the last colon) in turn, each into its own log, and stops at the first that fails.
# Each adds a row "seconds result title" to the lane's file in $logs. A function runs in a
# background subshell, not as an if's condition, where errexit would be off.
lane() {
    local name=$1 item title run start result
    shift
    for item in "$@"; do
        title=${item%:*} run=${item##*:}
        start=$SECONDS
        echo "== $title (lane $name, log build/logs/$run.log)" >&2
        ("$run") >"$logs/$run.log" 2>&1 &
        result=passed
        wait $! || result=failed
        echo "$((SECONDS - start)) $result $title" >>"$logs/$name.lane"
        echo "   $title: $result in $((SECONDS - start)) s" >&2
        if [ $result = failed ]; then
            echo "$run $title" >>"$logs/failed"
            return 1
        fi
    done
}

if $quick; then
    lane A "testing (normal)":normal_suite &
    lane B "building (browser)":browser_build "testing (browser: Chromium)":browser_suite &
else
    lane A "testing (normal)":normal_suite \
        "building (address and undefined-behaviour sanitizers)":sanitizer_build \
        "testing (sanitizers)":sanitizer_suite \
        "building and testing (Windows, under Wine)":windows_suite &
    lane B "fuzzing the conjugation engine (${FUZZ_SECONDS:-60} s)":fuzzing \
        "building (browser)":browser_build \
        "testing (browser: Chromium, WebKitGTK, Firefox ESR)":browser_suite &
fi
wait

for file in "$logs"/*.lane; do
    while read -r seconds result title; do
        stage_rows+=("$(printf '%4d:%02d  %-7s %s' $((seconds / 60)) $((seconds % 60)) "$result" \
            "$title (lane $(basename "$file" .lane))")")
    done <"$file"
done
if [ -f "$logs/failed" ]; then
    failed=()
    while read -r run title; do
        printf '\n---- %s: build/logs/%s.log ----\n' "$title" "$run"
        cat "$logs/$run.log"
        failed+=("$title")
    done <"$logs/failed"
    printf '\nfailed: %s (the log of each above)\n' "$(IFS=,; echo "${failed[*]}" | sed 's/,/, /g')"
    exit 1
fi
if ! $quick; then
    grep -E 'stat::number_of_executed_units' "$logs/fuzzing.log"
fi
echo "all checks passed"
