#!/bin/sh
# Fails unless a DLL exports exactly one function, by the given name, at ordinal 1.
# Usage: check-export.sh OBJDUMP DLL NAME
set -eu
table=$("$1" -p "$2")
names=$(printf '%s\n' "$table" | awk '/\[Ordinal\/Name Pointer\] Table/ { on = 1; next } on && NF == 0 { on = 0 } on { print $3 }')
ordinals=$(printf '%s\n' "$table" | awk '/Export Address Table -- Ordinal Base/ { on = 1; next } on && NF == 0 { on = 0 } on' )
if [ "$names" != "$3" ]; then
  echo "expected the single export $3, found:"; echo "$names"; exit 1
fi
if [ "$(printf '%s\n' "$ordinals" | grep -c 'base\[')" -ne 1 ] || ! printf '%s\n' "$ordinals" | grep -q 'base\[ *1\]'; then
  echo "expected one export at ordinal 1, found:"; echo "$ordinals"; exit 1
fi
echo "$(basename "$2"): $3 at ordinal 1, nothing else"
