#!/usr/bin/env bash
# The whole install in a real process on X: the payload linked into halvane_install, a window of
# the setup window's class and title receiving the progress from the extraction thread, the
# files, records, shortcuts, pins and the started launcher, the window hidden by the worker and
# the program ended about three seconds later; then a second install elsewhere unpins the first.
# Run under Xvfb with the build folder as $1.
build=$1
tool="$build/tools/install/halvane_install"
reg="$build/tools/reg/skinui-reg"
source "$(dirname "$0")/../support/e2e.sh"

export SKINUI_PREFIX="$work/prefix" SKINUI_HOST=gtk SKINUI_WINVER=6.1
drive_c="$SKINUI_PREFIX/drive_c"
installed="$drive_c/Program Files/Halvane"

# A fresh X server can refuse its very first clients on a loaded machine: try again if the
# program gave up before its window appeared.
for attempt in 1 2 3; do
  start=$(date +%s.%N)
  "$tool" 'C:\Program Files\Halvane' >"$work/out" 2>"$work/err" &
  pid=$!
  seen=
  for _ in $(seq 200); do
    seen=$(xdotool search --onlyvisible --name '^Halvane安装程序$' 2>/dev/null | head -n 1 || true)
    [ -n "$seen" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  [ -n "$seen" ] && break
  wait "$pid" || true
  pid=
  grep -q "cannot open a display" "$work/err" || fail "window never shown: $(cat "$work/err")"
  echo "install attempt $attempt could not open the display" >&2
  sleep 1
done
[ -n "$seen" ] || fail "the progress window never appeared"

# The worker hides the window right after the launch and ends the program three seconds later.
hidden_at=
for _ in $(seq 600); do
  if [ -z "$(xdotool search --onlyvisible --name '^Halvane安装程序$' 2>/dev/null || true)" ]; then
    hidden_at=$(date +%s.%N)
    break
  fi
  sleep 0.05
done
[ -n "$hidden_at" ] || fail "the window was never hidden"
status=0
wait "$pid" || status=$?
pid=
ended_at=$(date +%s.%N)
[ "$status" -eq 0 ] || fail "halvane_install exited $status: $(cat "$work/err")"
awk -v h="$hidden_at" -v e="$ended_at" 'BEGIN { d = e - h; exit !(d >= 2.5 && d <= 6) }' ||
  fail "ended $(awk -v h="$hidden_at" -v e="$ended_at" 'BEGIN{print e-h}') s after hiding"

# Progress: 0 first, never falling, 100 last.
awk '/^progress/ { v = $2; if (n++ == 0 && v != 0) bad = "first " v; if (v < last) bad = "fell to " v; last = v }
     END { if (n == 0) bad = "none"; else if (last != 100) bad = bad " last " last; if (bad) { print bad; exit 1 } }' \
  "$work/out" || fail "progress: $(tr '\n' ' ' <"$work/out")"

# The files, as 7zz unpacks the payload.
7zz x -bso0 -bsp0 -o"$work/reference" "$build/assets/payload/payload.7z"
diff -r -x PlayCrate.log -x Halvane.lnk -x uninstall.lst "$work/reference" "$installed" >/dev/null ||
  fail "installed files differ from the payload"
[ -z "$(find "$SKINUI_PREFIX" -name KestroPlayCrate.7z)" ] || fail "temporary archive left behind"

# The launcher started from the install directory with the installer's path as its argument.
for _ in $(seq 50); do [ -s "$installed/PlayCrate.log" ] && break; sleep 0.1; done
grep -qx 'argv0=C:\\Program Files\\Halvane\\PlayCrate.exe' "$installed/PlayCrate.log" ||
  fail "launcher record: $(cat "$installed/PlayCrate.log" 2>/dev/null)"
grep -q '^arg=Z:\\.*halvane_install$' "$installed/PlayCrate.log" || fail "launcher argument missing"

# Records, shortcuts and pins.
# (Whole outputs are taken first: grep -q would stop reading early and fail the pipeline.)
record=$("$reg" query 'HKCU\Software\Halvane' /v InstallPath)
grep -q 'REG_SZ *C:\\Program Files\\Halvane\\$' <<<"$record" || fail "InstallPath: $record"
entry=$("$reg" query 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Halvane' /v UninstallString)
grep -q 'C:\\Program Files\\Halvane\\Uninstall.exe$' <<<"$entry" || fail "uninstall entry: $entry"
for link in "$drive_c/users/Public/Desktop/Halvane.lnk" "$installed/Halvane.lnk" \
            "$(find "$drive_c/users" -path '*Start Menu/Programs/Halvane/Halvane.lnk')"; do
  [ -f "$link" ] || fail "no shortcut $link"
  info=$(lnkinfo "$link")
  grep -q 'Local path.*: C:\\Program Files\\Halvane\\PlayCrate.exe$' <<<"$info" || fail "$link: $info"
done
grep -qx $'TaskbarPin\tC:\\\\Program Files\\\\Halvane\\\\\\\\Halvane.lnk' "$SKINUI_PREFIX/shell-verbs.log" ||
  fail "not pinned: $(cat "$SKINUI_PREFIX/shell-verbs.log")"

# A second install elsewhere first unpins the earlier shortcut.
"$tool" 'C:\Games\Halvane' --no-desktop --no-startmenu --no-taskbar >"$work/out2" 2>"$work/err2" ||
  fail "second install: $(cat "$work/err2")"
grep -qx $'taskbarunpin\tC:\\\\Program Files\\\\Halvane\\\\Halvane.lnk' "$SKINUI_PREFIX/shell-verbs.log" ||
  fail "earlier install not unpinned: $(cat "$SKINUI_PREFIX/shell-verbs.log")"
[ -f "$drive_c/Games/Halvane/PlayCrate.exe" ] || fail "second install missing"
echo "install: $(grep -c '^progress' "$work/out") progress reports, files, records, shortcuts, pins, launch and unpin checked"
