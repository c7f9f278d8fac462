#!/bin/sh
# Fails if a binary needs any DLL besides the system's own, or besides the
# ones given (a console tool, for one, imports nothing of the windowing side).
# Usage: check-system-dlls.sh OBJDUMP FILE [DLL|DLL|...]
set -eu
allowed=${3:-kernel32.dll|user32.dll|gdi32.dll|advapi32.dll|shell32.dll|comctl32.dll|msvcrt.dll}
dlls=$("$1" -p "$2" | awk '/DLL Name:/ { print tolower($3) }' | sort -u)
extra=$(printf '%s\n' "$dlls" | grep -v -x -E "$allowed" || true)
if [ -n "$extra" ]; then echo "Imports what it may not: $extra"; exit 1; fi
echo "$(basename "$2") imports only:" $dlls
