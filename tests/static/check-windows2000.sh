#!/bin/sh
# Fails unless a 32-bit program would load on Windows 2000: it declares
# subsystem and OS version 5.0 or lower and imports only functions that
# Windows 2000 has (the reviewed list beside this script).
# Usage: check-windows2000.sh OBJDUMP FILE
set -eu
here=$(dirname "$0")
headers=$("$1" -p "$2")
for field in MajorSubsystemVersion MajorOSystemVersion; do
  major=$(printf '%s\n' "$headers" | awk -v f="$field" '$1 == f { print $2 }')
  minor=$(printf '%s\n' "$headers" | awk -v f="$(echo "$field" | sed s/Major/Minor/)" '$1 == f { print $2 }')
  if [ "$major" -gt 5 ] || { [ "$major" -eq 5 ] && [ "$minor" -gt 0 ]; }; then
    echo "$field $major.$minor is newer than Windows 2000"; exit 1
  fi
done
unknown=$("$here/imports.sh" "$1" "$2" | grep -v -x -F -f "$here/windows2000-imports.txt" || true)
if [ -n "$unknown" ]; then
  echo "Imports not known to exist on Windows 2000:"; echo "$unknown"; exit 1
fi
echo "$(basename "$2"): subsystem 5.0, $("$here/imports.sh" "$1" "$2" | wc -l) imports, all on Windows 2000"
