#!/usr/bin/env bash
# Runs a command as a client of a private, headless weston: a Wayland session with no X11 display
# and no platform chosen for Qt, as a GNOME Wayland session without Xwayland would be.
#   bash tests/weston_session.sh <command> [arguments...]
set -euo pipefail
source "$(dirname "$0")/subreaper.sh"

runtime=$(mktemp -d) # mode 0700, as a runtime directory must be
socket=wayland-velmora
weston=
finish() {
    [ -z "$weston" ] || { kill "$weston" 2>/dev/null; wait "$weston" 2>/dev/null; } || true
    end_started
    rm -rf "$runtime"
}
trap finish EXIT

# --idle-time=0: the desktop shell's screen lock would hide the windows after five minutes.
XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --use-pixman --no-config \
    --idle-time=0 --socket=$socket >"$runtime/weston.log" 2>&1 &
weston=$!
for _ in $(seq 100); do
    [ -S "$runtime/$socket" ] && break
    kill -0 "$weston" 2>/dev/null || break
    sleep 0.1
done
if [ ! -S "$runtime/$socket" ]; then
    cat "$runtime/weston.log" >&2
    echo "weston_session.sh: weston did not start" >&2
    exit 1
fi

# In the background: bash acts on INT only once a command in the foreground has ended.
env -u DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=$socket "$@" &
wait $!
