#!/usr/bin/env bash
# Installs the Debian 12 or 13 packages a purpose needs, skipping what is already there.
#   bash scripts/setup.sh run       build and run the program
#   bash scripts/setup.sh test      run + the test tools, the id_ID.UTF-8 locale, and the pinned
#                                   npm test tools of tests/web (package-lock.json)
#   bash scripts/setup.sh package   run + the Debian packaging and chroot tools
#   bash scripts/setup.sh web       run + emscripten, which builds the page (scripts/web.sh)
#   bash scripts/setup.sh windows   run + MinGW-w64, nsis and the icon tools, which build the
#                                   Windows program and its installer (scripts/windows.sh), and
#                                   Wine on a private X server, which tests them
set -euo pipefail

# Building, and what the program loads at run time that no library link shows.
run=(
    build-essential cmake ninja-build qt6-base-dev
    pkg-config libxcb1-dev # whether an X display is reachable, before Qt opens one
    qt6-wayland     # the wayland platform; xcb and offscreen come with libqt6gui6
    # the image and icon plugins that load the SVG window icon: Debian 13 moved them out of the
    # library into a package of their own ("a|b": the first that the release offers)
    'qt6-svg-plugins|libqt6svg6'
    fonts-ipafont-gothic fonts-dejavu-core fonts-dejavu-extra
)
test=(
    git ccache clang libclang-rt-dev libbenchmark-dev # git: the format check lists the sources
    clang-format-19 # one formatter, one verdict: Debian 12 and 13 both ship this version
    xvfb xauth x11-utils imagemagick desktop-file-utils appstream
    weston  # a headless Wayland compositor for the native Wayland test
    orca openbox at-spi2-core dbus-daemon xdotool # the screen reader test, with a session for it
    locales # a decimal-comma locale, for the tests that run under it too
    chromium firefox-esr # the page tests' engines, driven by the pinned npm puppeteer-core
    webkit2gtk-driver    # WebKitWebDriver and MiniBrowser, driven by the pinned selenium-webdriver
)
package=(git debhelper dpkg-dev lintian debootstrap) # git: the source package is what git tracks
web=(
    emscripten
    esbuild      # bundles the page's DOM modules (ui/web/page/) into one script that file:// loads
    node-jsdom   # a document without a screen, on which the build draws the window into index.html
    librsvg2-bin # rsvg-convert draws the installed app's icons from the SVG
)
windows=(
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    nsis                         # makensis and its amd64 stubs: the installer
    librsvg2-bin icoutils zip    # rsvg-convert draws the icon's sizes, icotool makes the .ico
    wine wine64 xvfb xauth       # the tests: Wine on a private X server
    openbox xdotool              # a window manager for the tests; the installer test's window
    fonts-dejavu-extra           # the faces the tests' Wine draws with
    xclip fonts-wine             # the pictures: the pasted sentence, the title bars' Marlett
)

[ $# -gt 0 ] || set -- run
wanted=("${run[@]}")
locale=
node_tools=
for purpose in "$@"; do
    case $purpose in
    run) ;;
    test) wanted+=("${test[@]}") locale=id_ID.UTF-8 node_tools=tests/web ;;
    package) wanted+=("${package[@]}") ;;
    web) wanted+=("${web[@]}") ;;
    windows) wanted+=("${windows[@]}") ;;
    *) echo "setup.sh: unknown purpose '$purpose' (run, test, package, web or windows)" >&2 &&
        exit 2 ;;
    esac
done

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

# npm for the pinned test tools of tests/web, unless a node that brings its own is installed.
if [ -n "$node_tools" ] && ! command -v npm >/dev/null; then wanted+=(npm); fi

# The apt lists, read once where a choice between packages needs them.
offered() { apt-cache show -q "$1" >/dev/null 2>&1; }
updated=false
update() {
    $updated || "${sudo[@]}" apt-get update -qq
    updated=true
}
for i in "${!wanted[@]}"; do
    [[ ${wanted[$i]} == *'|'* ]] || continue
    IFS='|' read -r -a choices <<<"${wanted[$i]}"
    chosen=
    for attempt in lists updated; do
        for p in "${choices[@]}"; do
            if offered "$p"; then chosen=$p && break 2; fi
        done
        [ $attempt = updated ] || update
    done
    wanted[$i]=${chosen:?"setup.sh: this release offers none of ${wanted[$i]}"}
done

missing=()
for p in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    update
    # A changed configuration file is kept as it is, never asked about: nothing waits for input.
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        -o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold "${missing[@]}"
fi

# locale -a spells the locale "id_ID.utf8". locale-gen keeps only what /etc/locale.gen lists, so
# the locale goes there rather than straight to localedef. The list is read whole first: with
# pipefail, grep -q's early exit would end `locale -a` by SIGPIPE and fail the pipe.
if [ -n "$locale" ] && ! grep -qix "${locale%.*}.utf8" <<<"$(locale -a 2>/dev/null)"; then
    echo "Generating the locale $locale"
    if grep -q "^# *$locale UTF-8" /etc/locale.gen; then
        "${sudo[@]}" sed -i "s/^# *$locale UTF-8/$locale UTF-8/" /etc/locale.gen
    elif ! grep -q "^$locale UTF-8" /etc/locale.gen; then
        echo "$locale UTF-8" | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
    fi
    "${sudo[@]}" locale-gen >/dev/null
fi

# The page tests' and benchmark's pinned tools (puppeteer-core, selenium-webdriver, axe-core,
# ESLint, Lighthouse), as the lockfile names them; no browser is downloaded: they drive Debian's.
if [ -n "$node_tools" ]; then
    folder="$(dirname "$0")/../$node_tools"
    if ! cmp -s "$folder/package-lock.json" "$folder/node_modules/.installed-lock.json"; then
        echo "Installing the page tests' npm tools ($node_tools)"
        (cd "$folder" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --ignore-scripts --no-audit --no-fund \
            --loglevel=error && cp package-lock.json node_modules/.installed-lock.json)
    fi
fi
