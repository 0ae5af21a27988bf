#!/usr/bin/env bash
# Runs a command as a test that ends all it starts, also when it fails, times out or is ended by
# TERM, INT or HUP (see subreaper.sh): for the tests that CTest starts through xvfb-run, which
# leaves its X server and its command running when TERM ends it.
#   bash tests/owned.sh <command> [arguments...]
set -euo pipefail
source "$(dirname "$0")/subreaper.sh"
"$@" &
wait $!
