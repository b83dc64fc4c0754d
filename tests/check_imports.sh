#!/usr/bin/env bash
# Fails when a program imports a DLL outside the core system set. Everything else (C and C++
# runtimes, threading support) must be linked statically, so that nothing can be planted beside
# the program and picked up in its place.
#   check_imports.sh <objdump> <program>...
set -u
objdump=$1; shift
allowed='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comctl32|comdlg32|ws2_32|wsock32|msvcrt)\.dll$'
status=0
for program in "$@"; do
  dlls=$("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
  if [ -z "$dlls" ]; then
    echo "FAIL $program: no import table found"; status=1; continue
  fi
  for dll in $dlls; do
    if ! [[ $dll =~ $allowed ]]; then
      echo "FAIL $program imports $dll"; status=1
    fi
  done
  echo "$(basename "$program"): $(echo $dlls)"
done
exit $status
