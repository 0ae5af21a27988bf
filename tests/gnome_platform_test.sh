#!/usr/bin/env bash
# With a Wayland compositor and an X server both running, a session that calls itself GNOME gets
# the program as an X client while Qt is older than 6.8 (XWayland there, so that GNOME draws its
# title bar), and as a native Wayland client from 6.8 on, when Qt draws a title bar of GNOME's
# style; any other desktop, KDE here, gets it as a native Wayland client.
#   bash tests/gnome_platform_test.sh <program> <Qt version of its build>
#                                                   (needs xvfb-run, xwininfo, weston)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/subreaper.sh"
title="Velmora University: Online Kanji Learning Program"

case ${1:-} in
--in-x) # under Xvfb: start weston too, keeping the X display
    exec bash "$here/weston_session.sh" env DISPLAY="$DISPLAY" bash "$0" --in-both "$2" "$3" ;;
--in-both) # both servers: where does the window of each desktop appear?
    program=$2
    # The Qt the program runs on: the version in the file name of the QtCore it loads, else the
    # one it was built with (a static build).
    core=$(ldd "$program" | awk '$1 ~ /^libQt6Core\.so/ { print $3 }') qt=
    [ -z "$core" ] || qt=$(readlink -f "$core" | sed -n 's/.*\.so\.\([0-9]*\.[0-9]*\).*/\1/p')
    qt=${qt:-$3}
    major=${qt%%.*} minor=${qt#*.} minor=${minor%%.*}
    gnome=wayland
    if [ "$major" -lt 6 ] || { [ "$major" -eq 6 ] && [ "$minor" -lt 8 ]; }; then gnome=x11; fi
    echo "Qt $qt"
    status=0
    for desktop in GNOME KDE; do
        log=$(mktemp)
        XDG_CURRENT_DESKTOP=$desktop WAYLAND_DEBUG=client "$program" 2>"$log" &
        pid=$!
        found=
        for _ in $(seq 150); do
            if xwininfo -root -tree | grep -qF "\"$title\""; then
                found=x11 && break
            fi
            # libwayland logs an object as "name@id" before 1.23, as "name#id" from it on.
            if grep -qE "xdg_toplevel[@#]" "$log" && grep -qF "set_title(\"$title\")" "$log"; then
                found=wayland && break
            fi
            sleep 0.2
        done
        kill $pid 2>/dev/null || true
        wait $pid 2>/dev/null || true
        wanted=$([ $desktop = GNOME ] && echo $gnome || echo wayland)
        echo "XDG_CURRENT_DESKTOP=$desktop: window on ${found:-nothing} (wanted $wanted)"
        if [ "$found" != "$wanted" ]; then
            status=1
            grep -v "^\[" "$log" | tail -20
        fi
        rm -f "$log"
    done
    exit $status ;;
esac

# A random first display number, so that xvfb-run started elsewhere at the same moment does not
# race this one for the same display. -noreset: a bare Xvfb otherwise starts anew whenever its
# last client leaves, as the program's own check does just before Qt connects, and refuses
# connections meanwhile; a desktop's X server always has clients.
[ $# -eq 2 ] || { echo "usage: bash ${0##*/} <program> <Qt version of its build>" >&2; exit 2; }
# In the background: bash acts on INT only once a command in the foreground has ended.
xvfb-run -a -n $((100 + RANDOM % 400)) -s "-screen 0 1280x1024x24 -noreset" \
    bash "$0" --in-x "$1" "$2" &
wait $!
