#!/usr/bin/env bash
# Installs a release under Wine in a fresh prefix of its own, on a display of
# its own, checks what the installation left and that it runs, uninstalls it
# the way Windows would, and checks that nothing is left, that PATH is as it
# was and that the driver's Parameters key kept its values. Each installer
# run gets a minute: a hang fails with the installer's log.
#
#   install.sh --setup FILE | --msi FILE    what to install (/S, or msiexec /qn)
#              --zip ZIP                   the files expected, as released
#              [--build DIR]               whose programs they must equal too
#              --version VERSION           as DisplayVersion and korvexcfg --version give it
#              [--over FILE]               install FILE (a setup program or an MSI) first,
#                                          into the default folder: the tested one goes
#                                          over it or takes it over, leaving one entry
#              [--into FOLDER]             the setup's folder (/D=), else the default
#              [--no-path]                 install with PATH left alone (/NOPATH, ADD_TO_PATH=0)
#              [--long-path]               PATH longer than an NSIS string's 1024 characters
#                                          first (Wine's programs then see only its start,
#                                          so korvexcfg is not looked up by name)
#              [--refused CODE:FILE]...    once installed, FILE must refuse with exit
#                                          CODE, say why in its log and change nothing
#              --prefix-from DIR [--win32] copy a booted prefix (of 32-bit Windows with
#                                          --win32: the setup's x86 path)
#              [--signed-by CERT.pem]      the installed programs' signer; then only
#                                          installs and checks the files
#              [--probe EXE]               also run a driver's installer made by the
#                                          README's recipe, starting EXE through korvlnch.dll
#              --work DIR                  made afresh; removed at the end unless KEEP is set
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
setup= msi= zip= build= version= template= win32= probe= work= signer= over= no_path= long_path=
default_folder='C:\Program Files\Korvane'
into=$default_folder
refused=()
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
    --into) into=$2; shift 2 ;;
    --no-path) no_path=yes; shift ;;
    --long-path) long_path=yes; shift ;;
    --refused) refused+=("$2"); shift 2 ;;
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
# Each program gets a minute: a hang fails with what the installers logged.
# Its exit status is Windows's, cut to eight bits by the host (1603 reads
# as 67).
log=$work/output
run() {
  local status=0
  timeout -k 5 60 "$wine" "$@" >"$log" 2>&1 </dev/null || status=$?
  if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    fail "$* hung for a minute: $(cat "$log")
$(installer_log)"
  fi
  return "$status"
}

