#!/usr/bin/env bash
# Saves pictures of both windows into docs/ (dictionary-window.png, expression-window.png),
# drawn on a real X server (Xvfb) the way a desktop shows them, and of the page in headless
# Chromium (browser-window.png), and of both windows on a phone 390 CSS px wide
# (phone-dictionary-window.png, phone-expression-window.png), and of both windows of the Windows
# build as Wine draws them (windows-dictionary-window.png, windows-expression-window.png).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
flags -- "$@"
bash scripts/setup.sh test # Xvfb is a test tool
use_ccache

cmake --preset release "${launcher[@]}" >/dev/null
cmake --build --preset release -j "$(nproc)" --target velmora-screenshots

mkdir -p docs
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
    build/release/tests/velmora-screenshots docs

site=$(bash scripts/web.sh --build-only | tail -1)
node tests/web/screenshot.js "$site" docs/browser-window.png >/dev/null
node tests/web/screenshot.js "$site" docs/phone-dictionary-window.png \
    docs/phone-expression-window.png --phone 390x844 --scale 2 >/dev/null
program=$(bash scripts/windows.sh | tail -1)
xvfb-run -a -s "-screen 0 1280x1024x24" \
    bash tests/win32/screenshots.sh "$program" docs build/windows/screenshots
ls -l docs/dictionary-window.png docs/expression-window.png docs/browser-window.png \
    docs/phone-dictionary-window.png docs/phone-expression-window.png \
    docs/windows-dictionary-window.png docs/windows-expression-window.png
