#!/usr/bin/env bash
# Installs what KDX needs to build, run and test on Debian 12, when it is missing: the
# Linux build, and the Windows build (mingw-w64 with posix threads) with Wine to test it.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev libxkbcommon-dev
  libgtest-dev libgmock-dev googletest
  xvfb xauth x11-utils xdotool openbox wmctrl
  fonts-ipafont-gothic fonts-ipafont-mincho
  tree util-linux
  qt6-translations-l10n qt6-qpa-plugins
  desktop-file-utils appstream file dpkg-dev
  g++-mingw-w64-x86-64-posix wine wine64 fonts-wine locales zip imagemagick
  libfuse3-dev fuse3
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
fi
