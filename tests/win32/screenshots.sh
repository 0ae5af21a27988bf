#!/usr/bin/env bash
# Saves pictures of both windows as Wine draws them, frames included, into OUT_DIR
# (windows-dictionary-window.png, windows-expression-window.png), in the state of the desktop
# build's pictures: "water" found, the readings shown; a sentence read and one kanji clicked,
# "taberu" conjugated. Driven by keys and clicks through the X server, as a user would.
#   bash screenshots.sh PROGRAM.exe OUT_DIR PREFIX_DIR   (on an X server: xvfb-run -a)
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: bash ${0##*/} PROGRAM.exe OUT_DIR PREFIX_DIR" >&2; exit 2; }
program=$(realpath "$1") out=$2 prefix=$3
[ -n "${DISPLAY:-}" ] ||
    { echo "screenshots: no X display (run it under xvfb-run -a)" >&2; exit 2; }
mkdir -p "$out" "$prefix/home"
prefix=$(realpath "$prefix")
export HOME=$prefix/home WINEPREFIX=$prefix/wine WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
trap 'wineserver -k 2>/dev/null || true' EXIT
# The prefix the Windows tests make at 96 dpi, with the font link that gives the UI face its kanji.
cmake -D PREFIX="$WINEPREFIX" -D DPI=96 -P "$(dirname "$0")/wine_prefix.cmake"
# The Marlett of the title bars' buttons (fonts-wine), which Debian's Wine does not find where the
# package puts it; the program's own faces stay those the Windows tests see.
cp -u /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
# Windows draw their own frames, as on Windows, rather than wait for a window manager.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

window() { # the visible window whose title is exactly $1, waited for
    local id
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1) && [ -n "$id" ] &&
            echo "$id" && return
        sleep 0.2
    done
    echo "screenshots: no window '$1'" >&2
    exit 1
}
# A click at a point of the client area given in twips, at 96 dpi: the frame is what the window
# is larger than its client area (the frame's sides are equal, the caption above).
click() { # window client-width client-height x y (twips)
    eval "$(xdotool getwindowgeometry --shell "$1")"
    local side=$(((WIDTH - $2 / 15) / 2))
    xdotool mousemove --window "$1" $((side + $4 / 15)) $((HEIGHT - side - $3 / 15 + $5 / 15)) \
        click 1
    sleep 0.3
}
shoot() { sleep 0.5 && import -window "$1" "$out/$2"; }

wine "$program" &
form1=$(window 'Velmora University: Online Kanji Learning Program')
sleep 1 # keys sent before the window has settled are lost
xdotool windowfocus --sync "$form1"
sleep 0.3
click "$form1" 7200 6825 3400 2800 # the English word's box
xdotool type --delay 80 water
click "$form1" 7200 6825 5700 2800 # Search for the word
click "$form1" 7200 6825 6000 4500 # Show/hide Onyomi, Kunyomi, Example
shoot "$form1" windows-dictionary-window.png

click "$form1" 7200 6825 5700 1680 # Check Expression
form2=$(window 'Velmora University, Japan')
sleep 1
xdotool windowfocus --sync "$form2"
sleep 0.3
# Pasted: xdotool would type each kanji through a spare key whose new meaning Wine may miss.
printf %s '毎日、友だちと日本語を話します。明日は雨でしょう。' | xclip -selection clipboard
sleep 1 # Wine takes the new clipboard in when the X server tells it
click "$form2" 8115 7710 4400 180 # or Paste from other source
click "$form2" 8115 7710 1500 1700 # RUN
click "$form2" 8115 7710 5550 2300 # the twelfth kanji cell
click "$form2" 8115 7710 1800 4200 # the verb's box
xdotool type --delay 80 taberu
click "$form2" 8115 7710 1800 4800 # its RUN
shoot "$form2" windows-expression-window.png
