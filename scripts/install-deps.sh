#!/usr/bin/env bash
# Installs the Debian packages Rampix needs to build ("build") or to build and test ("test").
# Only missing packages are installed; nothing is downloaded outside apt.
set -euo pipefail

build_pkgs=(cmake g++ make pkg-config freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev libegl-dev
            libgl1-mesa-dri libsdl2-dev libfreetype-dev fonts-dejavu-core libx11-dev libxrandr-dev libpng-dev)
test_pkgs=(libgtest-dev xvfb xauth file libx11-dev libxtst-dev x11-xserver-utils clang libclang-rt-dev
           desktop-file-utils groff-base man-db dpkg-dev appstream lintian devscripts x11-utils)
# devscripts brings hardening-check and x11-utils xprop, both used by the packaging and window tests.

want=("${build_pkgs[@]}")
[ "${1:-build}" = test ] && want+=("${test_pkgs[@]}")

missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
