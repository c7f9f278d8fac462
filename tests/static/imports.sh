#!/bin/sh
# Lists a PE file's imports as "dll!function", one a line, lower-case DLL names.
# Usage: imports.sh OBJDUMP FILE
"$1" -p "$2" | awk '
  /DLL Name:/ { dll = tolower($3); listing = 0; next }
  /Hint\/Ord Member-Name/ { listing = 1; next }
  NF == 0 { listing = 0; next }
  listing && dll != "" { print dll "!" $3 }
' | sort -u
