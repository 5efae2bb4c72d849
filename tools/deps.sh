#!/usr/bin/env bash
# Installs the Debian packages that building and testing Tessark need.
# Does nothing when they are all there already.
set -eu
packages=(
  cmake ninja-build g++ clang googletest
  g++-mingw-w64-x86-64-posix
  wine wine64
  xvfb x11-utils x11-apps imagemagick xdotool bc sox
  libz-mingw-w64-dev zlib1g-dev nasm dosbox lld zip unzip openbox python3
  pulseaudio pulseaudio-utils
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
