#!/usr/bin/env bash
# Installs what this machine is missing, then builds the game and generates its data
# into build/game. Safe to run again: it only does what is not done yet.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake ninja-build pkg-config
          liballegro4-dev libvorbis-dev libogg-dev libpng-dev
          libgtest-dev libgmock-dev googletest libbenchmark-dev libx11-dev
          clang libclang-rt-dev
          xvfb xauth xdotool x11-utils imagemagick vorbis-tools sox)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi

jobs=$(nproc)
# Warnings stop the build (GOR_WERROR=OFF in the environment lets it go on, as play.sh does).
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGOR_WERROR="${GOR_WERROR:-ON}" >/dev/null
cmake --build build -j "$jobs"
