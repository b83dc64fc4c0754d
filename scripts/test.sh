#!/usr/bin/env bash
# Builds the three configurations and runs every test:
#   native (portable logic under ASan/UBSan, plus bounded fuzz runs),
#   Windows x86_64 (unit, Win32 and end-to-end tests under Wine, inside Xvfb),
#   Windows i686 (the shipping target: built, not run).
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/deps.sh || exit 1
jobs=$(nproc)
status=0
summary=()

run_ctest() { # name, then ctest arguments
  local name=$1; shift
  local log="$root/build/$name-ctest.log"
  "$@" 2>&1 | tee "$log"
  local rc=${PIPESTATUS[0]}
  [ "$rc" -eq 0 ] || status=1
  summary+=("$name: $(grep -E 'tests passed|tests failed' "$log" | tail -n 1)")
}

echo "== native: portable logic under sanitizers"
cmake --preset linux-asan >/dev/null && cmake --build --preset linux-asan -j "$jobs" || exit 1
run_ctest linux-asan ctest --preset linux-asan -j "$jobs"

echo "== Windows x86_64 under Wine"
cmake --preset windows-x64 >/dev/null && cmake --build --preset windows-x64 -j "$jobs" || exit 1
source scripts/wine-env.sh
# Windows need a display (message boxes, viewer windows), the prefix's desktop included.
run_ctest windows-x64 with_display bash scripts/windows-tests.sh

echo "== Windows i686 (shipping target, build only)"
if cmake --preset windows-i686 >/dev/null && cmake --build --preset windows-i686 -j "$jobs"; then
  # The shipping programs (not the benchmark nor the demonstration's driver) hold to the same
  # import allow-list as the tested x86_64 ones.
  programs=$(ls build/windows-i686/bin/*.exe | grep -v -e removal_bench -e startup_bench -e demo_driver)
  bash tests/check_imports.sh i686-w64-mingw32-objdump $programs || status=1
  # Their version resources and manifests, read on the host (they cannot run here).
  version=$(sed -n 's/^project(VantoraMaintenance VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
  python3 tests/check_resources.py "$version" $programs || status=1
else
  status=1
fi

echo
printf '%s\n' "${summary[@]}"
passed=0; failed=0
for log in build/linux-asan-ctest.log build/windows-x64-ctest.log; do
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
  bad=$(sed -E 's/.*, ([0-9]+) tests failed.*/\1/' <<<"$line")
  [ -n "$total" ] && passed=$((passed + total - bad)) && failed=$((failed + bad))
done
echo "$passed passed, $failed failed"
exit $status
