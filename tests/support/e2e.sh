# Sourced by the end-to-end scripts: a scratch folder removed at exit with the started program
# stopped, `fail`, and starting a window program until its window shows.
set -euo pipefail
work=$(mktemp -d)
# Installs start the installed launcher, whose window would otherwise stay until a user closes
# it: it closes itself after this long (a script about the launcher itself unsets it).
export PLAYCRATE_LIFETIME_MS=${PLAYCRATE_LIFETIME_MS:-1500}
pid=
e2e_cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap e2e_cleanup EXIT
fail() { echo "FAIL: $*" >&2; [ -f "$work/out" ] && tail -n 5 "$work/out" >&2; exit 1; }

# start_window TITLE-REGEX COMMAND...: starts COMMAND in the background (standard output in
# $work/out), sets pid and wid. A loaded machine can refuse the very first connections to a
# fresh X server, so the program is started again, up to three times, when it gave up before
# its window appeared.
start_window() {
  local title=$1 attempt
  shift
  wid=
  for attempt in 1 2 3; do
    "$@" >"$work/out" &
    pid=$!
    for _ in $(seq 300); do
      wid=$(xdotool search --name "$title" 2>/dev/null | head -n 1 || true)
      [ -n "$wid" ] && return 0
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    echo "attempt $attempt: no window matching $title" >&2
    sleep 1
  done
  fail "window $title not found"
}

# x y width height of window $wid.
geometry() {
  xwininfo -id "$wid" | awk -F: '/Absolute upper-left X/{x=$2} /Absolute upper-left Y/{y=$2}
    /Width/{w=$2} /Height/{h=$2} END{print x+0, y+0, w+0, h+0}'
}

# drag X Y DX DY: presses button 1 at X,Y and moves by DX,DY in four steps before releasing.
drag() {
  local x=$1 y=$2 dx=$3 dy=$4 step
  sleep 0.3
  xdotool mousemove "$x" "$y"
  sleep 0.2
  xdotool mousedown 1
  sleep 0.3
  for step in 1 2 3 4; do
    xdotool mousemove $((x + dx * step / 4)) $((y + dy * step / 4))
    sleep 0.15
  done
  xdotool mouseup 1
}
