#!/bin/sh
# Fails when a binary has grown past its limit in bytes.
# Usage: check-size.sh FILE LIMIT
set -eu
size=$(wc -c < "$1")
if [ "$size" -gt "$2" ]; then
  echo "$(basename "$1") is $size bytes, more than its limit of $2"; exit 1
fi
echo "$(basename "$1"): $size bytes, limit $2"
