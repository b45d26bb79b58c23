#!/usr/bin/env bash
# build.sh [release|san]: configures and builds one of the two build folders.
set -euo pipefail
cd "$(dirname "$0")/.."
kind=${1:-release}
jobs=${SKINUI_JOBS:-$(nproc)}
case "$kind" in
  release)
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build -j "$jobs" ;;
  san)
    cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSKINUI_SANITIZE=ON \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
    cmake --build build-san -j "$jobs" ;;
  *) echo "usage: build.sh [release|san]" >&2; exit 2 ;;
esac
