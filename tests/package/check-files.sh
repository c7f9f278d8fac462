#!/usr/bin/env bash
# Makes the release files with tools/package from the tested builds and checks
# the zips: exactly the five files, the programs byte for byte the build's,
# README.txt with CRLF line ends and README.md's installer recipe; and
# SHA256SUMS.
# Usage: check-files.sh OUT VERSION WIN64_BUILD WIN32_BUILD
set -euo pipefail
out=$1 version=$2
declare -A build_of=([x64]=$3 [x86]=$4)
root=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }

"$root/tools/package" --no-build --out "$out" >/dev/null
name=korvane-tools-$version
for file in "$name-x64.zip" "$name-x86.zip" "$name-setup.exe" "$name-x64.msi" "$name-x86.msi" SHA256SUMS; do
  [ -s "$out/$file" ] || fail "$file was not made"
done
(cd "$out" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match"
[ "$(wc -l <"$out/SHA256SUMS")" -eq 5 ] || fail "SHA256SUMS does not list the five packages"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
for arch in x64 x86; do
  zip=$out/$name-$arch.zip
  listed=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
  [ "$listed" = "README.txt korvane-playbook.yml korvane.dsc.yaml korvane.ramdisk.dsc.resource.json korvex.exe korvexcfg.exe korvlnch.dll korvlnch.h " ] \
    || fail "$arch zip holds: $listed"
  unzip -q "$zip" -d "$unpacked/$arch"
  build=${build_of[$arch]}
  for binary in window/korvex.exe korvexcfg/korvexcfg.exe launcher/korvlnch.dll; do
    cmp "$build/$binary" "$unpacked/$arch/$(basename "$binary")" || fail "$arch $binary is not the tested one"
  done
  readme=$unpacked/$arch/README.txt
  grep -q "$version" "$readme" || fail "$arch README.txt does not name $version"
  [ "$(grep -c $'\r$' "$readme")" -eq "$(wc -l <"$readme")" ] || fail "$arch README.txt has lines without CRLF"
done
# The installer recipe the tests run (README.txt's) is the one README.md gives.
recipe() { sed -n '/System::Call .kernel32::LoadLibrary/,/^  ${EndIf}/p' "$1" | tr -d '\r'; }
[ -n "$(recipe "$root/README.md")" ] && [ "$(recipe "$root/README.md")" = "$(recipe "$unpacked/x86/README.txt")" ] \
  || fail "README.md and README.txt give different installer recipes"
echo "packages made and checked in $out"
