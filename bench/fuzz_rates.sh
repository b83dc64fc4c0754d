#!/usr/bin/env bash
# Inputs per second of every libFuzzer target, as an earlier commit builds it ("before") and as
# the working tree builds it ("after"), measured in one run. Prints figures; it is not a test.
#   bash bench/fuzz_rates.sh [seconds] [before commit] [rounds]   (defaults 20, main, 1)
# Both variants are built with the linux-asan preset of their own tree, in build/fuzz-rates/.
# Each round runs every target before and then after for the same time, each time on a fresh
# copy of the working tree's seeds (new inputs go to an empty folder beside them), with the
# libFuzzer options its CTest entry gives. The figure is libFuzzer's final
# stat::average_exec_per_sec (the mean over the rounds); cov is the code coverage the run
# reached, in libFuzzer's own units (blocks of instrumented code).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=${1:-20}
before_ref=${2:-main}
rounds=${3:-1}
out=$root/build/fuzz-rates

# Prints one line per fuzz target of a configured build: name, program, options, seed folders,
# separated by tabs (options and folders separated by spaces).
fuzz_targets() {
  ctest --test-dir "$1" --show-only=json-v1 -R '^fuzz\.[^.]+$' | python3 -c '
import json, sys
for test in json.load(sys.stdin)["tests"]:
    # CTest adds the fixtures that make the corpus folders: not targets.
    if test["name"].count(".") != 1:
        continue
    command = test["command"]
    at = command.index("env") + 1
    while "=" in command[at] and not command[at].startswith("-"):
        at += 1
    program, rest = command[at], command[at + 1:]
    options = [a for a in rest if a.startswith("-") and not a.startswith("-max_total_time=")]
    folders = [a for a in rest if not a.startswith("-")]
    print("\t".join([test["name"][len("fuzz."):], program, " ".join(options), " ".join(folders[1:])]))
'
}

# Configures the linux-asan preset of the tree in $1 into $2 and builds its fuzz targets.
build_variant() {
  (cd "$1" && cmake --preset linux-asan -B "$2" >/dev/null)
  cmake --build "$2" -j 2 --target $(fuzz_targets "$2" | cut -f1) >/dev/null
}

echo "building before ($before_ref) and after (working tree) ..." >&2
rm -rf "$out/before-src"
mkdir -p "$out/before-src"
git archive "$before_ref" | tar -x -C "$out/before-src"
build_variant "$out/before-src" "$out/before"
build_variant "$root" "$out/after"

# Runs one target: program, options, seed folders. Prints "exec/s cov".
run_target() {
  local program=$1 options=$2 seeds=$3 work=$out/run
  rm -rf "$work" && mkdir -p "$work/new" "$work/seeds"
  for folder in $seeds; do cp -r "$folder"/. "$work/seeds/"; done
  # shellcheck disable=SC2086
  # An input that fails is a finding, not a figure: kept beside the builds and said.
  mkdir -p "$out/crashes"
  ASAN_OPTIONS=detect_leaks=1 "$program" -max_total_time="$seconds" $options \
    -artifact_prefix="$out/crashes/" "$work/new" "$work/seeds" >"$work/log" 2>&1 || true
  if grep -q 'Test unit written to' "$work/log"; then
    grep -E '^SUMMARY|Test unit written to' "$work/log" | sed "s|^|$(basename "$program"): |" >&2
  fi
  awk '/^stat::average_exec_per_sec:/ { rate = $2 }
       / cov: / { for (i = 1; i < NF; i++) if ($i == "cov:") cov = $(i + 1) }
       END { print (rate == "" ? "failed" : rate), (cov == "" ? "-" : cov) }' "$work/log"
}

declare -A before_program before_options
while IFS=$'\t' read -r name program options _; do
  before_program[$name]=$program
  before_options[$name]=$options
done < <(fuzz_targets "$out/before")

printf '| target | before exec/s | after exec/s | ratio | before cov | after cov |\n'
printf '|---|---|---|---|---|---|\n'
while IFS=$'\t' read -r name program options seeds; do
  if [ -z "${before_program[$name]:-}" ]; then
    printf '| %s | (none) | | | | |\n' "$name"
    continue
  fi
  sum_before=0 sum_after=0 cov_before=- cov_after=-
  for ((round = 1; round <= rounds; round++)); do
    read -r rate cov_before < <(run_target "${before_program[$name]}" "${before_options[$name]}" "$seeds")
    sum_before=$((sum_before + ${rate/failed/0}))
    read -r rate cov_after < <(run_target "$program" "$options" "$seeds")
    sum_after=$((sum_after + ${rate/failed/0}))
  done
  awk -v n="$name" -v b="$sum_before" -v a="$sum_after" -v r="$rounds" -v cb="$cov_before" -v ca="$cov_after" \
    'BEGIN { printf "| %s | %d | %d | %s | %s | %s |\n", n, b / r, a / r, (b > 0 ? sprintf("%.2f", a / b) : "-"), cb, ca }'
done < <(fuzz_targets "$out/after")
echo "($seconds s a run, $rounds round(s); before = $before_ref, $(git rev-parse --short "$before_ref"); after = the working tree on $(git rev-parse --short HEAD))"
