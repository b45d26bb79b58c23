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
  wine wine64 libz-mingw-w64-dev dpkg-dev
)

# The Windows build compiles some of its libraries from Debian's source packages
# (scripts/windows-deps/), so apt needs the deb-src entries of the binary ones.
has_deb_src() {
  grep -Eqs '^[[:space:]]*(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/*
}
add_deb_src() {
  local deb822=/etc/apt/sources.list.d/debian.sources
  if [ -f "$deb822" ]; then
    sed -i -E 's/^Types:[[:space:]]*deb[[:space:]]*$/Types: deb deb-src/' "$deb822"
  elif [ -f /etc/apt/sources.list ]; then
    sed -n -E 's/^[[:space:]]*deb[[:space:]]/deb-src /p' /etc/apt/sources.list \
      >/etc/apt/sources.list.d/skinui-deb-src.list
  fi
}
if ! has_deb_src; then
  echo "setup: adding the deb-src entries"
  add_deb_src
fi
# The source index is read after an update; a failed earlier update is made good here.
update_needed=
apt-cache showsrc zlib 2>/dev/null | grep -q '^Package:' || update_needed=1

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ] || [ -n "$update_needed" ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
