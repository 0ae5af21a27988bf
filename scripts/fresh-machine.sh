#!/usr/bin/env bash
# A newcomer on a brand-new machine: a minimal Debian of the release named, a clone of this
# checkout's HEAD with ../shared beside it, and the README's two commands run there as they stand.
# `scripts/run.sh` opens its window on an X server of this script's own, where it is photographed
# and closed; then `scripts/test.sh` runs as CI runs it. A developer's tool, not a stage of the
# test command: about half an hour on two cores. Needs root (debootstrap, chroot, mounts); all it
# makes lies under build/chroot and goes at the end, also on failure.
#   bash scripts/fresh-machine.sh bookworm|trixie
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
source scripts/chroot.sh

release=${1:-}
case $release in
bookworm | trixie) ;;
*) echo "usage: bash scripts/fresh-machine.sh bookworm|trixie" >&2 && exit 2 ;;
esac
[ "$(id -u)" -eq 0 ] || { echo "fresh-machine.sh: run it as root" >&2 && exit 2; }
[ -d ../shared ] || { echo "fresh-machine.sh: no ../shared beside this checkout" >&2 && exit 2; }

root=$PWD/build/chroot/fresh-$release
shot=$PWD/build/fresh-$release.png
server=
finish() {
    local status=$?
    [ -z "$server" ] || kill "$server" 2>/dev/null || true
    chroot_remove "$root" || true
    local result
    result=$([ "$status" = 0 ] && echo passed || echo failed)
    stage_done "$result"
    stage_times "$result"
}
trap finish EXIT

bash scripts/setup.sh package >&2 # debootstrap
apt-get install -y -qq --no-install-recommends xvfb x11-utils xdotool imagemagick >/dev/null
chroot_base "$release"
stage "a brand-new Debian $release with a clone of HEAD"
chroot_open "$base" "$root"
# This machine's way to the package mirrors stands in for the newcomer's own: its host names, apt's
# settings, its certificate authorities and npm's settings.
cp /etc/hosts "$root/etc/hosts"
# Only apt's settings of this machine's own: a package's settings belong to that package's
# version, and dpkg would stop to ask about a changed one.
for file in /etc/apt/apt.conf.d/*; do
    dpkg -S "$file" >/dev/null 2>&1 || cp "$file" "$root/etc/apt/apt.conf.d/"
done
mkdir -p "$root/usr/local/share/ca-certificates"
cp -r /usr/local/share/ca-certificates/. "$root/usr/local/share/ca-certificates/"
[ ! -f "$HOME/.npmrc" ] || cp "$HOME/.npmrc" "$root/root/.npmrc"
mkdir -p "$root/work"
git clone -q --no-hardlinks "$PWD" "$root/work/velmora-kanji"
cp -r ../shared "$root/work/shared"
mkdir -p "$root/tmp/.X11-unix"

# The window on a display of this script's, which the chroot reaches through its socket.
display=$((200 + RANDOM % 300))
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"

stage "README, first command: bash scripts/run.sh"
chroot_run "$root" 'cd /work/velmora-kanji && exec bash scripts/run.sh' DISPLAY=":$display" \
    >"$PWD/build/fresh-$release-run.log" 2>&1 &
program=$!
window=
for _ in $(seq 1800); do # the first build takes many minutes
    # By its title: Qt's own helper windows also bear the program's name.
    window=$(DISPLAY=":$display" xdotool search --name '^Velmora University' 2>/dev/null |
        head -1) || true
    [ -n "$window" ] || ! kill -0 "$program" 2>/dev/null || { sleep 1 && continue; }
    break
done
if [ -z "$window" ]; then
    tail -30 "$PWD/build/fresh-$release-run.log" >&2
    echo "fresh-machine.sh: scripts/run.sh opened no window" >&2
    exit 1
fi
sleep 2
import -display ":$display" -window root "$shot"
echo "the window opened: $(DISPLAY=":$display" xdotool getwindowname "$window"); $shot"
# Ended as a session's end would end it; run.sh then ends with the program's TERM.
kill "$(DISPLAY=":$display" xdotool getwindowpid "$window")"
status=0
wait "$program" || status=$?
[ "$status" = 0 ] || [ "$status" = 143 ] ||
    { echo "fresh-machine.sh: the program ended with status $status" >&2 && exit 1; }

stage "README, second command: bash scripts/test.sh (as CI, with no terminal)"
log=$PWD/build/fresh-$release-test.log
status=0
chroot_run "$root" 'cd /work/velmora-kanji && exec bash scripts/test.sh' CI=true </dev/null \
    >"$log" 2>&1 || status=$?
# The test command's own table of its stages' times, and what failed.
sed -n '/^  time   result  stage/,$p' "$log"
[ "$status" = 0 ] || { grep -E '^failed:' "$log" || tail -40 "$log"; exit 1; }
