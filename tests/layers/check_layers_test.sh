#!/usr/bin/env bash
# The layer check catches each kind of breach and lets allowed includes be: it runs on a
# scratch copy of the source folders with one change at a time.
# Usage: check_layers_test.sh <source root>
set -uo pipefail
src=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

fresh_copy() {
  rm -rf "$scratch/tree"
  mkdir -p "$scratch/tree/scripts"
  cp "$src/scripts/check-layers.sh" "$scratch/tree/scripts/"
  for d in Utils Core Control Layout setup tools demo; do
    [ -d "$src/$d" ] && cp -r "$src/$d" "$scratch/tree/"
  done
}

# expect <pass|fail> <what the output must contain, or ""> <description>
expect() {
  local want=$1 needle=$2 what=$3 out rc
  out=$(bash "$scratch/tree/scripts/check-layers.sh" "$scratch/tree" 2>&1)
  rc=$?
  if { [ "$want" = pass ] && [ $rc -ne 0 ]; } || { [ "$want" = fail ] && [ $rc -ne 1 ]; } ||
     { [ -n "$needle" ] && ! grep -qF -- "$needle" <<<"$out"; }; then
    echo "FAILED: $what (exit $rc)"
    echo "$out" | sed 's/^/    /'
    failures=$((failures + 1))
  else
    echo "ok: $what"
  fi
}

# add <file> <line>: appends an include line to a new or existing file of the copy.
add() {
  mkdir -p "$(dirname "$scratch/tree/$1")"
  echo "$2" >>"$scratch/tree/$1"
}

fresh_copy
expect pass "layers: clean" "the tree as it is passes"

fresh_copy
add Control/Allowed.cpp '#include "Layout/Anything.h"'
add Layout/Allowed.cpp '#include "Utils/Utils.h"'
add Layout/Allowed.cpp '#include "Platform/Win32.h"'
add Layout/Allowed.cpp '#include <vector>'
add tools/Allowed.cpp '#include "setup/InstallNames.h"'
expect pass "" "lower layers, the public platform headers and the standard library are allowed"

fresh_copy
add Core/Reach.cpp '#include "Platform/Window/WindowOps.h"'
expect fail "Core/Reach.cpp:1: includes the platform's own header Platform/Window/WindowOps.h" \
  "a platform-internal header above the platform"

fresh_copy
add Core/Driver.cpp '#include "Platform/Host/Headless/Headless.h"'
expect fail "Core/Driver.cpp:1:" "the headless driver outside the tests"

fresh_copy
add Utils/Up.h '#pragma once'
add Utils/Up.h '  #  include "Core/UIBase.h"'
expect fail "Utils/Up.h:2: Utils includes Core/UIBase.h of the higher layer Core" "a lower layer reaching up"

fresh_copy
add setup/Up.cpp '#include "tools/install/ProgressWindow.h"'
expect fail "setup/Up.cpp:1: setup includes tools/install/ProgressWindow.h" "the installer's logic reaching into a tool"

fresh_copy
add Control/Os.h '#include <cairo.h>'
add Control/Os.h '#include <sys/stat.h>'
add Control/Os.h '#include <windows.h>'
expect fail "3 layer breach(es)" "system and toolkit headers outside the platform"

fresh_copy
add setup/Tests.cpp '#include "tests/support/TempDir.h"'
expect fail "includes the test header tests/support/TempDir.h" "a test header in the program"

fresh_copy
first_pending=$(grep -m1 -o '"[a-z]*/[^"]*:Platform/[^"]*"' "$scratch/tree/scripts/check-layers.sh" | tr -d '"')
if [ -n "$first_pending" ]; then
  file=${first_pending%%:*} header=${first_pending#*:}
  sed -i "\\|#include \"$header\"|d" "$scratch/tree/$file"
  expect fail "the pending breach $first_pending is gone" "a pending breach that was mended must leave the list"
fi

[ $failures -eq 0 ] && echo "all cases pass" || exit 1
