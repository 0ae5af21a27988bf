#!/usr/bin/env bash
# The installer under Wine, in a fresh prefix on the caller's (private) X server:
#   bash installer_test.sh SETUP.exe PROGRAM.exe VERSION WORK [PREFIX]
# The prefix is made with wineboot, or copied from PREFIX, in which nothing was installed: a copy
# takes a third of the time.
# It installs silently, checks the files, the shortcut and the "Apps & features" entry, starts the
# program through the shortcut, checks that installing and uninstalling change nothing while it
# runs, then installs over it, moves it with /D= into a folder of the user's with a file of theirs
# and installs again without /D; each uninstall leaves every file and key as before the install.
set -euo pipefail
# Ends itself before ctest's TIMEOUT would kill it, so that the EXIT trap below still ends Wine.
[ -n "${INSTALLER_TEST_TIMED:-}" ] || INSTALLER_TEST_TIMED=1 exec timeout 200 bash "$0" "$@"
[ $# -eq 4 ] || [ $# -eq 5 ] ||
    { echo "usage: bash ${0##*/} SETUP.exe PROGRAM.exe VERSION WORK [PREFIX]" >&2; exit 2; }
setup=$(realpath "$1") program=$(realpath "$2") version=$3 work=$4 from=${5:+$(realpath "$5")}
[ -n "${DISPLAY:-}" ] ||
    { echo "installer_test: no X display (run it under xvfb-run -a)" >&2; exit 2; }

rm -rf "$work"
mkdir -p "$work/home"
work=$(realpath "$work")
# HOME in the work folder, and no winemenubuilder: Wine would otherwise write the shortcut as a
# desktop entry and icons into the caller's own home.
export HOME=$work/home WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# A failed check leaves no Wine process of this prefix behind.
trap 'wineserver -k 2>/dev/null || true' EXIT
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\org.velmora.Kanji'

# What Wine says of the commands whose own output the test does not read; a crash among it, and
# where it happened, is shown when a check fails.
said=$work/wine-said.log
fail() {
    echo "FAIL: $*" >&2
    if grep -q '^wine: Unhandled' "$said" 2>/dev/null; then
        echo "a program crashed meanwhile:"
        grep -E '^wine: Unhandled|^(=>| +)[0-9]+ 0x' "$said"
    fi >&2
    exit 1
}
# Waits for every Wine process to end: the uninstaller runs on as a copy of itself in Temp.
settle() { timeout 60 wineserver -w || fail "Wine processes still running after 60 s"; }
# The name on drive C: of a file in the prefix, worked out here: each winepath would start Wine.
windows_path() {
    local path=${1#"$WINEPREFIX/drive_c/"}
    echo "C:\\${path//\//\\}"
}
# A value of the installer's key as the last read_entry found it; status 1 when it is absent.
read_entry() { entry=$(wine reg query "$key" 2>/dev/null | tr -d '\r') || entry=; }
value() {
    grep -q "^ *$1 *REG_" <<<"$entry" || return 1
    sed -n "s/^ *$1 *REG_[A-Z_]* *//p" <<<"$entry"
}
# The files of the prefix's drive C and the keys of HKCU, less the Temp folder (where an NSIS
# uninstaller leaves the copy of itself that Windows deletes at the next start), the stamps
# Wine keeps in each key's header line, and the Console key that Wine makes for itself the first
# time a prefix starts a console program (here `wine start`), whichever test prefix that is.
snapshot() {
    settle
    (cd "$WINEPREFIX/drive_c" && find . -path './users/*/Temp' -prune -o -print | sort) \
        >"$work/$1.files"
    grep '^\[' "$WINEPREFIX/user.reg" | grep -v '^\[Console\]' | sed 's/\] [0-9]*$/]/' |
        sort >"$work/$1.keys"
}
same() { # before after what
    diff -u "$work/$1.$3" "$work/$2.$3" >"$work/$2.$3.diff" ||
        fail "$3 differ from before the install:"$'\n'"$(cat "$work/$2.$3.diff")"
}

if [ -n "$from" ]; then
    WINEPREFIX=$from wineserver -w # its user.reg is written when its last process has ended
    cp -a "$from" "$WINEPREFIX"
else
    wineboot -i >/dev/null 2>&1
fi
# A crash prints where it happened and ends the program, rather than wait on Wine's dialog.
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >>"$said" 2>&1
# The user's profile: the one folder of drive_c/users besides Public.
profile=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public)
[ "$(wc -l <<<"$profile")" -eq 1 ] || fail "no single user profile in the prefix: $profile"
# What other programs share, empty as on Windows (reg add gives only the key it names a value),
# and a folder of the user's that holds a file of theirs.
wine reg add "$key" /f >>"$said" 2>&1 && wine reg delete "$key" /f >>"$said" 2>&1
mkdir -p "$profile/AppData/Local/Programs" "$WINEPREFIX/drive_c/Kanji"
echo "the user's notes" >"$WINEPREFIX/drive_c/Kanji/notes.txt"
snapshot before

echo "== [${SECONDS}s] installing silently: ${setup##*/} /S"
wine "$setup" /S || fail "the installer exited with status $?"
snapshot installed
start_menu="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
folder="$profile/AppData/Local/Programs/Velmora Kanji"
shortcut="$start_menu/Velmora Kanji.lnk"
cmp -s "$program" "$folder/velmora-kanji.exe" ||
    fail "velmora-kanji.exe is not installed in $folder"
[ -f "$folder/uninstall.exe" ] || fail "no uninstaller in $folder"
[ -f "$shortcut" ] || fail "no Start-menu shortcut $shortcut"
comm -13 "$work/before.files" "$work/installed.files" | sed 's/^/   added /'
comm -13 "$work/before.keys" "$work/installed.keys" | sed 's/^/   added /'

echo "== [${SECONDS}s] the entry in \"Apps & features\""
read_entry
for name in DisplayName DisplayVersion Publisher DisplayIcon UninstallString \
    QuietUninstallString InstallLocation EstimatedSize NoModify NoRepair; do
    v=$(value $name) || fail "$key has no $name"
    echo "   $name = $v"
done
[ "$(value DisplayVersion)" = "$version" ] || fail "DisplayVersion is not $version"
# The names Windows shows for the file and for its entry are the same.
resource() { wrestool -x --raw -t 16 "$program" | strings -el | sed -n "/^$1\$/{n;p;q}"; }
[ "$(value DisplayName)" = "$(resource ProductName)" ] || fail "DisplayName is not the ProductName"
[ "$(value Publisher)" = "$(resource CompanyName)" ] || fail "Publisher is not the CompanyName"
[ "$(value InstallLocation)" = "$(windows_path "$folder")" ] || fail "InstallLocation is wrong"
[ "$(value DisplayIcon)" = "$(windows_path "$folder/velmora-kanji.exe"),0" ] ||
    fail "DisplayIcon does not name the installed program"
[ "$(value UninstallString)" = "\"$(windows_path "$folder/uninstall.exe")\"" ] ||
    fail "UninstallString does not name the uninstaller"
[ "$(value QuietUninstallString)" = "$(value UninstallString) /S" ] ||
    fail "QuietUninstallString is not the uninstaller with /S"
[ "$(value NoModify)" = 0x1 ] && [ "$(value NoRepair)" = 0x1 ] || fail "NoModify/NoRepair not 1"
kib=$(($(stat -c %s "$folder/velmora-kanji.exe") / 1024 +
    $(stat -c %s "$folder/uninstall.exe") / 1024))
estimated=$(($(value EstimatedSize)))
[ $((estimated - kib)) -ge -2 ] && [ $((estimated - kib)) -le 2 ] ||
    fail "EstimatedSize is $estimated KiB, the files take $kib KiB"

echo "== [${SECONDS}s] starting the program through its shortcut"
# start returns once the program is started; a shortcut to nothing makes it wait on an error box.
timeout 30 wine start /unix "$shortcut" || fail "wine start could not open the shortcut"
window=
for _ in $(seq 150); do
    window=$(xdotool search --onlyvisible --classname '^velmora-kanji\.exe$' 2>/dev/null |
        head -1) && [ -n "$window" ] && break
    sleep 0.2
done
[ -n "$window" ] || fail "no window of velmora-kanji.exe within 30 s of opening the shortcut"
echo "   window: $(xdotool getwindowname "$window")"

echo "== [${SECONDS}s] installing and uninstalling while the program runs: refused, nothing changed"
# As if an older copy ran: an install that went on would write its own version.
wine reg add "$key" /v DisplayVersion /d 0.9 /f >>"$said" 2>&1
state() { stat -c '%n %s %z' "$folder"/* "$shortcut" && wine reg query "$key"; }
was=$(state)
wine "$setup" /S >>"$said" 2>&1 && fail "the installer reported success while the program ran"
# _?= runs the uninstaller in place and waits for it, rather than for a copy of it in Temp; it
# must stand unquoted at the end of the command line, which wine would quote: hence a batch file.
printf '"%s" /S _?=%s\r\nexit /b %%ERRORLEVEL%%\r\n' "$(windows_path "$folder/uninstall.exe")" \
    "$(windows_path "$folder")" >"$WINEPREFIX/drive_c/uninstall-in-place.bat"
status=0
wine cmd /c 'C:\uninstall-in-place.bat' >>"$said" 2>&1 || status=$?
rm "$WINEPREFIX/drive_c/uninstall-in-place.bat"
[ $status -ne 0 ] || fail "the uninstaller reported success while the program ran"
[ "$(state)" = "$was" ] || fail "installing or uninstalling while the program ran changed:"$'\n'"$(
    diff <(echo "$was") <(state))"
wine taskkill /im velmora-kanji.exe >>"$said" 2>&1 || true
for _ in $(seq 50); do
    xdotool search --classname '^velmora-kanji\.exe$' >/dev/null 2>&1 || break
    sleep 0.2
done
wine taskkill /f /im velmora-kanji.exe >>"$said" 2>&1 || true

echo "== [${SECONDS}s] once it is closed, installing again without /D, then uninstalling silently"
wine "$setup" /S || fail "the installer exited with status $?"
read_entry
[ "$(value DisplayVersion)" = "$version" ] || fail "DisplayVersion is not $version after upgrading"
wine "$folder/uninstall.exe" /S || fail "the uninstaller exited with status $?"
snapshot removed
same before removed files
same before removed keys
! grep -il 'velmora' "$WINEPREFIX/user.reg" "$WINEPREFIX/system.reg" >/dev/null ||
    fail "the registry still names the program: $(grep -i velmora "$WINEPREFIX"/*.reg)"
echo "   the files and keys are as before the install, the shared parents kept"

echo "== [${SECONDS}s] installing, then into a folder of the user's, again without /D, uninstalling"
wine "$setup" /S || fail "the installer exited with status $?"
for d in '/D=C:\Kanji' ''; do # the first moves it, the second stays where the first went
    wine "$setup" /S ${d:+"$d"} || fail "the installer exited with status $?"
    cmp -s "$program" "$WINEPREFIX/drive_c/Kanji/velmora-kanji.exe" || fail "not in C:\\Kanji"
    read_entry
    [ "$(value InstallLocation)" = 'C:\Kanji' ] || fail "InstallLocation is not C:\\Kanji"
done
wine "$WINEPREFIX/drive_c/Kanji/uninstall.exe" /S || fail "the uninstaller exited with status $?"
snapshot removed-again
same before removed-again files
same before removed-again keys
echo "   moved there and kept there; uninstalled, the user's file and folder stay"
settle
rm -rf "$WINEPREFIX" # 700 MB; a failed run keeps it to look into
echo "installer_test: passed"
