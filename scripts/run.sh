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
cmake --preset release "${launcher[@]}" >/dev/null
cmake --build --preset release --target velmora-kanji
stage "installing into $prefix"
cmake --install build/release --prefix "$prefix" >/dev/null
echo "Installed the files listed in build/release/install_manifest.txt"
stage "starting $prefix/bin/velmora-kanji"
exec "$prefix/bin/velmora-kanji" "$@"
