#!/usr/bin/env bash
# with-xvfb.sh COMMAND...: runs COMMAND with DISPLAY pointing at a private Xvfb server. The
# server picks a free display number itself (-displayfd), so several runs on one machine never
# race for the same number, as `xvfb-run -a` can.
set -euo pipefail
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true; rm -f "$fifo"' EXIT
read -r -t 30 number <"$fifo" || { echo "with-xvfb: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$number"
unset WAYLAND_DISPLAY
# Under heavy load the first clients can still be refused; wait until one gets through.
for _ in $(seq 100); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done
"$@"
