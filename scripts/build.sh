#!/usr/bin/env bash
# build.sh [release|san|windows]: configures and builds one of the build folders: build/ (release),
# build-san/ (sanitizers) or build-win/ (the Windows programs, cross-compiled with mingw-w64 after
# scripts/windows-deps.sh has made sure their libraries are built).
set -euo pipefail
cd "$(dirname "$0")/.."
kind=${1:-release}
jobs=${SKINUI_JOBS:-$(nproc)}
# A compiler cache makes a second build of unchanged sources (another clone, CI) nearly free.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  # Paths relative to the checkout, so that every clone shares one cache.
  export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1
fi
case "$kind" in
  release)
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
    cmake --build build -j "$jobs" ;;
  san)
    cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSKINUI_SANITIZE=ON \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" >/dev/null
    cmake --build build-san -j "$jobs" ;;
  windows)
    bash scripts/windows-deps.sh
    cmake -S . -B build-win -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" "${launcher[@]}" >/dev/null
    cmake --build build-win -j "$jobs" ;;
  *) echo "usage: build.sh [release|san|windows]" >&2; exit 2 ;;
esac
