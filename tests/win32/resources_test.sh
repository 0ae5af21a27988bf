#!/usr/bin/env bash
# What Windows reads from the executable's resources: the icon in every size Explorer, the Start
# menu and the title bar ask for, and a version resource whose version is the project's and whose
# names are the desktop entry's and debian/control's, which the installer's entry repeats.
#   bash resources_test.sh PROGRAM.exe VERSION SOURCE_DIR
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: bash ${0##*/} PROGRAM.exe VERSION SOURCE_DIR" >&2; exit 2; }
program=$1 version=$2 source=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() {
    echo "FAIL: $*" >&2
    failed=1
}

# The first icon group, the one Explorer shows and the window class loads (id 1).
wrestool -x -t 14 -n 1 "$program" >"$work/icon.ico" 2>/dev/null || true
sizes=$(icotool -l "$work/icon.ico" 2>/dev/null |
    sed -n 's/.*--width=\([0-9]*\) --height=\1 --bit-depth=32.*/\1/p' | sort -n | tr '\n' ' ')
[ "$sizes" = "16 24 32 48 64 256 " ] || fail "icon group 1 has the 32-bit sizes '$sizes'"

# The strings of the version resource, as key and value on alternate lines.
wrestool -x --raw -t 16 "$program" >"$work/version" 2>/dev/null || true
strings -el "$work/version" >"$work/strings"
string() { sed -n "/^$1\$/{n;p;q}" "$work/strings"; }
product=$(sed -n 's/^Name=//p' "$source/packaging/org.velmora.Kanji.desktop")
publisher=$(sed -n 's/^Maintainer: *\(.*[^ ]\) *<.*/\1/p' "$source/debian/control")
for pair in "FileVersion=$version" "ProductVersion=$version" "ProductName=$product" \
    "FileDescription=$product" "CompanyName=$publisher" "OriginalFilename=velmora-kanji.exe"; do
    [ "$(string "${pair%%=*}")" = "${pair#*=}" ] ||
        fail "the version resource's ${pair%%=*} is '$(string "${pair%%=*}")', not '${pair#*=}'"
done
# The numbers Explorer shows as "File version": VS_FIXEDFILEINFO after its signature.
fixed=$(python3 - "$work/version" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
at = data.find(struct.pack("<I", 0xFEEF04BD))
if at >= 0:
    ms, ls = struct.unpack_from("<II", data, at + 8)
    print(f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}")
PY
)
[ "$fixed" = "$version.0" ] || fail "the fixed file version is '$fixed', not $version.0"

[ $failed -eq 0 ] && echo "resources_test: passed"
exit $failed