# A Windows path on drive C: as the host sees it.
host_path() { local path=${1#[Cc]:\\}; printf '%s/drive_c/%s' "$WINEPREFIX" "${path//\\//}"; }
folder=$(host_path "$into")
all_users_shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Korvane Configuration Utility.lnk"
# The shortcut: in the Start menu of all users (Wine's msiexec puts a
# per-machine one in the user's, which the test takes from it).
shortcuts() {
  ls "$all_users_shortcut" 2>/dev/null || true
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
environment_key='HKLM\System\CurrentControlSet\Control\Session Manager\Environment'
machine_path() { run reg query "$environment_key" /v Path || true; tr -d '\r' <"$log" | sed -n 's/^    Path    REG_[A-Z_]*    //p'; }
# How many entries of a PATH are the installation folder (with or without
# a closing "\", in any case).
entries_of() { printf '%s' "$1" | tr ';' '\n' | sed 's/\\$//' | grep -icxF "$into" || true; }

# What the installers logged: the MSI's verbose log, the setup's own.
installer_log() {
  [ ! -f "$work/msi.log" ] || tail -40 "$work/msi.log"
  cat "$WINEPREFIX"/drive_c/users/*/Temp/korvane-tools-setup.log 2>/dev/null || true
}
# FILE [ARGUMENT...]: installs silently.
install() {
  local file=$1
  shift
  rm -f "$work/msi.log"
  if [[ $file == *.exe ]]; then
    run "$file" /S "$@"
  else
    run msiexec /i "$(windows_path "$file")" /qn /l*v "$(windows_path "$work/msi.log")" "$@"
  fi
}

# The driver's installation was there first.
korvex_wine_import "$root/tools/driver-stand-in.reg"
parameters_before=$(parameters)
if [ -n "$long_path" ]; then
  path=$(machine_path)
  for n in $(seq 40); do path="$path;C:\\Tools\\Folder of tools number $n"; done
  run reg add "$environment_key" /v Path /t REG_EXPAND_SZ /d "$path" /f || fail "PATH not set: $(cat "$log")"
fi
path_before=$(machine_path)

# Installed, over an earlier install when one is given.
if [ -n "$over" ]; then
  install "$over" || fail "$(basename "$over") failed: $(cat "$log")
$(installer_log)"
fi
tested=("${setup:-$msi}")
if [ -n "$setup" ]; then
  [ -z "$no_path" ] || tested+=(/NOPATH)
  [ "$into" = "$default_folder" ] || tested+=("/D=$into")
else
  [ -z "$no_path" ] || tested+=(ADD_TO_PATH=0)
fi
install "${tested[@]}" || fail "$(basename "${tested[0]}") failed: $(cat "$log")
$(installer_log)"
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
[ "$(value InstallLocation | sed 's/\\$//')" = "$into" ] || fail "InstallLocation is '$(value InstallLocation)'"
[ "$(value DisplayIcon)" = "$into\\korvex.exe" ] || fail "DisplayIcon is '$(value DisplayIcon)'"
wanted="Publisher EstimatedSize UninstallString"
[ -z "$setup" ] || wanted="$wanted QuietUninstallString"
for name in $wanted; do
  [ -n "$(value "$name")" ] || fail "the uninstall key has no $name: $values"
done
if [ -n "$setup" ]; then
  # What is installed, in KB (Wine's Windows Installer writes 0 for the MSI).
  bytes=$(cat "$folder"/* | wc -c)
  [ "$(($(value EstimatedSize)))" -eq $(((bytes + 1023) / 1024)) ] \
    || fail "EstimatedSize is $(($(value EstimatedSize))) KB for $bytes bytes installed"
else
  [ "$(value WindowsInstaller)" = 0x1 ] || fail "the entry is not the MSI's: $values"
fi
if [ "$into" != "$default_folder" ] || [[ $over == *.exe && -n $msi ]]; then
  # Nothing left of the installation gone over: no orphan copy, no shortcut
  # of the setup's beside the MSI's.
  [ "$into" = "$default_folder" ] || [ ! -e "$(host_path "$default_folder")" ] \
    || fail "left in $default_folder: $(ls -A "$(host_path "$default_folder")")"
  [ -z "$msi" ] || [ ! -e "$all_users_shortcut" ] || fail "the setup's shortcut is left"
fi
[ "$(parameters)" = "$parameters_before" ] || fail "the install changed the Parameters key: $(parameters)"
path_installed=$(machine_path)
if [ -n "$no_path" ]; then
  [ "$path_installed" = "$path_before" ] || fail "PATH changed: $path_installed"
else
  [ "$(entries_of "$path_installed")" -eq 1 ] || fail "PATH holds the folder $(entries_of "$path_installed") times: $path_installed"
fi
if [ -z "$no_path$long_path" ]; then
  # Found by name from a new command prompt, as DSC finds its resources.
  run cmd /c korvexcfg dsc get || fail "korvexcfg dsc get by name failed: $(cat "$log")"
  grep -q '"sizeMB":' "$log" || fail "korvexcfg dsc get printed: $(cat "$log")"
fi

# Older releases and the other installer refuse, in silent mode with their
# exit code and a line in their log, and leave the install as it was.
for refusal in ${refused[@]+"${refused[@]}"}; do
  code=${refusal%%:*} file=${refusal#*:}
  status=0
  install "$file" || status=$?
  [ "$status" -eq $((code % 256)) ] || fail "$(basename "$file") ended with $status, not $code: $(installer_log)"
  if [[ $file == *.msi ]]; then
    # Wine's log leaves out the launch condition's message.
    grep -aq 'LaunchConditions\. Return value 0' "$work/msi.log" \
      || fail "$(basename "$file") was not refused by a launch condition: $(installer_log)"
  else
    tail -1 "$WINEPREFIX"/drive_c/users/*/Temp/korvane-tools-setup.log | grep -q "refused, exit code $code: " \
      || fail "$(basename "$file") logged no refusal: $(installer_log)"
  fi
  installed_as_released
  [ "$(uninstall_values)" = "$values" ] || fail "$(basename "$file") changed the uninstall entries: $(uninstall_values)"
  [ "$(machine_path)" = "$path_installed" ] || fail "$(basename "$file") changed PATH: $(machine_path)"
done

# It runs.
run "$into\\korvexcfg.exe" --version || fail "korvexcfg --version failed: $(cat "$log")"
grep -q "^korvexcfg $version " "$log" || fail "korvexcfg --version printed: $(cat "$log")"
"$wine" "$into\\korvex.exe" >/dev/null 2>&1 </dev/null &
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
    -DTOOLS="$into" -DPROGRAM="$(windows_path "$probe")" "$root/tests/package/driver-stand-in.nsi"
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
  for _ in $(seq 600); do
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
path_after=$(machine_path)
# The setup puts back exactly what was there (Wine's Windows Installer leaves
# a ";" behind).
[ "$(entries_of "$path_after")" -eq 0 ] || fail "PATH still holds the folder: $path_after"
[ -z "$setup" ] || [ "$path_after" = "$path_before" ] || fail "PATH is not as it was: $path_after"
echo "installed, run and uninstalled"
