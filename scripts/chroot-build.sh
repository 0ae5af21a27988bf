#!/usr/bin/env bash
# Builds a source package the way Debian's build daemons do: in a fresh minimal Debian system that
# holds only build-essential and the package's Build-Depends, as a user that is not root, with no
# network. The source and binary packages it makes, with their .buildinfo and .changes, go beside
# the .dsc; the build's output goes to stdout. Called by `bash scripts/package.sh --verify`.
#   bash scripts/chroot-build.sh <dsc> [release]      release: bookworm (the default) or trixie
# DEB_BUILD_OPTIONS is passed on; with nocheck in it the nocheck build profile is active too, so
# the test tools' Build-Depends are left out. The system with the Build-Depends installed is kept
# as a tarball under build/chroot, made anew each day and whenever they change.
set -euo pipefail
source "$(dirname "$0")/common.sh"
[ $# -ge 1 ] && [ $# -le 2 ] || usage "<dsc> [release]"
dsc=$(realpath -- "$1")
[ -f "$dsc" ] || { echo "chroot-build.sh: no such file: $1" >&2; exit 2; }
release=${2:-bookworm}
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] ||
    exec sudo --preserve-env=DEB_BUILD_OPTIONS bash "$PWD/scripts/chroot-build.sh" "$dsc" "$release"
source scripts/chroot.sh

options=${DEB_BUILD_OPTIONS-}
profiles=
[[ " $options " == *" nocheck "* ]] && profiles=nocheck
out=$(dirname "$dsc")
root=$PWD/build/chroot-build
build=
# unshare ignores SIGTERM while it waits for the build; SIGKILL ends it, and with it the build.
finish() {
    local status=$?
    [ -z "$build" ] || { kill -KILL "$build" 2>/dev/null; wait "$build" 2>/dev/null; } || true
    chroot_remove "$root"
    local result=passed
    [ "$status" = 0 ] || result=failed
    stage_done "$result"
    stage_times "$result"
}
trap finish EXIT
trap 'exit 1' INT TERM HUP # through the EXIT trap, so that nothing stays running or mounted

# The .dsc repeats the Build-Depends of debian/control, so that what apt installs and the key of
# the kept system come from the package being built.
chroot_base "$release"
key=$( (grep -E '^Build-(Depends|Conflicts)' "$dsc"; echo "profiles: $profiles") | sha256sum)
deps=${base%.tar}-deps-${key:0:12}.tar
deps=${deps/-minbase-/-build-}
if [ ! -f "$deps" ]; then
    stage "installing build-essential and the Build-Depends${profiles:+ (profile $profiles)}"
    chroot_open "$base" "$root"
    cp "$dsc" "$root/tmp/"
    # No Recommends, as on a build daemon: they must not hide a missing Build-Depends.
    chroot_run "$root" "apt-get update -qq
apt-get install -y -qq --no-install-recommends build-essential
apt-get build-dep -y -qq --no-install-recommends ${profiles:+-P $profiles} /tmp/$(basename "$dsc")
apt-get clean
rm /tmp/$(basename "$dsc")
useradd --system --home-dir /nonexistent --no-create-home --shell /bin/sh builder" \
        >"$chroot_cache/build-deps.log" 2>&1 ||
        { tail -30 "$chroot_cache/build-deps.log" >&2; exit 1; }
    chroot_unmount "$root"
    rm -f "${deps%-deps-*}"-deps-*.tar
    chroot_save "$root" "$deps"
    chroot_remove "$root"
fi

stage "a fresh copy of the system with the Build-Depends (build/chroot/$(basename "$deps"))"
chroot_open "$deps" "$root"
mkdir "$root/build"
sed -n '/^Files:/,/^[^ ]/s/^ [0-9a-f]* [0-9]* \(.*\)/\1/p' "$dsc" |
    while read -r file; do cp "$out/$file" "$root/build/"; done
cp "$dsc" "$root/build/"
chroot_run "$root" "chown -R builder: /build"

stage "dpkg-buildpackage inside, as the user builder, no network${profiles:+ (profile $profiles)}"
# unshare gives the build a network of its own, a loopback device that is down and no other, and
# processes of their own: when the build's shell ends, or unshare is ended, all of them end. In
# the background, so that a signal to this script ends the build at once.
env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 HOME=/nonexistent \
    DEB_BUILD_OPTIONS="$options" \
    unshare --net --pid --fork --kill-child --mount-proc="$root/proc" chroot "$root" \
    setpriv --reuid=builder --regid=builder --init-groups /bin/sh -ec "
cd /build
dpkg-source -x $(basename "$dsc") source
cd source
dpkg-buildpackage -us -uc ${profiles:+-P$profiles}" 2>&1 &
build=$!
wait "$build"
build=

stage "copying the packages out of the chroot"
owner=$(stat -c %u:%g "$out")
for file in "$root"/build/*; do
    [ -f "$file" ] || continue
    cp "$file" "$out/"
    chown "$owner" "$out/${file##*/}"
    echo "chroot-build.sh: made ${file##*/}"
done
stage "deleting the chroot"
