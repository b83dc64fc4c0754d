#!/usr/bin/env bash
# Builds setup.exe and the start-up benchmark, then runs it under Wine in the benchmark's prefix.
#   bench/startup.sh [rounds]
bench_targets="setup startup_bench"
source "$(dirname "$0")/prepare.sh"
# Measured as shipped: without debug information, which the release build strips too (under
# Wine a 9 MB program with it starts some 50 ms later). Extra arguments go to the benchmark.
bin="$root/build/bench/bin"
mkdir -p "$bin"
for program in setup startup_bench; do
  x86_64-w64-mingw32-strip -o "$bin/$program.exe" "$root/build/windows-x64/bin/$program.exe"
done
wine "$bin/startup_bench.exe" "$(winepath -w "$bin/setup.exe")" "$(winepath -w "$root/samples/scrivex")" "$@"
