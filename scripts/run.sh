#!/usr/bin/env bash
# Installs what is missing, builds, and starts the skinned installer, build/setup/HalvaneSetup
# (in the prefix of SKINUI_PREFIX, by default $XDG_DATA_HOME/skinui). Should it not be built,
# the furthest-along other program starts instead. Needs a display (X11 or Wayland); with none,
# the program says so and exits non-zero.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh release
for program in build/setup/HalvaneSetup build/tools/install/halvane_install build/demo/WindowDemo; do
  if [ -x "$program" ]; then
    echo "run: starting $program"
    exec "$program" "$@"
  fi
done
echo "run: no window program is built yet; the platform layer's unit tests show the project so far:"
cd build && exec ctest -L unit
