#!/usr/bin/env bash
# Checks a release archive as its receiver would (release.sh --verify runs it):
#   bash scripts/release-verify.sh <archive.zip> [--ca <certificate>]
# 1. The archive's own checksum, when a SHA256SUMS lies beside it: that file must list the
#    archive, with the archive's checksum.
# 2. The SHA256SUMS inside: it lists every other file of the archive, each with its checksum.
# 3. Every program's Authenticode signature: present, covering the program as it is, and made
#    with a certificate that chains to the given one (--ca: the shipper's own certificate or the
#    authority that issued it) or, without --ca, to a root the system trusts, as Windows would
#    want it. All programs must carry the same signer's certificate; its fingerprint is printed
#    for comparing with the one the shipper publishes.
# Exit 0 when everything holds, 1 when anything fails, 2 on wrong use.
set -euo pipefail

usage() { echo "usage: $0 <archive.zip> [--ca <certificate>]" >&2; exit 2; }
zip=""; ca=""
while [ $# -gt 0 ]; do
  case $1 in
    --ca) [ $# -ge 2 ] || usage; ca=$2; shift ;;
    -*) usage ;;
    *) [ -z "$zip" ] || usage; zip=$1 ;;
  esac
  shift
done
[ -n "$zip" ] || usage
[ -f "$zip" ] || { echo "no such archive: $zip" >&2; exit 2; }
if [ -n "$ca" ]; then
  [ -f "$ca" ] || { echo "no such certificate: $ca" >&2; exit 2; }
else
  ca=/etc/ssl/certs/ca-certificates.crt
fi

failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

# 1. Beside the archive.
sums="$(dirname "$zip")/SHA256SUMS"
name=$(basename "$zip")
if [ -f "$sums" ]; then
  expected=$(awk -v n="$name" '$2 == n || $2 == "*" n { print $1 }' "$sums")
  actual=$(sha256sum <"$zip" | cut -d' ' -f1)
  if [ -z "$expected" ]; then
    fail "$sums does not list $name"
  elif [ "$expected" != "$actual" ]; then
    fail "$name: checksum differs from $sums"
  else
    echo "ok   $name: checksum as in $sums"
  fi
else
  echo "note: no SHA256SUMS beside $name: the archive's own checksum is not checked"
fi

# 2. Unpacked into a folder of our own; a member's name must stay inside the archive's folder.
work=$(mktemp -d "${TMPDIR:-/tmp}/release-verify.XXXXXX")
trap 'rm -rf "$work"' EXIT
if ! folder=$(python3 - "$zip" "$work" <<'EOF'
import os, sys, zipfile
try:
    archive = zipfile.ZipFile(sys.argv[1])
    names = archive.namelist()
except (OSError, zipfile.BadZipFile) as error:
    sys.exit("not a readable zip archive: %s" % error)
tops = {n.split("/", 1)[0] for n in names}
if len(tops) != 1 or len(set(names)) != len(names):
    sys.exit("the archive must hold one folder and no name twice")
for n in names:
    parts = n.split("/")
    if n.startswith("/") or "\\" in n or ".." in parts or "" in parts[:-1]:
        sys.exit("unsafe name in the archive: %r" % n)
try:
    archive.extractall(sys.argv[2])
except (OSError, zipfile.BadZipFile) as error:
    sys.exit("cannot unpack: %s" % error)
print(tops.pop())
EOF
); then
  fail "$name cannot be unpacked"
  exit 1
fi
root="$work/$folder"
if [ ! -f "$root/SHA256SUMS" ]; then
  fail "$name holds no $folder/SHA256SUMS"
else
  listed=$(sed -E 's/^[0-9a-f]{64} [ *]//' "$root/SHA256SUMS" | sort)
  present=$(cd "$root" && find . -type f ! -name SHA256SUMS | sed 's|^\./||' | sort)
  if [ "$listed" != "$present" ]; then
    fail "$folder/SHA256SUMS does not list exactly the archive's files"
    diff <(echo "$listed") <(echo "$present") | sed -n 's/^</  listed, missing:/p; s/^>/  present, not listed:/p'
  fi
  if bad=$(cd "$root" && sha256sum --quiet -c SHA256SUMS 2>&1); then
    echo "ok   $folder/SHA256SUMS: $(wc -l <"$root/SHA256SUMS") files"
  else
    fail "$folder/SHA256SUMS: a file differs"
    sed 's/^/  /' <<<"$bad"
  fi
fi

# 3. The signatures.
signer=""
mapfile -t programs < <(cd "$root" && find . -type f -iname '*.exe' | sed 's|^\./||' | sort)
[ ${#programs[@]} -gt 0 ] || fail "$name holds no program"
for program in "${programs[@]}"; do
  if ! report=$(osslsigncode verify -CAfile "$ca" -in "$root/$program" 2>&1); then
    if grep -q 'No signature found' <<<"$report"; then
      fail "$program: not signed"
    elif grep -q 'MISMATCH' <<<"$report"; then
      fail "$program: changed after signing (its digest is not the signed one)"
    elif reason=$(grep -m1 -o 'Verify error: .*' <<<"$report"); then
      fail "$program: certificate not accepted (${reason#Verify error: })"
    else
      fail "$program: signature not valid"
      sed 's/^/  /' <<<"$report" | tail -n 5
    fi
    continue
  fi
  # The signer's certificate, told apart by its issuer and serial number.
  this=$(sed -n '/^Signer.s certificate:/,/Serial/p' <<<"$report" | grep -E 'Issuer|Serial' \
         | sed 's/^[[:space:]]*//' | tr '\n' ' ')
  if [ -z "$signer" ]; then
    signer=$this
    first=$program
  elif [ "$this" != "$signer" ]; then
    fail "$program: signed with another certificate than $first"
    continue
  fi
  stamp=$(grep -q 'Timestamp is not available' <<<"$report" && echo ', no time stamp' || echo ', time-stamped')
  echo "ok   $program: signature valid$stamp"
done
if [ -n "$signer" ]; then
  # The signer's fingerprint, from the certificates the first signed program carries.
  osslsigncode extract-signature -pem -in "$root/$first" -out "$work/signature.pem" >/dev/null 2>&1 || true
  serial=$(sed -n 's/.*Serial : *//p' <<<"$signer" | tr -d ' ')
  openssl pkcs7 -in "$work/signature.pem" -print_certs 2>/dev/null \
    | awk '/BEGIN CERT/{n++} {print > ("'"$work"'/cert" n ".pem")}'
  for cert in "$work"/cert*.pem; do
    [ -f "$cert" ] || continue
    if [ "$(openssl x509 -in "$cert" -noout -serial 2>/dev/null | sed 's/serial=//')" = "$serial" ]; then
      echo "signer: $(openssl x509 -in "$cert" -noout -subject -nameopt oneline | sed 's/^subject=//')"
      echo "        certificate SHA-256 $(openssl x509 -in "$cert" -noout -fingerprint -sha256 | sed 's/.*=//')"
      echo "        thumbprint (SHA-1, as Windows shows it) $(openssl x509 -in "$cert" -noout -fingerprint -sha1 | sed 's/.*=//; s/://g')"
    fi
  done
fi

if [ $failures -eq 0 ]; then
  echo "verify: $name is intact and every program is signed as expected"
else
  echo "verify: $name FAILED ($failures problems)"
  exit 1
fi
