#!/usr/bin/env bash
# The real screen reader: Orca, on a display of its own, hears the record that a search made by
# keyboard finds, once, and not again when the focus comes back to the button. Orca's debug log
# holds every SPEECH OUTPUT line, with no sound device. Exits 77 (skipped) where Orca or the
# session it needs is not installed.
# Orca speaks through a speech server of the session's own that plays to libao's null driver: no
# sound server or sound card is needed, and nothing the test starts outlives it.
#   bash tests/orca_test.sh <program>   (needs xvfb-run, dbus-run-session, openbox, at-spi2-core,
#                                        orca, speech-dispatcher, xdotool)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/subreaper.sh"

if [ "${1:-}" = --in-session ]; then
    program=$2 log=$3
    # Started here, the speech server stays a child of the test; one that Orca started would
    # detach and outlive it. Its configuration (see attempt) refuses any other start.
    socket=${SPEECHD_ADDRESS#unix_socket:}
    speech-dispatcher --run-single --timeout 0 --communication-method unix_socket \
        --socket-path "$socket" >/dev/null 2>&1 &
    openbox >/dev/null 2>&1 &
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    launcher=$!
    for _ in $(seq 100); do
        [ -S "$socket" ] && break
        sleep 0.1
    done
    # Orca's log is the same without it: said, not failed.
    [ -S "$socket" ] || echo "speech-dispatcher did not start; Orca speaks to no one" >&2
    # Orca writes its debug file line by line only to a terminal: `script` gives it one and keeps
    # what it shows in the log. Orca's own words (roles, messages) in English, whatever the locale.
    LANGUAGE=en LC_ALL=C.UTF-8 script -qfec "orca --debug-file /dev/tty" "$log" </dev/null >/dev/null 2>&1 &
    terminal=$!
    stop() {
        # Orca's signal handlers do not run while it waits in its main loop: end it outright, and
        # let `script`, its parent, reap it. An Orca orphaned where nothing reaps orphans (a
        # container's first process) stays a zombie that every later Orca takes for a running one.
        pkill -9 -P $terminal 2>/dev/null || true
        wait $terminal 2>/dev/null || true
        # The launcher ends the accessibility bus it started when it is asked to end, the speech
        # server its output modules.
        kill $(jobs -p) 2>/dev/null || true
        wait 2>/dev/null || true
        end_started
    }
    trap stop EXIT
    said() {
        local count
        count=$(grep -cE "SPEECH OUTPUT: .*$1" "$log" 2>/dev/null || true)
        echo "${count:-0}"
    }
    # Waits until Orca has said $1 at least $2 times (once by default). Generous: Orca and the
    # accessibility bus start slowly on a loaded machine.
    hear() {
        for _ in $(seq 600); do
            [ "$(said "$1")" -ge "${2:-1}" ] && return 0
            sleep 0.1
        done
        echo "Orca did not say '$1' within 60 s" >&2
        return 1
    }
    # Roles in Orca's words: "push button" up to Orca 43 (Debian 12), "button" from Orca 48 on (Debian 13).
    button='(push )?button'
    hear "Screen reader on"
    # On the X server Orca watches, whatever platform the other tests run on (offscreen).
    QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" >/dev/null 2>&1 &
    hear "Exit $button"
    xdotool key Tab && hear "Search for the word $button"
    xdotool key Tab && hear "Enter the English word: text"
    xdotool type --delay 50 water && hear "'r ?'"
    xdotool key shift+Tab && hear "Search for the word $button" 2
    xdotool key space && hear "Record number: 264"
    # The focus leaves the button and comes back: the button, not the record, is said.
    xdotool key Tab && hear "Enter the English word: text" 2
    xdotool key shift+Tab && hear "Search for the word $button" 3
    exit 0
fi

for tool in xvfb-run dbus-run-session openbox orca speech-dispatcher xdotool \
    /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
# A session whose screen reader or bus never comes up says nothing of the program: such a
# session is tried again, up to three times; what Orca says once it runs decides.
work=
trap 'end_started; rm -rf "$work"' EXIT
attempt() {
    local status=0 records
    work=$(mktemp -d)
    # Orca keeps its settings under HOME; the a11y bus's socket lies under XDG_RUNTIME_DIR, and so
    # does the speech server's, out of reach of a user's sound server.
    mkdir -m 700 "$work/runtime"
    # The speech server's output modules play through libao, to its null driver; any speech server
    # but the session's own refuses to start. The modules' settings are the system's.
    mkdir -p "$work/.config/speech-dispatcher"
    ln -s /etc/speech-dispatcher/modules "$work/.config/speech-dispatcher/modules"
    printf '%s\n' 'AudioOutputMethod "libao"' DisableAutoSpawn \
        >"$work/.config/speech-dispatcher/speechd.conf"
    echo default_driver=null >"$work/.libao"
    # In the background: bash acts on INT only once a command in the foreground has ended.
    HOME=$work XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/.config \
        SPEECHD_ADDRESS=unix_socket:$work/runtime/speech-dispatcher/speechd.sock \
        xvfb-run -a -n $((100 + RANDOM % 400)) -s "-screen 0 1280x1024x24 -noreset" \
        dbus-run-session -- bash "$0" --in-session "$1" "$work/orca.log" &
    wait $! || status=$?
    # What the session left, such as the services its buses started, ends before the next try.
    end_started
    grep -o "SPEECH OUTPUT: .*" "$work/orca.log" | grep -vE "^SPEECH OUTPUT: '[a-z ]* ?' " || true
    records=$(grep -c "SPEECH OUTPUT: 'Record number: 264, The Kanji and its onyomi: 水, Kanji level: 4" \
        "$work/orca.log" || true)
    started=$(grep -cE "SPEECH OUTPUT: 'Exit (push )?button" "$work/orca.log" || true)
    rm -rf "$work"
    echo "the record was said $records time(s)"
    [ "$status" -eq 0 ] && [ "$records" -eq 1 ]
}
# Orca refuses to start while another Orca of the same user runs, even a zombie: wait for an
# earlier test's to end, and leave a user's own screen reader alone.
orcas() { ps -u "$(id -u)" -o stat=,comm= | awk -v state="$1" '$2 == "orca" && $1 ~ state' | wc -l; }
for _ in $(seq 100); do
    [ "$(orcas .)" -eq 0 ] && break
    sleep 0.1
done
if [ "$(orcas '^[^Z]')" -gt 0 ]; then
    echo "skipped: another Orca runs for this user"
    exit 77
elif [ "$(orcas '^Z')" -gt 0 ]; then
    echo "skipped: an ended Orca that nothing reaps keeps Orca from starting"
    exit 77
fi
for try in 1 2 3; do
    attempt "$1" && exit 0
    [ "$started" -gt 0 ] && exit 1
    echo "the session did not come up (try $try of 3)"
done
exit 1
