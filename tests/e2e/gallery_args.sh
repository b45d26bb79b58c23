#!/usr/bin/env bash
# The gallery's command line: a value it cannot use is refused with exit code 2 and a message
# naming it, before any window opens, rather than silently showing another date or living
# forever. Run with the build folder as $1 (no display is needed: nothing gets that far).
build=$1
demo="$build/demo/Gallery"
source "$(dirname "$0")/../support/e2e.sh"

# arguments|text the message must hold
cases=(
  "--date|--date needs a value"
  "--date 2026-02-29|2026-02-29"
  "--date 2100-02-29|2100-02-29"
  "--date 2026-04-31|2026-04-31"
  "--date 2026-13-01|2026-13-01"
  "--date 2026-00-10|2026-00-10"
  "--date 2026-01-00|2026-01-00"
  "--date 2026-1-15|2026-1-15"
  "--date 26-01-15|26-01-15"
  "--date 2026-01-15x|2026-01-15x"
  "--date 2026/01/15|2026/01/15"
  "--date 1600-12-31|1600-12-31"
  "--date +026-01-15|+026-01-15"
  "12x|12x"
  "99999999999|99999999999"
  "-5|-5"
  "--lifetime 10|--lifetime"
  "100 200|200"
)
for row in "${cases[@]}"; do
  args=${row%%|*} expected=${row#*|}
  # shellcheck disable=SC2086  # the arguments are split on purpose
  if env -u DISPLAY -u WAYLAND_DISPLAY SKINUI_HOST=gtk timeout 20 "$demo" $args >"$work/out" 2>"$work/err"; then
    fail "'$args' was accepted"
  else
    rc=$?
  fi
  [ "$rc" -eq 2 ] || fail "'$args' ended with $rc, expected 2: $(cat "$work/err")"
  grep -qF -- "$expected" "$work/err" || fail "'$args': the message does not name '$expected': $(cat "$work/err")"
  grep -q "usage: Gallery" "$work/err" || fail "'$args': no usage line"
done

# Usable command lines get past the arguments: here, without a display, as far as the host.
export LSAN_OPTIONS="suppressions=$(dirname "$0")/../lsan.supp:print_suppressions=0"
accepted=("--date 2000-02-29" "--date 2024-02-29 5" "--date 1601-01-01" "--date 9999-12-31"
          "86400000 --date 2026-01-15" "")
for args in "${accepted[@]}"; do
  # shellcheck disable=SC2086
  env -u DISPLAY -u WAYLAND_DISPLAY SKINUI_HOST=gtk timeout 20 "$demo" $args >"$work/out" \
    2>"$work/err" && fail "'$args' started without a display"
  grep -q "cannot open a display" "$work/err" ||
    fail "'$args' did not get as far as the display: $(cat "$work/err")"
  ! grep -q "usage: Gallery" "$work/err" || fail "'$args' was refused: $(cat "$work/err")"
done
echo "gallery arguments: ${#cases[@]} unusable command lines refused, ${#accepted[@]} taken"
