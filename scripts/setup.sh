#!/usr/bin/env bash
# Installs, quietly and only when missing, every Debian package the build, the program and the
# tests need. Safe to run again and again.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev ccache
  libgtest-dev libgmock-dev libbenchmark-dev
  libgtk-3-dev libcairo2-dev libpango1.0-dev
  libsqlite3-dev sqlite3 libarchive-dev zlib1g-dev libminizip-dev libstb-dev
  fonts-dejavu-core fonts-wqy-microhei
  xvfb xauth xdotool x11-utils imagemagick liblnk-utils 7zip libarchive-tools zip unzip
  libpugixml-dev libexpat1-dev python3
  g++-mingw-w64-x86-64-posix clang-format
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
