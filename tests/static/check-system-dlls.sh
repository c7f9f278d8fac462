#!/bin/sh
# Fails if a binary needs any DLL besides the system's own.
# Usage: check-system-dlls.sh OBJDUMP FILE
set -eu
dlls=$("$1" -p "$2" | awk '/DLL Name:/ { print tolower($3) }' | sort -u)
extra=$(printf '%s\n' "$dlls" | grep -v -x -E 'kernel32.dll|user32.dll|gdi32.dll|advapi32.dll|shell32.dll|comctl32.dll|msvcrt.dll' || true)
if [ -n "$extra" ]; then echo "Not a system DLL: $extra"; exit 1; fi
echo "$(basename "$2") imports only system DLLs:" $dlls
