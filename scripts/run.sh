#!/usr/bin/env bash
# Installs what is missing, builds the program, installs it for the current user (executable,
# desktop entry, icon, metainfo under ~/.local, or $PREFIX) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
prefix=${PREFIX:-$HOME/.local}
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_BENCHMARKS=OFF \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
cmake --build build/release --target velmora-kanji
cmake --install build/release --prefix "$prefix" >/dev/null
echo "Installed into $prefix"
exec "$prefix/bin/velmora-kanji" "$@"
