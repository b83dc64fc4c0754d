#!/usr/bin/env bash
# Signed release package, made with release.sh from the programs this build has made (stripped
# as the release's are, win64 only: building the release presets takes minutes), under a
# throwaway self-signed code-signing certificate. Checks what a receiver's --verify accepts and
# refuses, that the signatures removed give the unsigned programs back, and leaves the signed
# setup.exe (and a copy changed after signing) in <programs folder>/signed-release/ for the
# tests under Wine that follow.
#   release_signing_test.sh <programs folder> <strip program>
set -uo pipefail
bin=$1 strip=$2
source_dir=$(cd "$(dirname "$0")/.." && pwd)
release=("bash" "$source_dir/scripts/release.sh")
programs=(setup lotefinal updstart unstart loterun traceview themeview)
source "$source_dir/scripts/release-signing.sh"
signing_tools
work=$(mktemp -d "${TMPDIR:-/tmp}/release-signing.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

failures=0
expect() { # description, exit code wanted (0, or 1 for "refused"), text the output must hold, command...
  local what=$1 want=$2 text=$3 rc=0
  shift 3
  "$@" >out.txt 2>&1 || rc=$?
  if [ "$rc" -ne "$want" ] || { [ -n "$text" ] && ! grep -q -e "$text" out.txt; }; then
    echo "FAIL: $what (exit $rc, wanted $want and \"$text\")"
    sed 's/^/  | /' out.txt
    failures=$((failures + 1))
  else
    echo "ok: $what"
  fi
}

# Two certificates: the shipper's and a stranger's, both self-signed for code signing.
certificate() { # name
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -keyout "$1.key" -out "$1.pem" \
    -subj "/CN=Throwaway $1/O=Orvane test" -addext "basicConstraints=critical,CA:FALSE" \
    -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=codeSigning" 2>/dev/null
  openssl pkcs12 -export -inkey "$1.key" -in "$1.pem" -out "$1.pfx" -passout "pass:pw-$1"
}
certificate shipper && certificate stranger || exit 1

mkdir programs
for p in "${programs[@]}"; do "$strip" -o "programs/$p.exe" "$bin/$p.exe" || exit 1; done
zip_name=$(cd "$source_dir" && echo "vantora-$(sed -n 's/^project(VantoraMaintenance VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)-win64.zip")

expect "unsigned package" 0 "$zip_name" "${release[@]}" --from win64="$work/programs" --out plain
expect "signing needs the password in the environment" 1 "VT_SIGN_PASSWORD" \
  env -u VT_SIGN_PASSWORD "${release[@]}" --sign shipper.pfx --from win64="$work/programs" --out signed
# While it signs, a watcher reads every process's arguments: none may hold the password.
WATCH_FOR=pw-shipper python3 - >watch.txt <<'EOF' &
import glob, os
secret, seen = os.environ["WATCH_FOR"].encode(), set()
while not os.path.exists("watch.stop"):
    for path in glob.glob("/proc/[0-9]*/cmdline"):
        try:
            arguments = open(path, "rb").read()
        except OSError:
            continue
        if secret in arguments:
            seen.add(arguments.replace(b"\0", b" ").decode(errors="replace"))
print("\n".join(sorted(seen)), end="")
EOF
watcher=$!
VT_SIGN_PASSWORD=pw-shipper VT_SIGN_TIMESTAMP_URL= expect "signed package, without a time stamp" 0 \
  "carry no time stamp" "${release[@]}" --sign shipper.pfx --from win64="$work/programs" --out signed
touch watch.stop && wait "$watcher"
expect "no process had the password among its arguments" 1 "" grep . watch.txt
expect "verify with the shipper's certificate" 0 "every program is signed as expected" \
  "${release[@]}" --verify "signed/$zip_name" --ca shipper.pem

# The shipper's key on a software token (SoftHSM), through the PKCS#11 engine.
export SOFTHSM2_CONF=$work/softhsm2.conf
mkdir tokens && echo "directories.tokendir = $work/tokens" >"$SOFTHSM2_CONF"
openssl pkcs8 -topk8 -nocrypt -in shipper.key -out shipper.p8
softhsm2-util --init-token --free --label "Code Signing" --pin 4321 --so-pin 87654321 >/dev/null &&
  softhsm2-util --import shipper.p8 --token "Code Signing" --label signing-key --id 01 --pin 4321 >/dev/null
VT_SIGN_PASSWORD=4321 VT_SIGN_CERTS=shipper.pem VT_SIGN_PKCS11_MODULE=/usr/lib/softhsm/libsofthsm2.so \
  expect "signed with the key on a token" 0 "signing: 7 programs" "${release[@]}" \
  --sign "pkcs11:token=Code%20Signing;object=signing-key;type=private" --from win64="$work/programs" --out token
expect "verify what the token signed" 0 "every program is signed as expected" \
  "${release[@]}" --verify "token/$zip_name" --ca shipper.pem
expect "verify without --ca: a self-signed certificate is no trusted root" 1 "certificate not accepted" \
  "${release[@]}" --verify "signed/$zip_name"
expect "verify an unsigned package" 1 "setup.exe: not signed" \
  "${release[@]}" --verify "plain/$zip_name" --ca shipper.pem

# Changes after signing, each in a copy of the signed package with setup.exe replaced and (as a
# forger would) every checksum written anew, unless the case keeps the old ones.
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' \
  "signed/$zip_name" signed-files
folder=$(ls signed-files)
forge() { # case name, new setup.exe, write the checksums anew (1) or not (0)
  mkdir -p "$1" && cp "signed/SHA256SUMS" "$1/"
  python3 - "signed/$zip_name" "$1/$zip_name" "$folder/setup.exe" "$2" "$3" <<'EOF'
import hashlib, sys, zipfile
source, target, member, replacement, resum = sys.argv[1:6]
contents = {i.filename: zipfile.ZipFile(source).read(i) for i in zipfile.ZipFile(source).infolist()}
contents[member] = open(replacement, "rb").read()
folder = member.split("/")[0]
if resum == "1":
    contents[folder + "/SHA256SUMS"] = "".join(
        "%s  %s\n" % (hashlib.sha256(data).hexdigest(), name[len(folder) + 1:])
        for name, data in sorted(contents.items()) if not name.endswith("/SHA256SUMS")).encode()
with zipfile.ZipFile(target, "w") as archive:
    for name in sorted(contents):
        archive.writestr(name, contents[name])
EOF
  [ "$3" = 0 ] || (cd "$1" && sha256sum "$zip_name" >SHA256SUMS)
}
cp "signed-files/$folder/setup.exe" patched.exe
printf '\x90' | dd of=patched.exe bs=1 seek=4096 conv=notrunc 2>/dev/null
osslsigncode sign -pkcs12 stranger.pfx -readpass <(printf 'pw-stranger') -h sha256 \
  -in "programs/setup.exe" -out resigned.exe >/dev/null
forge patched patched.exe 1
forge resigned resigned.exe 1
forge unsummed patched.exe 0
expect "a program changed after signing" 1 "setup.exe: changed after signing" \
  "${release[@]}" --verify "patched/$zip_name" --ca shipper.pem
expect "a program signed by a stranger among the shipper's" 1 "setup.exe: certificate not accepted" \
  "${release[@]}" --verify "resigned/$zip_name" --ca shipper.pem
cat shipper.pem stranger.pem >both.pem
expect "programs of two signers, both trusted" 1 "setup.exe: signed with another certificate" \
  "${release[@]}" --verify "resigned/$zip_name" --ca both.pem
expect "a program changed, checksums left as shipped" 1 "$zip_name: checksum differs" \
  "${release[@]}" --verify "unsummed/$zip_name" --ca shipper.pem

# Without its signature every program is the one built, byte for byte; everything else in the
# package is as in the unsigned one.
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' \
  "plain/$zip_name" plain-files
for p in "${programs[@]}"; do
  osslsigncode remove-signature -in "signed-files/$folder/$p.exe" -out "$p.removed" >/dev/null
  expect "$p.exe without its signature is the unsigned program" 0 "" \
    cmp "$p.removed" "plain-files/$folder/$p.exe"
done
expect "the other files are the unsigned package's" 0 "" \
  diff -r -x '*.exe' -x SHA256SUMS signed-files plain-files

mkdir -p "$bin/signed-release" && cp "signed-files/$folder/setup.exe" "$bin/signed-release/setup.exe" \
  && cp patched.exe "$bin/signed-release/changed-setup.exe"
echo "$failures failures"
[ $failures -eq 0 ]
