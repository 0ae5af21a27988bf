#!/usr/bin/env bash
# Installs a velmora-kanji .deb into a brand-new minimal Debian system and checks it there:
# --version answers, without a display it says so in one line, the desktop entry's icon is
# installed at its size, the dictionary window opens under Xvfb with its icon, the fonts resolve
# to IPAPGothic and DejaVu, and apt installs qt6-wayland as its Recommends. Called by
# `bash scripts/package.sh --verify`.
#   bash scripts/verify-package.sh <deb> [release]     release: bookworm (the default) or trixie
# The minbase system comes from scripts/chroot.sh: made by debootstrap once a day, kept under
# build/chroot, and unpacked afresh for every run. Only the .deb goes in, with the same Debian
# mirrors as this machine; commands run with an empty environment.
set -euo pipefail
source "$(dirname "$0")/common.sh"
[ $# -ge 1 ] && [ $# -le 2 ] || usage "<deb> [release]"
# Before the cd, so that a path relative to where the script was called finds the same file.
deb=$(realpath -- "$1")
[ -f "$deb" ] || { echo "verify-package.sh: no such file: $1" >&2; exit 2; }
release=${2:-bookworm}
cd "$(dirname "$0")/.."

name=$(basename "$deb")
[ "$(id -u)" -eq 0 ] || exec sudo bash "$PWD/scripts/verify-package.sh" "$deb" "$release"
source scripts/chroot.sh

work=$PWD/build/verify
root=$work/root
mkdir -p "$work"
trap 'chroot_remove "$root"' EXIT
trap 'exit 1' INT TERM HUP # through the EXIT trap, so that nothing stays mounted
chroot_base "$release"

stage "a fresh copy of the minimal system"
chroot_open "$base" "$root"
cp "$deb" "$root/tmp/$name"

in_chroot() {
    chroot_run "$root" "$1"
}

stage "before: velmora-kanji and its fonts are absent"
in_chroot "! command -v velmora-kanji && ! ls /usr/share/fonts/truetype/fonts-japanese-gothic.ttf" \
    2>/dev/null || { echo "the fresh system already holds what the package brings"; exit 1; }
in_chroot "apt-get update -qq"

# Without Recommends first: the checks below then show that Depends alone run the program on X11.
stage "apt-get install --no-install-recommends ./$name"
start=$(date +%s%N)
in_chroot "apt-get install -y --no-install-recommends /tmp/$name" >"$work/install.log" 2>&1 ||
    { tail -30 "$work/install.log"; exit 1; }
tenths=$((($(date +%s%N) - start) / 100000000))
grep -E '^(After this operation|Need to get|[0-9]+ upgraded)' "$work/install.log"
with_dependencies=$(sed -n 's/^After this operation, \(.*\) of additional disk space.*/\1/p' "$work/install.log")

stage "check: velmora-kanji --version"
in_chroot "velmora-kanji --version"
in_chroot "! velmora-kanji --no-such-option 2>&1" | head -1
in_chroot "ldd /usr/bin/velmora-kanji | grep 'not found' && exit 1 || echo 'every library resolves inside the chroot'"

stage "check: without a display, one line and exit status 1"
in_chroot 'set +e; velmora-kanji 2>/tmp/no-display.err; status=$?; set -e
cat /tmp/no-display.err; echo "exit status $status"
[ "$status" -eq 1 ] && [ "$(wc -l </tmp/no-display.err)" -eq 1 ]'

# Checking tools come after the package, so they cannot stand in for a missing dependency.
stage "installing the checking tools (xvfb, xauth, x11-utils, x11-apps, fontconfig, librsvg2-bin)"
in_chroot "apt-get install -y -qq --no-install-recommends xvfb xauth x11-utils x11-apps fontconfig \
    librsvg2-bin" \
    >"$work/tools.log" 2>&1 || { tail -30 "$work/tools.log"; exit 1; }

stage "check: fonts"
in_chroot '
for pattern in IPAPGothic :lang=ja "DejaVu Sans" "DejaVu Sans Condensed:bold"; do
    printf "fc-match %-28s -> " "\"$pattern\""
    fc-match -f "%{family[0]} (%{file})\n" "$pattern"
done
fc-match -f "%{family[0]}" IPAPGothic | grep -qx IPAPGothic
fc-match -f "%{family[0]}" :lang=ja | grep -q "^IPAP\?Gothic$"
fc-match -f "%{file}" "DejaVu Sans Condensed:bold" | grep -q "/DejaVuSansCondensed-Bold.ttf$"'

# 128 x 128 is the size hicolor's index.theme gives its scalable/apps folder.
stage "check: the desktop entry's icon, 128 x 128"
cat >"$root/tmp/icon-check.sh" <<'EOF'
icon=$(sed -n 's/^Icon=//p' /usr/share/applications/org.velmora.Kanji.desktop)
file=/usr/share/icons/hicolor/scalable/apps/$icon.svg
[ -f "$file" ] || { echo "the desktop entry's icon is missing: $file"; exit 1; }
rsvg-convert "$file" >/tmp/icon.png
# A PNG's width and height are the big-endian words at bytes 16 and 20.
size=$(od -An -tu1 -j16 -N8 /tmp/icon.png | awk '{
    print (($1 * 256 + $2) * 256 + $3) * 256 + $4 "x" (($5 * 256 + $6) * 256 + $7) * 256 + $8 }')
echo "icon: $file, drawn at $size"
[ "$size" = 128x128 ] || { echo "the icon is $size, not 128x128"; exit 1; }
EOF
in_chroot 'sh -e /tmp/icon-check.sh'

stage "check: the dictionary window opens under Xvfb"
cat >"$root/tmp/window-check.sh" <<'EOF'
velmora-kanji 2>/tmp/velmora.err &
title="Velmora University: Online Kanji Learning Program"
for _ in $(seq 50); do
    xwininfo -root -tree | grep -q "$title" && break
    sleep 0.2
done
sleep 1
xwininfo -root -tree | grep "$title"
window=$(xwininfo -root -tree | grep "\"$title\"" | awk '{print $1}')
xprop -id "$window" _NET_WM_ICON | grep -q "_NET_WM_ICON(CARDINAL) = " ||
    { echo "the window has no icon (the SVG plugin did not load it)"; exit 1; }
echo "window icon: set (the SVG plugin loaded it)"
xwd -root -silent >/tmp/window.xwd
kill $!
! grep -i "could not\|failed\|cannot" /tmp/velmora.err
EOF
in_chroot 'xvfb-run -a -s "-screen 0 1280x1024x24" sh -e /tmp/window-check.sh'
cp "$root/tmp/window.xwd" "$work/window.xwd"
command -v convert >/dev/null && convert "xwd:$work/window.xwd" "$work/window.png" &&
    echo "picture of the window: build/verify/window.png"

# apt installs a new package's Recommends unless told not to, as `apt install ./<deb>` does for a
# user. Only velmora-kanji is installed anew here, so only its own Recommends (and what they
# need) come in.
stage "check: qt6-wayland comes as the package's Recommends"
in_chroot "! dpkg-query -W -f='\${Status}\n' qt6-wayland 2>/dev/null | grep -q 'ok installed'" ||
    { echo "qt6-wayland is installed before its turn"; exit 1; }
in_chroot "apt-get remove -y -qq velmora-kanji && apt-get install -y /tmp/$name" \
    >"$work/recommends.log" 2>&1 || { tail -30 "$work/recommends.log"; exit 1; }
grep -E '^(After this operation|Need to get|[0-9]+ upgraded)' "$work/recommends.log"
with_recommends=$(sed -n 's/^After this operation, \(.*\) of additional disk space.*/\1/p' "$work/recommends.log")
in_chroot "dpkg-query -W -f='\${Package} \${Version}: \${Status}\n' qt6-wayland | grep 'ok installed'
apt-mark showauto qt6-wayland | grep -qx qt6-wayland || { echo 'qt6-wayland is not marked automatic'; exit 1; }
echo 'qt6-wayland: installed automatically, as a Recommends'
ldd /usr/lib/*/qt6/plugins/platforms/libqwayland-*.so | grep 'not found' && exit 1 || echo 'the wayland platform plugins resolve'"

stage "figures"
printf 'package size:           %s KiB (%s bytes)\n' "$(($(stat -c %s "$deb") / 1024))" "$(stat -c %s "$deb")"
printf 'Installed-Size:         %s KiB (the package alone)\n' "$(dpkg-deb -f "$deb" Installed-Size)"
printf 'installed with its dependencies: %s (apt-get --no-install-recommends, on a minbase system)\n' "$with_dependencies"
printf 'the Recommends (qt6-wayland) add: %s\n' "$with_recommends"
printf 'time to install:        %d.%d s (apt-get install, downloads included)\n' $((tenths / 10)) $((tenths % 10))
echo "package.sh --verify: all checks passed"
