#!/usr/bin/env bash
# Builds everything and runs every test: unit tests in the release build and again under
# AddressSanitizer + UndefinedBehaviorSanitizer, end-to-end tests under Xvfb, the short fuzz
# runs, and the Windows build's unit and end-to-end tests under Wine (in Xvfb). Prints each runner's summary and a total; exits non-zero when anything fails.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh || exit 1

passed=0 failed=0 status=0
logs=$(mktemp -d)

# run_ctest <name> <build dir> <ctest args...>
run_ctest() {
  local name=$1 dir=$2; shift 2
  echo "== $name"
  (cd "$dir" && eval "${WRAP:-} ctest --output-on-failure \"\$@\"") 2>&1 | tee "$logs/$name.log"
  local rc=${PIPESTATUS[0]}
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$logs/$name.log" | tail -n 1)
  if [ -n "$line" ]; then
    local total bad
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    bad=$(sed -E 's/.*tests passed, ([0-9]+) tests failed.*/\1/' <<<"$line")
    passed=$((passed + total - bad)); failed=$((failed + bad))
  fi
  if [ "$rc" -ne 0 ] && ! grep -q 'No tests were found' "$logs/$name.log"; then status=1; fi
}

# run_check <name> <command...>: a check over many files counts as one test, passed or failed.
run_check() {
  local name=$1; shift
  echo "== $name"
  "$@" 2>&1 | tee "$logs/$name.log"
  if [ "${PIPESTATUS[0]}" -eq 0 ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1)); status=1
  fi
}

# The code above the platform compiles against the real <windows.h>; the tree is formatted.
run_check windows bash scripts/check-windows.sh
run_check format bash scripts/format.sh --check

echo "== build (release)"
if bash scripts/build.sh release; then
  run_ctest unit build -L unit -j "$(nproc)"
  if ls tests/e2e/*.sh >/dev/null 2>&1; then
    echo "== e2e (Xvfb)"
    WRAP="bash $PWD/scripts/with-xvfb.sh" run_ctest e2e build -L e2e --timeout 300
  fi
else
  echo "release build failed"; status=1
fi

echo "== build (sanitizers)"
if bash scripts/build.sh san; then
  run_ctest unit-sanitizers build-san -L unit -j "$(nproc)"
  if ls fuzz/*.cpp >/dev/null 2>&1; then
    run_ctest fuzz-smoke build-san -L fuzz-smoke -j "$(nproc)"
  fi
else
  echo "sanitizer build failed"; status=1
fi

echo "== build (windows)"
if bash scripts/build.sh windows; then
  # One display and one Wine prefix, made before the tests start, for each run.
  wine_session="bash $PWD/scripts/with-xvfb.sh bash $PWD/scripts/with-wine.sh --session"
  WRAP=$wine_session run_ctest "unit (wine)" build-win -L unit-wine -j "$(nproc)"
  WRAP=$wine_session run_ctest "e2e (wine)" build-win -L e2e-wine --timeout 600
else
  echo "windows build failed"; status=1
fi

rm -rf "$logs"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] || status=1
exit $status
