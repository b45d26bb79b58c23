#!/usr/bin/env bash
# The verb check the installer makes before it pins, under Wine: for a shortcut the shell offers
# "open" (in any case of letters) and not the Windows 7 pin verbs, which Wine does not have; a
# doubled backslash in the path (as the installer joins it) changes nothing; a file that is not
# there offers nothing. Run with the Windows build folder as $1.
build=$(cd "$1" && pwd)
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/tests/support/e2e.sh"
export SKINUI_WINEPREFIX=${SKINUI_WINEPREFIX:-$build/wineprefix}
probe() { bash "$root/scripts/with-wine.sh" "$build/tests/wine/shell_verb_probe.exe" "$@" | tr -d '\r'; }

cp "$build/assets/payload/programs/PlayCrate.exe" "$work/Game.exe"
folder="Z:${work//\//\\}"
answers=$(probe "$folder\\Game.exe" open OPEN TaskbarPin StartPin taskbarunpin)
[ "$answers" = $'open 1\nOPEN 1\nTaskbarPin 0\nStartPin 0\ntaskbarunpin 0' ] || fail "$answers"
[ "$(probe "$folder\\\\Game.exe" open)" = "open 1" ] || fail "a doubled backslash hides the file"
[ "$(probe "$folder\\Missing.exe" open)" = "open 0" ] || fail "a missing file offers a verb"
echo "shell_verbs: offered verbs found, missing ones not"
