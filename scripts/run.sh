#!/usr/bin/env bash
# Installs what building and running need, builds the program, installs it for the current user
# (executable, desktop entry, icon, metainfo under ~/.local, or $PREFIX) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
bash scripts/setup.sh run
use_ccache
prefix=${PREFIX:-$HOME/.local}
stage "building (release)"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_BENCHMARKS=OFF \
    "${launcher[@]}" >/dev/null
cmake --build build/release --target velmora-kanji
stage "installing into $prefix"
cmake --install build/release --prefix "$prefix" >/dev/null
echo "Installed the files listed in build/release/install_manifest.txt"
stage "starting $prefix/bin/velmora-kanji"
exec "$prefix/bin/velmora-kanji" "$@"
