# shellcheck shell=bash
# Sourced by release.sh: Authenticode signing of the release's programs with osslsigncode.
#   signing_tools                     install osslsigncode and openssl with apt-get when missing
#   signing_start <pfx | pkcs11:URI>  read the signing settings, check the key opens, say who signs
#   sign_programs <from> <to> <names> sign <from>/<name>.exe into <to>/<name>.exe, each checked
#   signing_summary <ms>              say how many programs were signed, the time and bytes added
#
# Settings come from the environment, never from the command line (where every user of the
# machine could read them in the process list):
#   VT_SIGN_PASSWORD        the PFX file's password, or the token's PIN
#   VT_SIGN_TIMESTAMP_URL   an RFC 3161 time-stamp server; without one the signatures carry no
#                           time stamp and stop verifying when the certificate expires
#   VT_SIGN_PKCS11_MODULE   with a pkcs11: key, the token's PKCS#11 module (a .so file)
#   VT_SIGN_CERTS           with a pkcs11: key, the signing certificate and its chain (PEM)
#   VT_SIGN_PKCS11_ENGINE   with a pkcs11: key, optional: the OpenSSL engine that loads the module

signing_tools() {
  local need=()
  command -v osslsigncode >/dev/null 2>&1 || need+=(osslsigncode)
  command -v openssl >/dev/null 2>&1 || need+=(openssl)
  if [ ${#need[@]} -gt 0 ]; then
    echo "Installing: ${need[*]}"
    DEBIAN_FRONTEND=noninteractive apt-get update -q >/dev/null
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${need[@]}" >/dev/null
  fi
}

# The password goes to openssl and osslsigncode on file descriptor 3, a pipe that a builtin
# writes: no program is started with it as an argument. Neither tool reads an empty password
# from a file, and an empty one is no secret.
with_password() { # command... (with "@pass-openssl" or "@pass-osslsigncode" among its arguments)
  local argument arguments=()
  for argument in "$@"; do
    case $argument in
      @pass-openssl) [ -n "$sign_password" ] && arguments+=(-passin fd:3) || arguments+=(-passin pass:) ;;
      @pass-osslsigncode) [ -z "$sign_password" ] || arguments+=(-readpass /dev/fd/3) ;;
      *) arguments+=("$argument") ;;
    esac
  done
  "${arguments[@]}" 3< <(printf '%s' "$sign_password")
}

# The password is kept in a variable of this shell only, taken out of the environment so that
# the compilers and the other programs the release starts do not inherit it.
signing_start() { # key
  sign_key=$1
  if [ -z "${VT_SIGN_PASSWORD+set}" ]; then
    echo "--sign: set VT_SIGN_PASSWORD to the key's password or PIN (empty for none)" >&2
    return 1
  fi
  sign_password=$VT_SIGN_PASSWORD
  unset VT_SIGN_PASSWORD
  sign_timestamp=${VT_SIGN_TIMESTAMP_URL:-}
  if [[ $sign_key == pkcs11:* ]]; then
    local module=${VT_SIGN_PKCS11_MODULE:-} certs=${VT_SIGN_CERTS:-}
    # Relative to the folder release.sh was started in, as its arguments are.
    [[ -z $certs || $certs == /* ]] || certs=${caller:-.}/$certs
    [[ -z $module || $module == /* ]] || module=${caller:-.}/$module
    if [ ! -f "$module" ] || [ ! -f "$certs" ]; then
      echo "--sign $sign_key: set VT_SIGN_PKCS11_MODULE to the token's module and VT_SIGN_CERTS" \
           "to its certificate chain (PEM)" >&2
      return 1
    fi
    sign_credentials=(-pkcs11module "$module" -certs "$certs" -key "$sign_key")
    [ -z "${VT_SIGN_PKCS11_ENGINE:-}" ] || sign_credentials+=(-pkcs11engine "$VT_SIGN_PKCS11_ENGINE")
    sign_certificate=$(openssl x509 -in "$certs") || return 1
  else
    [ -f "$sign_key" ] || { echo "--sign: no such file: $sign_key" >&2; return 1; }
    sign_credentials=(-pkcs12 "$sign_key")
    # The first certificate with the key is the signer's; PFX files of older tools use
    # algorithms OpenSSL 3 only reads with -legacy.
    sign_certificate=$( (with_password openssl pkcs12 -in "$sign_key" @pass-openssl -nokeys -clcerts ||
                         with_password openssl pkcs12 -legacy -in "$sign_key" @pass-openssl -nokeys -clcerts
                        ) 2>/dev/null | openssl x509 2>/dev/null) \
      || { echo "--sign: cannot open $sign_key with the password in VT_SIGN_PASSWORD" >&2; return 1; }
  fi
  if ! openssl x509 -noout -checkend 0 <<<"$sign_certificate" >/dev/null; then
    echo "--sign: the certificate has expired" >&2
    return 1
  fi
  echo "Signing as $(openssl x509 -noout -subject -nameopt oneline <<<"$sign_certificate" | sed 's/^subject=//')"
  echo "  certificate SHA-256 $(openssl x509 -noout -fingerprint -sha256 <<<"$sign_certificate" | sed 's/.*=//')"
  echo "  thumbprint (SHA-1, as Windows shows it) $(openssl x509 -noout -fingerprint -sha1 <<<"$sign_certificate" | sed 's/.*=//; s/://g')"
  echo "  valid until $(openssl x509 -noout -enddate <<<"$sign_certificate" | sed 's/.*=//')"
  if [ -n "$sign_timestamp" ]; then
    echo "  time stamps from $sign_timestamp"
  else
    echo "  VT_SIGN_TIMESTAMP_URL is not set: the signatures carry no time stamp and stop" \
         "verifying when the certificate expires"
  fi
}

# Signs each program into the other folder and checks that removing the signature gives back
# exactly the program that was built: what --check compares, and what anyone rebuilding the
# commit can compare. (That holds for programs whose length is a multiple of 8, as every
# stripped program is: osslsigncode pads a shorter one before appending the signature.)
sign_programs() { # from folder, to folder, program names...
  local from=$1 to=$2 name options=(-h sha256)
  shift 2
  [ -z "$sign_timestamp" ] || options+=(-ts "$sign_timestamp")
  rm -rf "$to" && mkdir -p "$to"
  for name in "$@"; do
    with_password osslsigncode sign "${sign_credentials[@]}" @pass-osslsigncode \
        "${options[@]}" -in "$from/$name.exe" -out "$to/$name.exe" >"$to/$name.log" 2>&1 \
      || { cat "$to/$name.log" >&2; echo "signing $from/$name.exe failed" >&2; return 1; }
    osslsigncode remove-signature -in "$to/$name.exe" -out "$to/$name.unsigned" >/dev/null 2>&1 \
      && cmp -s "$from/$name.exe" "$to/$name.unsigned" \
      || { echo "$to/$name.exe: without its signature it is not the program built" >&2; return 1; }
    rm -f "$to/$name.log" "$to/$name.unsigned"
    sign_count=$((sign_count + 1))
    sign_added=$((sign_added + $(stat -c %s "$to/$name.exe") - $(stat -c %s "$from/$name.exe")))
  done
}
sign_count=0 sign_added=0

signing_summary() { # milliseconds spent signing
  echo "signing: $sign_count programs in $1 ms, $sign_added bytes added" \
       "($((sign_added / (sign_count > 0 ? sign_count : 1))) per program)"
}
