#!/usr/bin/env bash
# On X11 a dock or task switcher ties a window to its menu entry through the entry's
# StartupWMClass and the window's WM_CLASS: the installed program's window must carry the class
# the installed entry names. The program starts with a WAYLAND_DISPLAY that names no socket, so
# this also shows that it falls back to X11.
#   bash tests/wm_class_test.sh <build dir>     (needs xvfb-run, xprop, xwininfo)
set -euo pipefail
source "$(dirname "$0")/subreaper.sh"

work=$(mktemp -d)
trap 'end_started; rm -rf "$work"' EXIT
DESTDIR=$work cmake --install "$1" --prefix /usr >/dev/null
entries=("$work"/usr/share/applications/*.desktop)
[ ${#entries[@]} -eq 1 ] || { echo "expected one installed desktop entry: ${entries[*]}"; exit 1; }
wanted=$(sed -n 's/^StartupWMClass=//p' "${entries[0]}")
[ -n "$wanted" ] || { echo "$(basename "${entries[0]}") names no StartupWMClass"; exit 1; }

# Prints the WM_CLASS of the program's mapped top-level window, found by its process id.
cat >"$work/wm-class.sh" <<'SCRIPT'
env -u QT_QPA_PLATFORM WAYLAND_DISPLAY=velmora-no-socket "$1" 2>"$2" &
pid=$!
trap 'kill $pid 2>/dev/null; wait $pid' EXIT
for _ in $(seq 150); do
    for window in $(xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) .*/\1/p'); do
        xwininfo -id "$window" | grep -q "Map State: IsViewable" || continue
        xprop -id "$window" _NET_WM_PID | grep -qx "_NET_WM_PID(CARDINAL) = $pid" || continue
        xprop -id "$window" WM_CLASS
        exit 0
    done
    sleep 0.2
done
echo "no window of the program was mapped"
exit 1
SCRIPT
# A random first display number, so that xvfb-run started elsewhere at the same moment does not
# race this one for the same display. In the background: bash acts on INT only once a command
# in the foreground has ended.
xvfb-run -a -n $((100 + RANDOM % 400)) bash "$work/wm-class.sh" "$work/usr/bin/velmora-kanji" \
    "$work/stderr" >"$work/found" &
wait $! || { cat "$work/found" "$work/stderr"; exit 1; }
found=$(cat "$work/found")
echo "$found"
echo "StartupWMClass=$wanted"
# WM_CLASS(STRING) = "<instance>", "<class>"; the entry names the class.
class=$(echo "$found" | sed -n 's/^WM_CLASS(STRING) = "[^"]*", "\([^"]*\)"$/\1/p')
[ "$class" = "$wanted" ] || { echo "the window's class '$class' is not the entry's '$wanted'"; exit 1; }
