#!/usr/bin/env bash
# Builds setup.exe and the benchmark, then runs it under Wine in a prefix of its own.
#   bench/run.sh [runs] [N ...]   (the windowed figures use the sample product's theme)
#   bench/run.sh --log [runs] [N ...]   (the cost of /LOG=<file>: /S /LOG against /S)
bench_targets="setup removal_bench"
source "$(dirname "$0")/prepare.sh"
bin="$root/build/windows-x64/bin"
if [ "${1:-}" = "--log" ]; then
  wine "$bin/removal_bench.exe" "$(winepath -w "$bin/setup.exe")" "$@"
else
  wine "$bin/removal_bench.exe" "$(winepath -w "$bin/setup.exe")" "$(winepath -w "$root/samples/scrivex")" "$@"
fi
