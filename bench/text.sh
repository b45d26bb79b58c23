#!/usr/bin/env bash
# A 20-line rich-text block with bold, colour and link tags drawn by our layout engine, beside
# pango markup of the same text drawn with raw pango. Needs a finished release build; the last
# line is "ratio <x.xx>", our time over pango's.
set -euo pipefail
export SKINUI_HOST=headless
exec bash "$(dirname "$0")/compare.sh" text pango "$@"
