#!/usr/bin/env bash
# Builds the Debian source package and velmora-kanji_<version>_<arch>.deb with dpkg-buildpackage,
# checks them with lintian and prints the .deb's path as the last line.
#   bash scripts/package.sh            build here and check
#   bash scripts/package.sh --verify   build in a fresh minimal Debian chroot that holds only
#                                      build-essential and the Build-Depends, as Debian's build
#                                      daemons do (scripts/chroot-build.sh), then install the
#                                      package into another fresh one and check it there
#                                      (scripts/verify-package.sh); needs root or sudo
# VELMORA_DEBIAN_RELEASE names the chroots' release: bookworm (the default) or trixie.
# The build runs from a copy of the working tree's files (tracked and new, not ignored), so
# nothing else on the machine ends up in the package. DEB_BUILD_OPTIONS defaults to nocheck: the
# test command runs the suite; set it without nocheck to run the suite inside the package build too
# (the nocheck build profile, which leaves out the test tools' build dependencies, goes with it).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

flags verify -- "$@"

finish() {
    local status=$?
    local result=passed
    [ "$status" = 0 ] || result=failed
    stage_done "$result"
    stage_times "$result"
}
trap finish EXIT

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
dsc=$out/velmora-kanji_${version}.dsc
changes=$out/velmora-kanji_${version}_${arch}.changes

stage "copying the sources to build/package/velmora-kanji-$version"
rm -rf "$out"
mkdir -p "$out/velmora-kanji-$version"
git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
    tar --null -T - -cf - | tar -xf - -C "$out/velmora-kanji-$version"

options=${DEB_BUILD_OPTIONS-nocheck parallel=$(nproc)}
release=${VELMORA_DEBIAN_RELEASE:-bookworm}
if $verify; then
    # Only the source package is made here (dpkg-source needs none of the Build-Depends); the
    # chroot unpacks it and builds it with what Build-Depends names and nothing else.
    stage "the source package (dpkg-source), then dpkg-buildpackage in a $release chroot"
    # The chroot's stages on stderr, the build's output in the log.
    (cd "$out" && dpkg-source -b "velmora-kanji-$version" >"$out/build.log" 2>&1) &&
        DEB_BUILD_OPTIONS=$options bash scripts/chroot-build.sh "$dsc" "$release" >>"$out/build.log"
else
    stage "building the source and binary packages (dpkg-buildpackage)"
    ccache=()
    [ -d /usr/lib/ccache ] && ccache=(env "PATH=/usr/lib/ccache:$PATH")
    profiles=()
    [[ " $options " == *" nocheck "* ]] && profiles=(-Pnocheck)
    (
        cd "$out/velmora-kanji-$version"
        DEB_BUILD_OPTIONS=$options "${ccache[@]}" dpkg-buildpackage -us -uc "${profiles[@]}" \
            >"$out/build.log" 2>&1
    )
fi || {
    tail -40 "$out/build.log" >&2
    echo "package.sh: the build failed ($out/build.log)" >&2
    exit 1
}

stage "lintian (the .dsc, the .deb and the .changes)"
# --fail-on makes a warning as fatal as an error; pedantic and informational tags are shown but
# not fatal. Overrides would live in debian/*.lintian-overrides; there are none.
lintian --fail-on error,warning --pedantic --display-info "$dsc" "$deb" "$changes" \
    >"$out/lintian.log" 2>&1 || {
    cat "$out/lintian.log" >&2
    echo "package.sh: lintian found errors or warnings" >&2
    exit 1
}
cat "$out/lintian.log" >&2
echo "lintian: no error, no warning; $(grep -c '^[PI]: ' "$out/lintian.log" || true) pedantic or informational tags" >&2

stage "the binary package"
dpkg-deb -f "$deb" Depends Recommends >&2
unpacked=$out/unpacked
dpkg-deb -x "$deb" "$unpacked"
if readelf -d "$unpacked/usr/bin/velmora-kanji" | grep -E 'RPATH|RUNPATH' >&2; then
    echo "package.sh: the installed binary carries a runpath" >&2
    exit 1
fi
echo "no RPATH or RUNPATH in /usr/bin/velmora-kanji" >&2
rm -rf "$unpacked"
printf 'package size: %s bytes; Installed-Size: %s KiB\n' "$(stat -c %s "$deb")" \
    "$(dpkg-deb -f "$deb" Installed-Size)" >&2

if $verify; then
    stage "installing and checking it in a fresh $release chroot (verify-package.sh)"
    bash scripts/verify-package.sh "$deb" "$release" >&2
fi
stage_done
echo "$deb"
