#!/usr/bin/env bash
# Installs a release under Wine in a fresh prefix of its own, on a display of
# its own, checks what the installation left and that it runs, uninstalls it
# the way Windows would, and checks that nothing is left.
#
#   install.sh --setup FILE | --msi FILE    what to install (/S, or msiexec /qn)
#              --zip ZIP                   the files expected, as released
#              [--build DIR]               whose programs they must equal too
#              --version VERSION           as DisplayVersion gives it (korvexcfg --version: 0.02.0013)
#              --prefix-from DIR [--win32] copy a booted prefix (of 32-bit Windows with
#                                          --win32: the setup's x86 path)
#              [--signed-by CERT.pem]      the installed programs' signer; then only
#                                          installs and checks the files
#              [--probe EXE]               also run a driver's installer made by the
#                                          README's recipe, starting EXE through korvlnch.dll
#              --work DIR                  made afresh; removed at the end unless KEEP is set
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
setup= msi= zip= build= version= template= win32= probe= work= signer=
while [ $# -gt 0 ]; do
  case "$1" in
    --setup) setup=$2; shift 2 ;;
    --msi) msi=$2; shift 2 ;;
    --zip) zip=$2; shift 2 ;;
    --build) build=$2; shift 2 ;;
    --version) version=$2; shift 2 ;;
    --prefix-from) template=$2; shift 2 ;;
    --win32) win32=yes; shift ;;
    --probe) probe=$2; shift 2 ;;
    --signed-by) signer=$2; shift 2 ;;
    --work) work=$2; shift 2 ;;
    *) echo "unknown argument $1" >&2; exit 2 ;;
  esac
done
fail() { echo "FAIL: $*" >&2; exit 1; }
windows_path() { printf 'Z:%s' "$(realpath "$1" | tr / '\\')"; }

rm -rf "$work"
mkdir -p "$work"
export KORVEX_WINEPREFIX=$work/prefix
. "$root/tools/wine-session"
finish() {
  wineserver -k 2>/dev/null || true
  korvex_wine_session_stop
  [ -n "${KEEP:-}" ] || rm -rf "$work"
}
trap finish EXIT
if [ -n "$win32" ]; then
  # 32-bit Windows: the i386 loader runs the whole prefix.
  export WINEARCH=win32
  korvex_wine64=$korvex_wine32
