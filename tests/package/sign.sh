#!/usr/bin/env bash
# tools/package --sign with a throwaway self-signed certificate: every program
# in the zips, the setup program and the MSIs carry a signature osslsigncode
# accepts, and without it are the build's; the signed setup program still
# installs (its uninstaller signed too), and each signed installer replaces
# the unsigned install it goes over.
# Usage: sign.sh WORK VERSION PREFIX_TEMPLATE UNSIGNED_RELEASE
set -euo pipefail
work=$1 version=$2 template=$3 unsigned=$4
root=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT

export KORVANE_SIGN_PASSWORD=throwaway
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/certificate.pem" -days 2 \
  -subj "/CN=Korvane test signing" -addext extendedKeyUsage=codeSigning 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/certificate.pem" -out "$work/certificate.pfx" \
  -passout env:KORVANE_SIGN_PASSWORD
"$root/tools/package" --no-build --sign "$work/certificate.pfx" --out "$work/release" >/dev/null

signed() { osslsigncode verify -CAfile "$work/certificate.pem" -in "$1" >/dev/null 2>&1 || fail "$1 is not signed"; }
name=korvane-tools-$version
for arch in x64 x86; do
  unzip -q "$work/release/$name-$arch.zip" -d "$work/$arch"
  for binary in korvex.exe korvexcfg.exe korvlnch.dll; do signed "$work/$arch/$binary"; done
  signed "$work/release/$name-$arch.msi"
done
signed "$work/release/$name-setup.exe"
# Reproducible apart from the signature: without it, a program is the build's.
unzip -q "$unsigned/$name-x64.zip" -d "$work/unsigned"
for binary in korvex.exe korvexcfg.exe korvlnch.dll; do
  osslsigncode remove-signature -in "$work/x64/$binary" -out "$work/unsigned-again" >/dev/null
  cmp "$work/unsigned/$binary" "$work/unsigned-again" || fail "$binary without its signature is not the build's"
  rm "$work/unsigned-again"
done

installed_over_unsigned() {
  "$(dirname "$0")/install.sh" "$1" "$work/release/$name-$2" --over "$unsigned/$name-$2" \
    --zip "$work/release/$name-x64.zip" --version "$version" --prefix-from "$template" \
    --signed-by "$work/certificate.pem" --work "$work/install$1"
}
installed_over_unsigned --setup setup.exe
installed_over_unsigned --msi x64.msi
