#!/bin/sh
# Makes the certificates of api_http_test while building, with the build machine's
# openssl (the Windows test under Wine cannot run it): two CAs, "trusted" and "rogue",
# and three server certificates, each NAME.pem with NAME.key.
#   good      for 127.0.0.1, from the trusted CA
#   stranger  for 127.0.0.1, from the rogue CA
#   misnamed  for other.example, from the trusted CA
# They outlive any build folder, so that a test run long after the build still finds
# them valid.
set -eu
out=${1:?usage: make-test-pki.sh DIR}
rm -rf "$out.tmp"
mkdir -p "$out.tmp"
cd "$out.tmp"
ec="-newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes"

# openssl reports progress on its error output: shown only when it fails.
run() {
    "$@" 2>openssl.log || { cat openssl.log >&2; exit 1; }
}

ca() {
    # shellcheck disable=SC2086
    run openssl req -x509 $ec -keyout "$1-ca.key" -out "$1-ca.pem" -days 3650 -subj "/CN=Quarnel test $1 CA" \
        -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign,cRLSign
}

server() {
    printf '%s\nbasicConstraints=CA:FALSE\nextendedKeyUsage=serverAuth\n' "$4" >"$1.ext"
    # shellcheck disable=SC2086
    run openssl req $ec -keyout "$1.key" -out "$1.csr" -subj "/CN=$3"
    run openssl x509 -req -in "$1.csr" -CA "$2-ca.pem" -CAkey "$2-ca.key" -CAcreateserial -out "$1.pem" \
        -days 3650 -extfile "$1.ext"
}

ca trusted
ca rogue
server good trusted 127.0.0.1 subjectAltName=IP:127.0.0.1
server stranger rogue 127.0.0.1 subjectAltName=IP:127.0.0.1
server misnamed trusted other.example subjectAltName=DNS:other.example
rm -f openssl.log
cd - >/dev/null
rm -rf "$out"
mv "$out.tmp" "$out"
