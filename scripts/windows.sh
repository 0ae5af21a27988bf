#!/usr/bin/env bash
# Builds the Windows program with Debian's MinGW-w64 (the windows preset) and leaves in
# build/windows/ the executable velmora-kanji.exe, its per-user installer
# velmora-kanji-<version>-setup.exe and velmora-kanji-<version>-windows-x64.zip, which holds the
# executable alone.
#   bash scripts/windows.sh          install what is missing, build, and print the paths of the
#                                    three files; the executable's is the last line
#   bash scripts/windows.sh --test   build, then run the Windows tests under Wine
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

flags test -- "$@"

bash scripts/setup.sh windows >&2
use_ccache
out=build/windows # the windows preset's binaryDir
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

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/CMakeCache.txt")
files=("$out/velmora-kanji-$version-setup.exe" "$out/velmora-kanji-$version-windows-x64.zip"
    "$out/velmora-kanji.exe")
for file in "${files[@]}"; do
    [ -f "$file" ] || { echo "windows.sh: the build left no $file" >&2; exit 1; }
done
stage "$(stat -c '%n: %s bytes' "${files[@]}" | paste -sd ' ')"
printf '%s\n' "${files[@]/#/$PWD/}"
