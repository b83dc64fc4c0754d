#!/usr/bin/env bash
# CTest's emulator for the Windows test programs: runs one under Wine, streaming its output, and
# runs it once more only when it failed before GoogleTest said a word. Every test program prints
# GoogleTest's banner as soon as it starts, so a failure without it is Wine failing to start the
# program (with or without a message of Wine's own); CI saw this once, as a test that "failed"
# in 0.02 s with nothing printed. A program that started and then failed is never run again: its
# failure is the test's result.
set -u
out=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX") || exit 1
trap 'rm -f "$out"' EXIT
rc=0
for attempt in 1 2; do
  wine "$@" 2>&1 | tee "$out"
  rc=${PIPESTATUS[0]}
  if [ "$rc" -eq 0 ] || grep -q -e '^Running main() from' -e '^\[==========\]' "$out"; then
    exit "$rc"
  fi
  echo "wine-run: Wine ended with exit code $rc before the program started (attempt $attempt)" >&2
done
exit "$rc"
