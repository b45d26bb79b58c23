#!/usr/bin/env bash
# A list of 10,000 text rows in 4 columns: built, laid out, the visible rows painted, scrolled to
# the end and painted again (bench_list from a finished release build), beside a GTK 3
# GtkTreeView over a GtkListStore of the same rows drawn offscreen (bench/list_gtk.c, compiled
# here against the system's GTK). Both run alternately in several processes; each does one
# warm-up and LIST_RUNS timed runs. Prints the medians, the peak resident memory of each, and as
# its last line "ratio <ours/gtk>". The GTK side needs a display: a private Xvfb when none is set.
set -euo pipefail
cd "$(dirname "$0")/.."
exec bash bench/gtk_peer.sh "${1:-build}" list "${LIST_PROCESSES:-3}" "${LIST_RUNS:-3}"
