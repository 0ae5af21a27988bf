#!/usr/bin/env bash
# Builds the Windows program with MinGW-w64 into build/windows/ (the windows preset) and, with
# --test, runs its tests under Wine on a private X server.
#   bash scripts/windows.sh          build; the executable's path is the last line
#   bash scripts/windows.sh --test   build, then run the Windows tests
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

flags test -- "$@"

bash scripts/setup.sh windows >&2
use_ccache
stage "building (Windows, MinGW-w64)"
mkdir -p build
cmake --preset windows "${launcher[@]}" >build/windows-configure.log 2>&1 ||
    { cat build/windows-configure.log >&2; exit 1; }
cmake --build --preset windows -j "$(nproc)" >&2

if $test; then
    stage "testing (Windows, under Wine)"
    # Under a window manager: without one, Wine waits two seconds for each window it hides.
    xvfb-run -a -s "-screen 0 1600x1200x24" bash -c \
        'openbox >/dev/null 2>&1 & trap "kill $!" EXIT; ctest --preset windows' >&2
fi
echo "$PWD/build/windows/app/velmora-kanji.exe"
