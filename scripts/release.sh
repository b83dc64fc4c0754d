#!/usr/bin/env bash
# Builds the release package of both architectures from scratch (presets release-win32 and
# release-win64: Release, stripped, programs only) and writes
#   dist/vantora-<version>-win32.zip   the 32-bit programs (the shipping target)
#   dist/vantora-<version>-win64.zip   the 64-bit programs
#   dist/SHA256SUMS                    the two archives' checksums
# Each archive holds one folder vantora-<version>-<arch>/ with the programs, README.md, the
# sample product's theme (uninstall.lcd, uninstall.bmp) and language file, and a SHA256SUMS of
# those files. One commit gives the same bytes on every build: the programs carry no link time,
# and the archive lists its files in sorted order, each with the commit's time and fixed
# permissions.
#
#   bash scripts/release.sh           build and package
#   bash scripts/release.sh --check   also build a second time in other build folders and
#                                     compare both packages byte for byte (exit 1 if they differ)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

check=0
case "${1:-}" in
  "") ;;
  --check) check=1 ;;
  *) echo "usage: $0 [--check]" >&2; exit 2 ;;
esac

programs=(setup lotefinal updstart unstart loterun traceview themeview)
extras=(README.md samples/scrivex/language.lan samples/scrivex/theme/uninstall.bmp
        samples/scrivex/theme/uninstall.lcd)
version=$(sed -n 's/^project(VantoraMaintenance VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "no project version in CMakeLists.txt" >&2; exit 1; }
# Every time in the archives is the commit's.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
jobs=${JOBS:-2}
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "warning: uncommitted changes; the package is not the commit's" >&2
fi

build() { # preset, build folder
  rm -rf "$2"
  cmake --preset "$1" -B "$2" >/dev/null
  cmake --build "$2" -j "$jobs" --target "${programs[@]}" >/dev/null
}

package() { # arch, build folder, output folder
  local arch=$1 bin=$2/bin out=$3
  mkdir -p "$out"
  python3 - "$out/vantora-$version-$arch.zip" "vantora-$version-$arch" "$SOURCE_DATE_EPOCH" \
      "${programs[@]/#/$bin/}" -- "${extras[@]}" <<'EOF'
import hashlib, os, sys, time, zipfile
target, folder, epoch = sys.argv[1], sys.argv[2], int(sys.argv[3])
split = sys.argv.index("--")
# Programs at the top of the folder, the other files at their place in the source tree.
files = {os.path.basename(p) + ".exe": p + ".exe" for p in sys.argv[4:split]}
files.update({p: p for p in sys.argv[split + 1:]})
contents = {name: open(path, "rb").read() for name, path in files.items()}
contents["SHA256SUMS"] = "".join(
    "%s  %s\n" % (hashlib.sha256(data).hexdigest(), name)
    for name, data in sorted(contents.items())).encode()
stamp = time.gmtime(max(epoch, 315532800))[:6]  # a zip cannot say a time before 1980
with zipfile.ZipFile(target, "w") as archive:
    for name in sorted(contents):
        info = zipfile.ZipInfo(folder + "/" + name, date_time=stamp)
        info.compress_type = zipfile.ZIP_DEFLATED
        info.create_system = 3
        info.external_attr = 0o100644 << 16
        archive.writestr(info, contents[name], compresslevel=9)
EOF
}

release() { # build root, output folder
  build release-win32 "$1/release-win32"
  package win32 "$1/release-win32" "$2"
  build release-win64 "$1/release-win64"
  package win64 "$1/release-win64" "$2"
  (cd "$2" && sha256sum "vantora-$version-win32.zip" "vantora-$version-win64.zip" > SHA256SUMS)
}

start=$SECONDS
rm -f dist/vantora-*.zip dist/SHA256SUMS
release build dist
echo "Wrote:"; (cd dist && cat SHA256SUMS)

if [ $check -eq 1 ]; then
  release build/release-check build/release-check/dist
  status=0
  for arch in win32 win64; do
    for program in "${programs[@]}"; do
      cmp "build/release-$arch/bin/$program.exe" "build/release-check/release-$arch/bin/$program.exe" \
        || status=1
    done
  done
  for file in SHA256SUMS "vantora-$version-win32.zip" "vantora-$version-win64.zip"; do
    cmp "dist/$file" "build/release-check/dist/$file" || status=1
  done
  if [ $status -eq 0 ]; then
    echo "check: two builds in separate folders gave identical packages ($((SECONDS - start)) s)"
  else
    echo "check: FAILED, the two builds differ ($((SECONDS - start)) s)"
  fi
  exit $status
fi
