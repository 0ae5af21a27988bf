#!/usr/bin/env bash
# Installs what is missing, then checks everything (what .ci/run calls): formatting, the desktop
# files, fuzzing of the conjugation engine, the suite under AddressSanitizer/UBSan, and the suite
# in a normal build, once in the C locale and once under the decimal-comma locale id_ID.UTF-8, and
# the page of the browser build in Chromium, WebKitGTK and Firefox ESR, and the Windows build
# under Wine.
#   bash scripts/test.sh --quick   the everyday loop: formatting, desktop files, an incremental
#                                  normal build and one ctest run, the page's tests; no fuzzing,
#                                  no sanitizer build
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

flags quick -- "$@"

# The monkey test takes a shorter walk in the everyday loop.
if $quick; then export VELMORA_MONKEY_STEPS=${VELMORA_MONKEY_STEPS:-500}; fi

stage "installing what is missing"
bash scripts/setup.sh test web
use_ccache

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

stage "formatting"
# A missing or crashing clang-format fails here too, rather than finding nothing to mend.
if ! report=$(git ls-files -z '*.cpp' '*.h' | xargs -0 -r clang-format --dry-run --Werror 2>&1); then
    echo "$report" | head -20
    unformatted=$(echo "$report" | grep -c 'clang-format-violations' || true)
    if [ "$unformatted" -gt 0 ]; then
        echo "clang-format: $unformatted places need formatting (run clang-format -i)"
    else
        echo "clang-format failed, see above (bash scripts/setup.sh test installs it)"
    fi
    exit 1
fi

stage "desktop files"
desktop-file-validate packaging/*.desktop
appstreamcli validate --no-net --explain packaging/*.metainfo.xml

if ! $quick; then
    stage "fuzzing the conjugation engine (${FUZZ_SECONDS:-60} s)"
    cmake --preset fuzz "${launcher[@]}" >/dev/null
    cmake --build --preset fuzz -j "$jobs"
    mkdir -p build/fuzz/corpus
    if ! build/fuzz/tests/fuzz/conjugation_fuzz -max_total_time="${FUZZ_SECONDS:-60}" \
        -print_final_stats=1 build/fuzz/corpus >build/fuzz/fuzz.log 2>&1; then
        tail -40 build/fuzz/fuzz.log
        echo "fuzzing found a failure"
        exit 1
    fi
    grep -E 'stat::number_of_executed_units' build/fuzz/fuzz.log

    stage "building (address and undefined-behaviour sanitizers)"
    cmake --preset asan "${launcher[@]}" >/dev/null
    cmake --build --preset asan -j "$jobs"
    stage "testing (sanitizers)"
    ctest --preset asan -j "$jobs"
fi

stage "building (normal)"
cmake --preset debug "${launcher[@]}" >/dev/null
cmake --build --preset debug -j "$jobs"

stage "install (smoke check)"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install build/debug --prefix "$prefix" >/dev/null
for f in bin/velmora-kanji share/applications/org.velmora.Kanji.desktop \
    share/icons/hicolor/scalable/apps/org.velmora.Kanji.svg \
    share/metainfo/org.velmora.Kanji.metainfo.xml; do
    [ -f "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done
echo "installed: bin, desktop entry, icon, metainfo"

stage "testing (normal)"
ctest --preset debug -j "$jobs"

# The page's tests also compare its sources with the debug preset's (build/debug).
stage "building (browser)"
bash scripts/web.sh --build-only >/dev/null
if $quick; then
    stage "testing (browser: Chromium)"
    ctest --preset web -j "$jobs" -L quick
else
    stage "testing (browser: Chromium, WebKitGTK, Firefox ESR)"
    ctest --preset web -j "$jobs"
fi

stage "testing (Windows build, under Wine)"
bash scripts/windows.sh --test >/dev/null

if ! $quick; then
    # QApplication takes the C library's locale from the environment: numbers, case and sorting
    # must not change with it.
    stage "testing (normal, under LC_ALL=id_ID.UTF-8)"
    LC_ALL=id_ID.UTF-8 ctest --preset debug -j "$jobs"
fi
stage "all checks passed"
