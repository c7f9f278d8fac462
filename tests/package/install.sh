#!/usr/bin/env bash
# Installs a release under Wine in a fresh prefix of its own, on a display of
# its own, checks what the installation left and that it runs, uninstalls it
# the way Windows would, and checks that nothing is left and that the driver's
# Parameters key kept its values.
#
#   install.sh --setup FILE | --msi FILE    what to install (/S, or msiexec /qn)
#              --zip ZIP                   the files expected, as released
#              [--build DIR]               whose programs they must equal too
#              --version VERSION           as DisplayVersion and korvexcfg --version give it
#              [--over FILE | --over-rebuild]
#                                          install FILE (a setup program or an MSI)
#                                          first, or a rebuild of the MSI: the tested
#                                          one goes over it, leaving one uninstall entry
#              [--refused FILE]            the other installer: once installed, it must
#                                          refuse and change nothing
#              --prefix-from DIR [--win32] copy a booted prefix (of 32-bit Windows with
#                                          --win32: the setup's x86 path)
#              [--signed-by CERT.pem]      the installed programs' signer; then only
#                                          installs and checks the files
#              [--probe EXE]               also run a driver's installer made by the
#                                          README's recipe, starting EXE through korvlnch.dll
#              --work DIR                  made afresh; removed at the end unless KEEP is set
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
setup= msi= zip= build= version= template= win32= probe= work= signer= over= rebuild= refused=
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
    --over) over=$2; shift 2 ;;
    --over-rebuild) rebuild=yes; shift ;;
    --refused) refused=$2; shift 2 ;;
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
# The values of every uninstall key whose DisplayName is the product's, as
# "Name=Data" lines; nothing when there is none.
uninstall_values() {
  run reg query "$uninstall_keys" /s || true
  tr -d '\r' <"$log" | awk '
    function flush() { if (ours) printf "%s", block; block = ""; ours = 0 }
    /^HKEY_/ { flush(); next }
    /^    [^ ]/ { sub(/^    /, ""); split($0, part, /    /); line = part[1] "=" part[3]
                  block = block line "\n"; if (line == "DisplayName=Korvane RAM Disk Tools") ours = 1 }
    END { flush() }'
}
parameters_key='HKLM\System\CurrentControlSet\Services\korvex\Parameters'
parameters() { run reg query "$parameters_key" || fail "no Parameters key: $(cat "$log")"; cat "$log"; }

install() {
  if [[ $1 == *.exe ]]; then
    run "$1" /S
  else
    run msiexec /i "$(windows_path "$1")" /qn /l*v "$(windows_path "$work/msi.log")"
  fi
}

# The driver's installation was there first.
korvex_wine_import "$root/tools/driver-stand-in.reg"
parameters_before=$(parameters)

# Installed, over an earlier install when one is given.
if [ -n "$rebuild" ]; then
  # What building it again changes: wixl gives each build a product code and
  # a package code of its own.
  over=$work/rebuilt.msi
  cp "$msi" "$over"
  template_code=$(msiinfo suminfo "$msi" | sed -n 's/^Template: //p')
  subject=$(msiinfo suminfo "$msi" | sed -n 's/^Subject: //p')
  new_code() { tr a-z A-Z </proc/sys/kernel/random/uuid; }
  msibuild "$over" -q "UPDATE \`Property\` SET \`Value\` = '{$(new_code)}' WHERE \`Property\` = 'ProductCode'" \
    -s "$subject" Korvane "$template_code" "{$(new_code)}"
fi
if [ -n "$over" ]; then
  install "$over" || fail "$(basename "$over") failed: $(cat "$log")"
