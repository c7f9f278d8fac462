#!/bin/sh
# Lists a PE file's imports as "dll!function", one a line, lower-case DLL names.
# Usage: imports.sh OBJDUMP FILE
"$1" -p "$2" | awk '
  /DLL Name:/ { dll = tolower($3); next }
  /^\t?$/ { if (in_table) dll = "" }
  dll != "" && $1 ~ /^[0-9a-f]+$/ && NF >= 3 && $2 ~ /^[0-9]+$/ { print dll "!" $3 }
' | sort -u
