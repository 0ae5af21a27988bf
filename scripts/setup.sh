#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs, skipping what is already there.
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache clang libclang-rt-14-dev clang-format
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
    libbenchmark-dev
    fonts-ipafont-gothic fonts-dejavu-core fonts-dejavu-extra
    libqt6svg6 # the image and icon plugins that load the SVG window icon
    xvfb xauth imagemagick
    desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