fi
# Linked, not copied (1.3 GB): no one writes to the programs and libraries
# in place. The registry, the update stamp and the .ini files are copies.
cp -al "$template" "$KORVEX_WINEPREFIX"
for file in "$template"/* "$template"/.update-timestamp "$template"/drive_c/windows/*.ini; do
  [ ! -f "$file" ] || cp --remove-destination "$file" "$KORVEX_WINEPREFIX/${file#"$template"/}"
done
wine=$korvex_wine64
unset KORVEX_USE_DISPLAY
korvex_start_display
korvex_wine_ready

# A program's output through a file: Wine's helpers may hold a pipe open.
log=$work/output
run() { "$wine" "$@" >"$log" 2>&1 </dev/null; }

folder="$WINEPREFIX/drive_c/Program Files/Korvane"
# The shortcut: in the Start menu of all users (Wine's msiexec puts a
# per-machine one in the user's, which the test takes from it).
shortcuts() {
  ls "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Korvane Configuration Utility.lnk" 2>/dev/null || true
  [ -z "$msi" ] || ls "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs/Korvane\ Configuration\ Utility.lnk \
                        2>/dev/null || true
}
uninstall_keys='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
# The values of the uninstall key whose DisplayName is the product's, as
# "Name=Data" lines; nothing when there is none.
uninstall_values() {
  run reg query "$uninstall_keys" /s || true
  tr -d '\r' <"$log" | awk '
    /^HKEY_/ { if (ours) exit; block = ""; next }
    /^    [^ ]/ { sub(/^    /, ""); split($0, part, /    /); line = part[1] "=" part[3]
                  block = block line "\n"; if (line == "DisplayName=Korvane RAM Disk Tools") ours = 1 }
    END { if (ours) printf "%s", block }'
}

# Installed.
if [ -n "$setup" ]; then
  run "$setup" /S || fail "setup /S failed: $(cat "$log")"
else
  run msiexec /i "$(windows_path "$msi")" /qn || fail "msiexec /i failed: $(cat "$log")"
fi
mkdir "$work/expected"
unzip -q "$zip" -d "$work/expected"
for file in "$work/expected"/*; do
  # The configuration document and the playbook are for the fleet's engines, not the machine.
  case $(basename "$file") in korvane.dsc.yaml | korvane-playbook.yml) continue ;; esac
  cmp "$file" "$folder/$(basename "$file")" || fail "$(basename "$file") is not installed as released"
done
if [ -n "$build" ]; then
  for binary in config/korvex.exe korvexcfg/korvexcfg.exe launcher/korvlnch.dll; do
    cmp "$build/$binary" "$folder/$(basename "$binary")" || fail "the installed $(basename "$binary") is not the tested one"
  done
fi
if [ -n "$signer" ]; then
  for program in "$folder"/*.exe "$folder"/*.dll; do
    osslsigncode verify -CAfile "$signer" -in "$program" >/dev/null 2>&1 || fail "$(basename "$program") is not signed"
  done
  echo "installed, signed"
  exit 0
fi
[ -n "$(shortcuts)" ] || fail "no Start-menu shortcut"
values=$(uninstall_values)
value() { printf '%s\n' "$values" | sed -n "s/^$1=//p"; }
[ "$(value DisplayVersion)" = "$version" ] || fail "DisplayVersion is '$(value DisplayVersion)'"
[ "$(value InstallLocation | sed 's/\\$//')" = 'C:\Program Files\Korvane' ] || fail "InstallLocation is '$(value InstallLocation)'"
wanted="Publisher EstimatedSize UninstallString"
[ -z "$setup" ] || wanted="$wanted QuietUninstallString"
for name in $wanted; do
  [ -n "$(value "$name")" ] || fail "the uninstall key has no $name: $values"
done

# It runs.
run 'C:\Program Files\Korvane\korvexcfg.exe' --version || fail "korvexcfg --version failed: $(cat "$log")"
# As the binaries' version strings give it: minor to two digits, patch to four.
version_text=$(echo "$version" | awk -F. '{ printf "%d.%02d.%04d", $1, $2, $3 }')
grep -qx "korvexcfg $version_text"$'\r\\?' "$log" || fail "korvexcfg --version printed: $(cat "$log")"
"$wine" 'C:\Program Files\Korvane\korvex.exe' >/dev/null 2>&1 </dev/null &
korvex=$!
window=
for _ in $(seq 600); do
  if xwininfo -root -tree 2>/dev/null | grep -qF '"Korvane Configuration Utility"'; then window=yes; break; fi
  sleep 0.1
done
[ -n "$window" ] || fail "korvex.exe showed no window 'Korvane Configuration Utility'"
run taskkill /im korvex.exe || fail "korvex.exe could not be closed: $(cat "$log")"
for _ in $(seq 600); do
  kill -0 "$korvex" 2>/dev/null || break
  sleep 0.1
done
! kill -0 "$korvex" 2>/dev/null || fail "korvex.exe did not close"

if [ -n "$probe" ]; then
  # A driver's installer, its call made by the README's lines.
  sed -n '/System::Call .kernel32::LoadLibrary/,/^  ${EndIf}/p' "$root/packaging/README.txt" \
    | sed 's/\$INSTDIR\\korvex\.exe/${PROGRAM}/' >"$work/recipe.nsh"
  grep -q 'PROGRAM' "$work/recipe.nsh" || fail "the README has no installer recipe"
  makensis -V1 -DOUTFILE="$work/driver-setup.exe" -DRECIPE="$work/recipe.nsh" \
    -DTOOLS='C:\Program Files\Korvane' -DPROGRAM="$(windows_path "$probe")" "$root/tests/package/driver-stand-in.nsi"
  mkdir "$work/records"
  export KORVEX_PROBE_RECORDS=$(windows_path "$work/records")
  run "$work/driver-setup.exe" /S || fail "the driver's installer failed: $(cat "$log")"
  for _ in $(seq 600); do
    [ -f "$work/records/record-001.txt" ] && break
    sleep 0.1
  done
  sleep 0.5
  [ "$(cat "$work"/records/record-*.txt 2>/dev/null)" = $'start 1\n[install]' ] \
    || fail "the program started through korvlnch.dll received: $(cat "$work"/records/record-*.txt 2>/dev/null)"
fi

# Uninstalled, as Windows would.
if [ -n "$setup" ]; then
  quiet=$(value QuietUninstallString)
  program=${quiet#\"}
  program=${program%%\"*}
  run "$program" ${quiet##*\"} || fail "$quiet failed: $(cat "$log")"
  # The uninstaller goes on from a copy of itself.
  for _ in $(seq 1200); do
    [ -e "$folder" ] || break
    sleep 0.1
  done
else
  run msiexec /x "$(windows_path "$msi")" /qn || fail "msiexec /x failed: $(cat "$log")"
fi
[ ! -e "$folder" ] || fail "left behind: $(ls -A "$folder")"
[ -z "$(shortcuts)" ] || fail "the shortcut is left behind: $(shortcuts)"
[ -z "$(uninstall_values)" ] || fail "the uninstall key is left behind"
echo "installed, run and uninstalled"