fi
install "${setup:-$msi}" || fail "$(basename "${setup:-$msi}") failed: $(cat "$log")"
mkdir "$work/expected"
unzip -q "$zip" -d "$work/expected"
installed_as_released() {
  for file in "$work/expected"/*; do
    # The configuration document and the playbook are for the fleet's engines, not the machine.
    case $(basename "$file") in korvane.dsc.yaml | korvane-playbook.yml) continue ;; esac
    cmp "$file" "$folder/$(basename "$file")" || fail "$(basename "$file") is not installed as released"
  done
}
installed_as_released
if [ -n "$build" ]; then
  for binary in window/korvex.exe korvexcfg/korvexcfg.exe launcher/korvlnch.dll; do
    cmp "$build/$binary" "$folder/$(basename "$binary")" || fail "the installed $(basename "$binary") is not the tested one"
  done
fi
values=$(uninstall_values)
[ "$(printf '%s\n' "$values" | grep -c '^DisplayName=')" -eq 1 ] || fail "not one uninstall entry: $values"
if [ -n "$signer" ]; then
  for program in "$folder"/*.exe "$folder"/*.dll; do
    osslsigncode verify -CAfile "$signer" -in "$program" >/dev/null 2>&1 || fail "$(basename "$program") is not signed"
  done
  echo "installed, signed"
  exit 0
fi
[ -n "$(shortcuts)" ] || fail "no Start-menu shortcut"
value() { printf '%s\n' "$values" | sed -n "s/^$1=//p"; }
[ "$(value DisplayVersion)" = "$version" ] || fail "DisplayVersion is '$(value DisplayVersion)'"
[ "$(value InstallLocation | sed 's/\\$//')" = 'C:\Program Files\Korvane' ] || fail "InstallLocation is '$(value InstallLocation)'"
wanted="Publisher EstimatedSize UninstallString"
[ -z "$setup" ] || wanted="$wanted QuietUninstallString"
for name in $wanted; do
  [ -n "$(value "$name")" ] || fail "the uninstall key has no $name: $values"
done

# The other installer refuses, in silent mode with an exit code, and leaves
# the install as it was.
if [ -n "$refused" ]; then
  rm -f "$work/msi.log"
  status=0
  install "$refused" || status=$?
  if [[ $refused == *.msi ]]; then
    # Wine's log leaves out the launch condition's message: the search that
    # found the setup's install shows why.
    [ "$status" -ne 0 ] && grep -aq '^Property(S): SETUP_INSTALLED\(_32\)\? = ' "$work/msi.log" \
      || fail "$(basename "$refused") did not refuse for the setup's install (exit $status): $(tail -20 "$work/msi.log")"
  else
    # NSIS's code for an installer its script stopped.
    [ "$status" -eq 2 ] || fail "$(basename "$refused") did not refuse (exit $status)"
  fi
  installed_as_released
  [ "$(uninstall_values)" = "$values" ] || fail "$(basename "$refused") changed the uninstall entries: $(uninstall_values)"
fi

# It runs.
run 'C:\Program Files\Korvane\korvexcfg.exe' --version || fail "korvexcfg --version failed: $(cat "$log")"
grep -q "^korvexcfg $version " "$log" || fail "korvexcfg --version printed: $(cat "$log")"
"$wine" 'C:\Program Files\Korvane\korvex.exe' >/dev/null 2>&1 </dev/null &
korvex=$!
window=
# Up to three minutes: a 32-bit program under qemu, beside other tests, can
# take over one to show its first window.
for _ in $(seq 1800); do
  if xwininfo -root -tree 2>/dev/null | grep -qF '"Korvane Configuration Utility"'; then window=yes; break; fi
  sleep 0.1
done
[ -n "$window" ] || fail "korvex.exe showed no window 'Korvane Configuration Utility'"
# Where 32-bit programs run through qemu-user, Wine's taskkill does not find
# them by name (seen with Wine 8): then the program is ended from the host.
run taskkill /im korvex.exe || kill "$korvex" 2>/dev/null || fail "korvex.exe could not be closed: $(cat "$log")"
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
[ "$(parameters)" = "$parameters_before" ] || fail "the Parameters key changed: $(parameters)"
echo "installed, run and uninstalled"
