#!/usr/bin/env bash
# Installs what is missing, then checks everything (what .ci/run calls): formatting, the desktop
# files, fuzzing of the conjugation engine, the suite under AddressSanitizer/UBSan, and the suite
# in a normal build, once in the C locale and once under the decimal-comma locale id_ID.UTF-8, and
# the page of the browser build in Chromium, WebKitGTK and Firefox ESR.
#   bash scripts/test.sh --quick   the everyday loop: formatting, desktop files, an incremental
#                                  normal build and one ctest run, the page's tests; no fuzzing,
#                                  no sanitizer build
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

quick=false
case ${1:-} in
--quick) quick=true ;;
"") ;;
*) echo "usage: bash scripts/test.sh [--quick]" >&2 && exit 2 ;;
esac

# The monkey test takes a shorter walk in the everyday loop.
if $quick; then export VELMORA_MONKEY_STEPS=${VELMORA_MONKEY_STEPS:-500}; fi

stage "installing what is missing"
bash scripts/setup.sh test web
use_ccache

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

stage "formatting"
unformatted=$(git ls-files '*.cpp' '*.h' | xargs -r clang-format --dry-run 2>&1 | grep -c warning || true)
if [ "$unformatted" -ne 0 ]; then
    git ls-files '*.cpp' '*.h' | xargs -r clang-format --dry-run 2>&1 | grep warning | head -20
    echo "clang-format: $unformatted lines need formatting (run clang-format -i)"
    exit 1
fi

stage "desktop files"
desktop-file-validate packaging/*.desktop
appstreamcli validate --no-net --explain packaging/*.metainfo.xml

if ! $quick; then
    stage "fuzzing the conjugation engine (${FUZZ_SECONDS:-60} s)"
    CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DVELMORA_FUZZ=ON "${launcher[@]}" >/dev/null
    cmake --build build/fuzz -j "$jobs"
    mkdir -p build/fuzz/corpus
    if ! build/fuzz/tests/fuzz/conjugation_fuzz -max_total_time="${FUZZ_SECONDS:-60}" \
        -print_final_stats=1 build/fuzz/corpus >build/fuzz/fuzz.log 2>&1; then
        tail -40 build/fuzz/fuzz.log
        echo "fuzzing found a failure"
        exit 1
    fi
    grep -E 'stat::number_of_executed_units' build/fuzz/fuzz.log

    stage "building (address and undefined-behaviour sanitizers)"
    cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON \
        -DVELMORA_BENCHMARKS=OFF -DVELMORA_WERROR=ON "${launcher[@]}" >/dev/null
    cmake --build build/asan -j "$jobs"
    stage "testing (sanitizers)"
    ctest --test-dir build/asan --output-on-failure -j "$jobs"
fi

stage "building (normal)"
cmake -S . -B build/debug -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_WERROR=ON \
    "${launcher[@]}" >/dev/null
cmake --build build/debug -j "$jobs"

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
ctest --test-dir build/debug --output-on-failure -j "$jobs"

# The page's tests also compare its sources with build/debug's.
stage "building (browser)"
bash scripts/web.sh --build-only >/dev/null
stage "testing (browser: Chromium, WebKitGTK, Firefox ESR)"
ctest --test-dir build/web-build --output-on-failure -j "$jobs"

if ! $quick; then
    # QApplication takes the C library's locale from the environment: numbers, case and sorting
    # must not change with it.
    stage "testing (normal, under LC_ALL=id_ID.UTF-8)"
    LC_ALL=id_ID.UTF-8 ctest --test-dir build/debug --output-on-failure -j "$jobs"
fi
stage "all checks passed"
