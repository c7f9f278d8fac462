#!/usr/bin/env bash
# Boots a 64-bit Wine prefix once, in which nothing is ever installed: each
# install test starts from a copy of it. Its registry is on disk when this ends.
# Usage: prefix.sh DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
export KORVEX_WINEPREFIX=$(realpath -m "$1")
. "$root/tools/wine-session"
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
