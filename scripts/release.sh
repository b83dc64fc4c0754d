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
#   bash scripts/release.sh --sign <certificate.pfx | pkcs11:key-URI> [--check]
#                                     sign every program (Authenticode, SHA-256) before it is
#                                     packaged; settings in scripts/release-signing.sh. --check
#                                     then compares the programs with their signatures removed
#   bash scripts/release.sh --verify <archive.zip> [--ca <certificate>]
#                                     check an archive as its receiver would (checksums and
#                                     signatures, see scripts/release-verify.sh)
#   bash scripts/release.sh [--sign ...] --from <arch>=<folder>... --out <folder>
#                                     package (and sign) programs built elsewhere, without
#                                     building: only the architectures named (win32, win64);
#                                     signed copies in <folder>/signed-<arch>
set -euo pipefail
caller=$(pwd)
cd "$(dirname "$0")/.."
root=$(pwd)

usage() {
  echo "usage: $0 [--sign <certificate.pfx | pkcs11:URI>] [--check]" >&2
  echo "       $0 [--sign <certificate.pfx | pkcs11:URI>] --from <arch>=<folder>... --out <folder>" >&2
  echo "       $0 --verify <archive.zip> [--ca <certificate>]" >&2
  exit 2
}
check=0 sign="" verify="" ca="" out="" from=()
while [ $# -gt 0 ]; do
  case $1 in
    --check) check=1 ;;
    --sign|--verify|--ca|--from|--out)
      [ $# -ge 2 ] && [ -n "$2" ] || usage
      # Paths are the caller's, from the folder the script was started in.
      path=$2
      [[ $path == /* || $path == pkcs11:* ]] || path=$caller/$path
      case $1 in
        --sign) sign=$path ;; --verify) verify=$path ;; --ca) ca=$path ;; --out) out=$path ;;
        --from)
          [[ $2 =~ ^win(32|64)=. ]] || usage
          path=${2#*=}
          [[ $path == /* ]] || path=$caller/$path
          from+=("${2%%=*}=$path") ;;
      esac
      shift ;;
    *) usage ;;
  esac
  shift
done
if [ -n "$verify" ]; then
  [ $check -eq 0 ] && [ -z "$sign" ] && [ ${#from[@]} -eq 0 ] && [ -z "$out" ] || usage
  source scripts/release-signing.sh
  signing_tools
  exec bash scripts/release-verify.sh "$verify" ${ca:+--ca "$ca"}
fi
[ -z "$ca" ] || usage
# Packaging what was built elsewhere goes to a folder of its own, never over dist/.
[ ${#from[@]} -eq 0 ] && [ -z "$out" ] || { [ ${#from[@]} -gt 0 ] && [ -n "$out" ] && [ $check -eq 0 ]; } \
  || usage

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

package() { # arch, programs folder, output folder
  local arch=$1 bin=$2 out=$3
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

# The programs of one architecture into its archive; when signing, signed copies of them (in the
# given folder) go in, and the programs as built stay unsigned where they are.
programs_into_archive() { # arch, programs folder, output folder, folder for the signed copies
  local arch=$1 bin=$2 out=$3 signed=$4
  if [ -n "$sign" ]; then
    local t0
    t0=$(date +%s%N)
    sign_programs "$bin" "$signed" "${programs[@]}"
    sign_ms=$((sign_ms + ($(date +%s%N) - t0) / 1000000))
    bin=$signed
  fi
  package "$arch" "$bin" "$out"
}

release() { # build root, output folder, signed (1) or not (0)
  local saved=$sign
  [ "$3" -eq 1 ] || sign=""
  build release-win32 "$1/release-win32"
  programs_into_archive win32 "$1/release-win32/bin" "$2" "$1/release-win32/signed"
  build release-win64 "$1/release-win64"
  programs_into_archive win64 "$1/release-win64/bin" "$2" "$1/release-win64/signed"
  (cd "$2" && sha256sum "vantora-$version-win32.zip" "vantora-$version-win64.zip" > SHA256SUMS)
  sign=$saved
}

start=$SECONDS
sign_ms=0
if [ -n "$sign" ]; then
  source scripts/release-signing.sh
  signing_tools
  signing_start "$sign"
fi

if [ ${#from[@]} -gt 0 ]; then
  mkdir -p "$out"
  rm -f "$out"/vantora-*.zip "$out/SHA256SUMS"
  archives=()
  for entry in "${from[@]}"; do
    arch=${entry%%=*} folder=$(cd "${entry#*=}" && pwd)
    programs_into_archive "$arch" "$folder" "$out" "$out/signed-$arch"
    archives+=("vantora-$version-$arch.zip")
  done
  (cd "$out" && sha256sum "${archives[@]}" > SHA256SUMS)
  echo "Wrote $out:"; (cd "$out" && cat SHA256SUMS)
  [ -z "$sign" ] || signing_summary "$sign_ms"
  exit 0
fi

rm -f dist/vantora-*.zip dist/SHA256SUMS
release build dist 1
echo "Wrote:"; (cd dist && cat SHA256SUMS)
[ -z "$sign" ] || signing_summary "$sign_ms"

if [ $check -eq 1 ]; then
  # The second build is never signed: a signature holds the signing time (and a time stamp),
  # so signed programs differ from build to build. What must not differ is the program under
  # the signature, and everything else in the package.
  release build/release-check build/release-check/dist 0
  status=0
  for arch in win32 win64; do
    for program in "${programs[@]}"; do
      cmp "build/release-$arch/bin/$program.exe" "build/release-check/release-$arch/bin/$program.exe" \
        || status=1
    done
  done
  if [ -n "$sign" ]; then
    # The shipped programs, taken from the signed archives, with their signatures removed.
    unpacked=build/release-check/signed-unpacked
    rm -rf "$unpacked" && mkdir -p "$unpacked"
    for arch in win32 win64; do
      python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' \
        "dist/vantora-$version-$arch.zip" "$unpacked"
      for program in "${programs[@]}"; do
        osslsigncode remove-signature -in "$unpacked/vantora-$version-$arch/$program.exe" \
            -out "$unpacked/$arch-$program.exe" >/dev/null \
          && cmp "$unpacked/$arch-$program.exe" "build/release-check/release-$arch/bin/$program.exe" \
          || status=1
      done
    done
    # The first build's unsigned programs packaged as the second build's were.
    for arch in win32 win64; do
      package "$arch" "build/release-$arch/bin" build/release-check/unsigned-dist
      cmp "build/release-check/unsigned-dist/vantora-$version-$arch.zip" \
          "build/release-check/dist/vantora-$version-$arch.zip" || status=1
    done
  else
    for file in SHA256SUMS "vantora-$version-win32.zip" "vantora-$version-win64.zip"; do
      cmp "dist/$file" "build/release-check/dist/$file" || status=1
    done
  fi
  if [ $status -eq 0 ]; then
    what="identical packages"
    [ -z "$sign" ] || what="identical programs once the signatures are removed, and identical packages unsigned"
    echo "check: two builds in separate folders gave $what ($((SECONDS - start)) s)"
  else
    echo "check: FAILED, the two builds differ ($((SECONDS - start)) s)"
  fi
  exit $status
fi
