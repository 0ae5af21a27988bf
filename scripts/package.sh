#!/usr/bin/env bash
# Builds the Debian package velmora-kanji_<version>_<arch>.deb with dpkg-buildpackage, checks it
# with lintian and prints its path as the last line.
#   bash scripts/package.sh            build and check
#   bash scripts/package.sh --verify   also install it into a fresh minimal Debian 12 chroot and
#                                      check it there (needs root or sudo)
# The build runs from a copy of the working tree's files (tracked and new, not ignored), so
# nothing else on the machine ends up in the package. DEB_BUILD_OPTIONS defaults to nocheck: the
# test command runs the suite; unset it to run the suite inside the package build too.
set -euo pipefail
cd "$(dirname "$0")/.."

verify=false
case ${1:-} in
--verify) verify=true ;;
"") ;;
*) echo "usage: bash scripts/package.sh [--verify]" >&2 && exit 2 ;;
esac

stage() { echo "== $*" >&2; }

stage "installing what is missing"
bash scripts/setup.sh package >&2

version=$(sed -n 's/^project(VelmoraKanji VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
changelog=$(dpkg-parsechangelog -S Version)
if [ "$version" != "$changelog" ]; then
    echo "package.sh: CMakeLists.txt says $version, debian/changelog says $changelog" >&2
    exit 1
fi
arch=$(dpkg --print-architecture)
out=$PWD/build/package
deb=$out/velmora-kanji_${version}_${arch}.deb

stage "copying the sources to build/package/velmora-kanji-$version"
rm -rf "$out"
mkdir -p "$out/velmora-kanji-$version"
git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
    tar --null -T - -cf - | tar -xf - -C "$out/velmora-kanji-$version"

stage "building the package (dpkg-buildpackage)"
ccache=()
[ -d /usr/lib/ccache ] && ccache=(env "PATH=/usr/lib/ccache:$PATH")
(
    cd "$out/velmora-kanji-$version"
    DEB_BUILD_OPTIONS=${DEB_BUILD_OPTIONS-nocheck parallel=$(nproc)} \
        "${ccache[@]}" dpkg-buildpackage -b -us -uc >"$out/build.log" 2>&1
) || { tail -40 "$out/build.log" >&2; echo "package.sh: the build failed ($out/build.log)" >&2; exit 1; }

stage "lintian"
# --fail-on makes a warning as fatal as an error; overrides live in debian/*.lintian-overrides.
lintian --fail-on error,warning --display-info --info "$deb" >&2 || {
    echo "package.sh: lintian found errors or warnings" >&2
    exit 1
}
echo "lintian: no error, no warning" >&2
dpkg-deb -f "$deb" Depends | sed 's/^/Depends: /' >&2

if $verify; then
    bash scripts/verify-package.sh "$deb" >&2
fi
echo "$deb"
