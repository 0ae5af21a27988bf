#!/usr/bin/env bash
# Builds the page into build/web/ (its CMake tree is build/web-build/) and serves it on
# http://127.0.0.1:8000/ (or the port $PORT). That folder is the whole program: copy it to any
# static web host, or open its index.html from disk.
#   bash scripts/web.sh               build, print the address and serve until Ctrl+C
#   bash scripts/web.sh --build-only  build and print the folder's path as the last line
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

flags build-only -- "$@"

bash scripts/setup.sh web >&2
use_ccache
site=$PWD/build/web # the web preset's VELMORA_WEB_DIR
stage "building the page (emscripten)"
mkdir -p build
cmake --preset web "${launcher[@]}" >build/web-configure.log 2>&1 ||
    { cat build/web-configure.log >&2; exit 1; }
cmake --build --preset web -j "$(nproc)" >&2

if $build_only; then
    echo "$site"
    exit 0
fi
port=${PORT:-8000}
if ! python3 -c 'import socket, sys; socket.socket().bind(("127.0.0.1", int(sys.argv[1])))' \
    "$port" 2>/dev/null; then
    echo "web.sh: port $port is taken; PORT=<another> bash scripts/web.sh serves on another" >&2
    exit 1
fi
stage "serving $site (Ctrl+C ends it)"
echo "http://127.0.0.1:$port/"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site"
