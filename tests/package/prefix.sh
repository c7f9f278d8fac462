#!/usr/bin/env bash
# Boots a Wine prefix once, in which nothing is ever installed: each install
# test starts from a copy of it. Its registry is on disk when this ends.
# Usage: prefix.sh DIR [win32]   (win32: a prefix of 32-bit Windows)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
export KORVEX_WINEPREFIX=$(realpath -m "$1")
. "$root/tools/wine-session"
if [ "${2:-}" = win32 ]; then
  # Made and run by the i386 loader alone.
  export WINEARCH=win32
  korvex_wine64=$korvex_wine32
fi
# The copies share its files: a Wine of another version would update them in
# place through every copy, so it boots a new one instead.
stamp=$KORVEX_WINEPREFIX.wine-version
if [ "$("$korvex_wine64" --version)" != "$(cat "$stamp" 2>/dev/null)" ]; then
  rm -rf "$KORVEX_WINEPREFIX"
  "$korvex_wine64" --version >"$stamp"
fi
korvex_wine_prefix
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
