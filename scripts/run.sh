#!/usr/bin/env bash
# Installs what building and running need, builds the program, installs it for the current user
# (executable, desktop entry, icon, metainfo under ~/.local, or $PREFIX) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh run
prefix=${PREFIX:-$HOME/.local}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
echo "== building (release)"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_BENCHMARKS=OFF \
    "${launcher[@]}" >/dev/null
cmake --build build/release --target velmora-kanji
echo "== installing into $prefix"
cmake --install build/release --prefix "$prefix" >/dev/null
echo "Installed the files listed in build/release/install_manifest.txt"
echo "== starting $prefix/bin/velmora-kanji"
exec "$prefix/bin/velmora-kanji" "$@"
