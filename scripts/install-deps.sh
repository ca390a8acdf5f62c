#!/usr/bin/env bash
# Installs what Quorix needs to build, run and test on Debian 12. Run as root.
set -euo pipefail
packages=(
  g++ cmake ninja-build pkg-config python3
  clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-translations-l10n libjpeg-dev fonts-liberation fonts-dejavu-core
  libgl-dev libglu1-mesa-dev libegl-dev libegl-mesa0 libgl1-mesa-dri
  libqt6opengl6-dev libfreetype-dev
  libshp-dev libsdl2-dev libsndfile1-dev libfluidsynth-dev timgm6mb-soundfont
  libzip-dev libpugixml-dev zlib1g-dev
  xvfb xauth
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}"
fi
