#!/usr/bin/env bash
# The same source gives the same release, byte for byte: tools/package run
# again gives the files RELEASE holds, and the programs built again from a
# copy of the source in another folder are the tested builds'. Their PE
# headers carry no time stamp and the checksum of their bytes.
# Usage: reproducible.sh RELEASE WORK WIN64_BUILD WIN32_BUILD
set -euo pipefail
release=$1 work=$2
declare -A build_of=([win64]=$3 [win32]=$4)
root=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT

"$root/tools/package" --no-build --out "$work/again" >/dev/null
[ "$(ls "$work/again")" = "$(ls "$release")" ] || fail "made $(ls "$work/again"), not $(ls "$release")"
for file in "$release"/*; do
  cmp "$file" "$work/again/$(basename "$file")" || fail "$(basename "$file") differs when made again"
done

programs="window/korvex.exe korvexcfg/korvexcfg.exe launcher/korvlnch.dll"
for preset in win64 win32; do
  for program in $programs; do
    python3 - "${build_of[$preset]}/$program" <<'PYTHON' || fail "$preset $program: its PE header"
import struct, sys
data = bytearray(open(sys.argv[1], 'rb').read())
header = struct.unpack_from('<I', data, 0x3c)[0]
stamp = struct.unpack_from('<I', data, header + 8)[0]
field = header + 24 + 64
stored = struct.unpack_from('<I', data, field)[0]
data[field:field + 4] = bytes(4)
total = 0
for (word,) in struct.iter_unpack('<H', data + bytes(len(data) % 2)):
    total += word
    total = (total & 0xffff) + (total >> 16)
computed = ((total & 0xffff) + (total >> 16)) + len(data)
if stamp or stored != computed:
    sys.exit(f'time stamp {stamp:#x}, checksum {stored:#x} where the bytes give {computed:#x}')
PYTHON
  done
done

# The files git knows, as a clone has them, in a folder of another name and
# depth; built in its own build folders at low priority, one job at a time.
copy=$work/another/place/korvane-source
mkdir -p "$copy"
git -C "$root" ls-files -z --cached --others --exclude-standard | (cd "$root" && tar -cf - --null -T -) | tar -xf - -C "$copy"
for preset in win64 win32; do
  (cd "$copy" && cmake --preset "$preset" -DBUILD_TESTING=OFF >"$work/$preset.log" 2>&1 \
     && nice -n 10 cmake --build "build/$preset" -j 1 --target korvex korvexcfg korvlnch >>"$work/$preset.log" 2>&1) \
    || fail "the copy did not build: $(tail -20 "$work/$preset.log")"
  for program in $programs; do
    cmp "${build_of[$preset]}/$program" "$copy/build/$preset/$program" || fail "$preset $program differs when built elsewhere"
  done
done
echo "made again, byte for byte"
