#!/usr/bin/env bash
# Makes the test certificate authority and the server certificate it signs, into this folder.
# The server certificate names DNS:localhost only, with no IP entry, so a client that connects to
# https://127.0.0.1 must fail the host-name check. Test-only keys: they are committed on purpose.
# Both certificates start in 2000, so a machine whose clock lags still accepts them, and end
# 100 years from the day they are made.
set -euo pipefail
cd "$(dirname "$0")"

start=20000101000000Z
end=$(date -u -d "+36500 days" +%Y%m%d%H%M%SZ)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

touch "$work/index.txt"
openssl rand -hex 16 >"$work/serial"
cat >"$work/ca.cnf" <<CONF
[ ca ]
default_ca = test_ca

[ test_ca ]
database = $work/index.txt
new_certs_dir = $work
serial = $work/serial
default_md = sha256
policy = any_name
unique_subject = no
copy_extensions = none

[ any_name ]
organizationName = optional
commonName = supplied

[ ca_ext ]
basicConstraints = critical, CA:TRUE
keyUsage = critical, keyCertSign, cRLSign
subjectKeyIdentifier = hash

[ server_ext ]
basicConstraints = critical, CA:FALSE
keyUsage = critical, digitalSignature, keyEncipherment
extendedKeyUsage = serverAuth
subjectAltName = DNS:localhost
subjectKeyIdentifier = hash
authorityKeyIdentifier = keyid, issuer
CONF

sign() { # csr, output, extension section, extra options...
    local csr=$1 out=$2 ext=$3
    shift 3
    openssl ca -batch -notext -config "$work/ca.cnf" -startdate "$start" -enddate "$end" \
        -extensions "$ext" -in "$csr" -out "$out" "$@" 2>"$work/ca.log" || { cat "$work/ca.log" >&2; exit 1; }
}

openssl genpkey -quiet -algorithm RSA -pkeyopt rsa_keygen_bits:2048 -out ca.key
openssl req -new -key ca.key -subj "/O=Zorvanel Tests/CN=Zorvanel Test CA" -out "$work/ca.csr"
sign "$work/ca.csr" ca.crt ca_ext -selfsign -keyfile ca.key

openssl genpkey -quiet -algorithm RSA -pkeyopt rsa_keygen_bits:2048 -out server.key
openssl req -new -key server.key -subj "/O=Zorvanel Tests/CN=localhost" -out "$work/server.csr"
sign "$work/server.csr" server.crt server_ext -cert ca.crt -keyfile ca.key

chmod 644 ca.key server.key
openssl verify -CAfile ca.crt -purpose sslserver server.crt
