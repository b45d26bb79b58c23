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

# stop_program: ends the program start_window started and waits for it.
stop_program() {
  [ -n "$pid" ] || return 0
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=
}

# x y width height of window $wid.
geometry() {
  xwininfo -id "$wid" | awk -F: '/Absolute upper-left X/{x=$2} /Absolute upper-left Y/{y=$2}
    /Width/{w=$2} /Height/{h=$2} END{print x+0, y+0, w+0, h+0}'
}

# wait_for_size WIDTH HEIGHT: until window $wid is WIDTH x HEIGHT; sets x y w h.
wait_for_size() {
  for _ in $(seq 50); do
    read -r x y w h < <(geometry)
    [ "$w" -eq "$1" ] && [ "$h" -eq "$2" ] && return 0
    sleep 0.1
  done
  fail "size ${w}x${h}, expected $1x$2"
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

# expect_picture NAME GOLDEN_DIR TOLERANCE: takes pictures of window $wid ($work/NAME) until one
# is like GOLDEN_DIR/NAME: at most TOLERANCE pixels differing by over 10%. Retaking waits out
# painting and the caret's blinking. A difference that stays, or a missing stored picture, is
# added to $problems and the last picture kept in $actual_dir, so that one run leaves every
# differing picture to look at. SKINUI_UPDATE_GOLDEN=1 stores the first settled picture instead.
expect_picture() {
  local name=$1 golden_dir=$2 tolerance=$3 differing
  if [ "${SKINUI_UPDATE_GOLDEN:-}" = 1 ]; then
    settled_picture "$name"
    mkdir -p "$golden_dir"
    cp "$work/$name" "$golden_dir/$name"
    return 0
  fi
  if [ ! -f "$golden_dir/$name" ]; then
    settled_picture "$name"
    cp "$work/$name" "$actual_dir/$name"
    problems+="no stored picture $golden_dir/$name; this one is $actual_dir/$name. "
    return 0
  fi
  for _ in $(seq 30); do
    import -window "$wid" "$work/$name"
    differing=$(compare -metric AE -fuzz 10% "$work/$name" "$golden_dir/$name" null: 2>&1 || true)
    differing=${differing%% *}
    [ "${differing%.*}" -le "$tolerance" ] 2>/dev/null && break
    sleep 0.1
  done
  echo "$name: $differing pixels differ"
  if ! [ "${differing%.*}" -le "$tolerance" ] 2>/dev/null; then
    cp "$work/$name" "$actual_dir/$name"
    problems+="$name differs from $golden_dir/$name in $differing pixels; see $actual_dir/$name. "
  fi
}

# settled_picture NAME: a picture of window $wid in $work/NAME, taken once two pictures in a row
# are the same (the window has finished painting).
settled_picture() {
  local name=$1 previous="$work/previous-$1"
  import -window "$wid" "$previous"
  for _ in $(seq 50); do
    sleep 0.1
    import -window "$wid" "$work/$name"
    cmp -s "$work/$name" "$previous" && return 0
    mv "$work/$name" "$previous"
  done
  fail "the window did not settle for $name"
}

# wait_for_output LINES: until the program's output ($work/out, line ends of either system) has
# at least LINES lines.
wait_for_output() {
  for _ in $(seq 300); do
    [ "$(tr -d '\r' <"$work/out" | wc -l)" -ge "$1" ] && return 0
    sleep 0.1
  done
  fail "the program wrote fewer than $1 lines"
}

# gallery_tour GOLDEN_DIR TOLERANCE COMMAND...: starts the gallery with COMMAND (given the fixed
# date and a long lifetime), clicks each of its ten tabs, compares each page with its picture in
# GOLDEN_DIR and the notifications printed with tests/data/gallery_notifications.txt, which
# both systems share.
gallery_tour() {
  local golden_dir=$1 tolerance=$2 tab
  shift 2
  xdotool mousemove 0 0  # nothing hot in the pictures
  start_window "^SkinUI Gallery$" "$@" --date 2026-01-15 120000
  wait_for_size 640 420
  actual_dir="$build/tests/golden-actual"
  mkdir -p "$actual_dir"
  problems=
  # Tab buttons are 60 wide with 2 between them, in the 28-high bar at the top.
  for tab in 0 1 2 3 4 5 6 7 8 9; do
    xdotool mousemove $((x + tab * 62 + 30)) $((y + 14))
    sleep 0.2
    xdotool click 1
    xdotool mousemove 0 0
    wait_line "$work/out" "^notify click tab$tab"$'\r'"?\$"  # Windows ends lines with CR LF
    expect_picture "gallery_tab$tab.png" "$golden_dir" "$tolerance"
  done
  local expected="${SKINUI_TEST_DATA:-$(dirname "${BASH_SOURCE[0]}")/../data}/gallery_notifications.txt"
  wait_for_output "$(wc -l <"$expected")"
  if ! diff <(tr -d '\r' <"$work/out" | head -n "$(wc -l <"$expected")") "$expected" >"$work/diff"; then
    problems+="the notifications differ from $expected: $(cat "$work/diff"). "
  fi
  [ -z "$problems" ] || fail "$problems"
  echo "gallery: ten tabs switched, each like its stored picture, the notifications as expected"
}

# wait_line FILE REGEX: waits up to 30 s for a line of FILE to match REGEX.
wait_line() {
  for _ in $(seq 300); do
    grep -aqE -- "$2" "$1" 2>/dev/null && return 0
    sleep 0.1
  done
  fail "no line matching /$2/ in $1: $(tail -n 3 "$1" 2>/dev/null)"
}

# find_window TITLE-REGEX: waits up to 30 s for a visible window whose name matches and sets
# found to its id; fails when none shows.
find_window() {
  found=
  for _ in $(seq 300); do
    found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
    [ -n "$found" ] && return 0
    sleep 0.1
  done
  fail "no window $1"
}

# dialog TITLE-REGEX: waits for a dialog window and sets dlg, dx, dy, dw, dh.
dialog() {
  find_window "$1"
  dlg=$found
  eval "$(xdotool getwindowgeometry --shell "$dlg" | sed 's/^X=/dx=/;s/^Y=/dy=/;s/^WIDTH=/dw=/;s/^HEIGHT=/dh=/')"
}

# dialog_key TITLE-REGEX KEY: presses KEY in the dialog. A bare X server gives the keyboard to
# the window under the pointer, so the pointer goes into the dialog first.
dialog_key() {
  dialog "$1"
  xdotool mousemove $((dx + 10)) $((dy + 10))
  sleep 0.2
  xdotool key "$2"
}

# dialog_click TITLE-REGEX PX PY: clicks the dialog at PX %, PY % of its width and height.
dialog_click() {
  dialog "$1"
  xdotool mousemove $((dx + dw * $2 / 100)) $((dy + dh * $3 / 100))
  sleep 0.2
  xdotool click 1
}

# open_setup PREFIX: starts $program (the installer) in PREFIX with its debug output in
# $work/log and waits until its window shows; sets pid, wid, wx and wy.
open_setup() {
  export SKINUI_PREFIX=$1 SKINUI_HOST=gtk SKINUI_DEBUG=1 NO_AT_BRIDGE=1
  : >"$work/log"
  start_window '^Halvane安装程序$' bash -c 'exec "$0" 2>>"$1"' "$program" "$work/log"
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name '^Halvane安装程序$' >/dev/null 2>&1 && break
    sleep 0.05
  done
  sleep 0.5  # the first frame
  read -r wx wy _ _ < <(geometry)
}

# at X Y: moves the pointer to a client point of the window $wid (at wx, wy).
at() { xdotool mousemove $((wx + $1)) $((wy + $2)); }

# wait_end [STATUS]: waits up to 30 s for $pid to end and checks its exit code (default 0).
wait_end() {
  local status=0
  for _ in $(seq 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "the program did not end"
  wait "$pid" || status=$?
  pid=
  [ "$status" -eq "${1:-0}" ] || fail "exit code $status"
}
