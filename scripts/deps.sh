#!/usr/bin/env bash
# Installs, with apt-get, whatever the build and the tests need and the machine lacks.
# Safe to run again: it installs nothing when everything is there.
set -euo pipefail

need=()
have_cmd() { command -v "$1" >/dev/null 2>&1; }
have_file() { [ -e "$1" ]; }

have_cmd cmake || need+=(cmake)
have_cmd ninja || need+=(ninja-build)
have_cmd x86_64-w64-mingw32-g++-posix || need+=(g++-mingw-w64-x86-64)
have_cmd i686-w64-mingw32-g++-posix || need+=(g++-mingw-w64-i686)
# Only the 64-bit Wine: these machines cannot execute 32-bit code, and Debian's wine runs
# 64-bit programs through wine64 when wine32 is absent.
have_cmd wine || need+=(wine)
have_file /usr/lib/wine/wine64 || need+=(wine64)
have_cmd xvfb-run || need+=(xvfb)
have_cmd xauth || need+=(xauth)
have_file /usr/src/googletest/CMakeLists.txt || need+=(googletest)
have_cmd clang++ || need+=(clang)
# The host-side resource check and the release packaging.
have_cmd python3 || need+=(python3)
# Signing and checking the release's programs (and the test that does both).
have_cmd osslsigncode || need+=(osslsigncode)
have_cmd openssl || need+=(openssl)
# A software token and OpenSSL's PKCS#11 engine: the test signs with a key on a token too.
have_cmd softhsm2-util || need+=(softhsm2)
have_file /usr/lib/x86_64-linux-gnu/engines-3/pkcs11.so || need+=(libengine-pkcs11-openssl)
# The syntax check of the Ansible sample in samples/deployment/ (about 90 s to install).
have_cmd ansible-playbook || need+=(ansible)
have_file "$(clang++ -print-file-name=libclang_rt.fuzzer-x86_64.a 2>/dev/null || echo /nonexistent)" \
  || need+=(libclang-rt-14-dev)

if [ ${#need[@]} -gt 0 ]; then
  echo "Installing: ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q "${need[@]}"
  # wine64 alone leaves no 'wine' on some set-ups; recommends bring its helper scripts.
  have_cmd wine || apt-get install -y -q wine
fi
