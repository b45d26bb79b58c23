#!/usr/bin/env bash
# Builds, lays out and paints a skin of 10,000 labels in a tile layout (bench_layout from a
# finished release build) beside a GTK 3 program doing the same from a GtkBuilder file
# (bench/layout_gtk.c, compiled here against the system's GTK). Both run in the same
# invocation, alternately, several times; each process does one warm-up and LAYOUT_RUNS timed
# runs. Prints the medians, the peak resident memory of each, and as its last line
# "ratio <ours/gtk>". The GTK side needs a display: a private Xvfb when none is set.
set -euo pipefail
cd "$(dirname "$0")/.."
exec bash bench/gtk_peer.sh "${1:-build}" layout "${LAYOUT_PROCESSES:-3}" "${LAYOUT_RUNS:-3}"
