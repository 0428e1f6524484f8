#!/bin/bash
# The Windows packages under Wine, in a Wine of this test's own:
#   - the installer, run silently (/S) as a standard user, puts velmaric.exe,
#     its readme and catalog and the uninstaller in the user's Programs
#     folder, a shortcut in the Start menu and the Uninstall key, and the
#     installed program answers --version;
#   - the uninstaller, run silently as Settings' list of apps runs it,
#     removes all of that, the Run value that starts this copy at sign-in
#     and the settings kept beside the program; settings in the user's
#     application data stay;
#   - a second round: a Run value that starts another copy of the program,
#     and a log the user keeps in the program's folder, outlive the
#     uninstall (and so does the folder);
#   - the portable zip holds the program, its readme and catalog in one
#     folder, and the program runs from there.
#
#   tests/win32/installer_under_wine.sh <setup.exe> <portable.zip> <version> <assets folder>
set -u
installer=$(realpath "$1") zip=$(realpath "$2") version=$3 assets=$(realpath "$4")
wine=${VELMARIC_WINE:-/usr/lib/wine/wine64}
[ -x "$wine" ] || { echo "SKIP: no wine64"; exit 77; }
wineserver="$(dirname "$wine")/wineserver"

work=$(mktemp -d)
# No display: nothing here makes a window, and the test should not depend
# on whichever X server the caller has.
unset DISPLAY
export WINEPREFIX="$work/wine" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap '"$wineserver" -k 2>/dev/null; rm -rf "$work"' EXIT

fail() { echo "FAIL: $*"; exit 1; }
# A Windows command's output, without its CRs.
win() { "$wine" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
unix_path() { win winepath.exe -u "$1"; }
# The data of a registry value, empty when there is none.
reg_value() {
  win reg query "$1" /v "$2" | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
key_exists() { "$wine" reg query "$1" </dev/null >/dev/null 2>&1; }

uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmaric'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'

"$wine" wineboot --init </dev/null >"$work/wineboot.log" 2>&1 || fail "wineboot failed"
local_app_data=$(win cmd /c 'echo %LOCALAPPDATA%')
app_data=$(win cmd /c 'echo %APPDATA%')
[[ $local_app_data == [A-Z]:\\* && $app_data == [A-Z]:\\* ]] ||
  fail "no user folders: '$local_app_data', '$app_data'"
install_dir="$local_app_data\\Programs\\Velmaric"
program="$install_dir\\velmaric.exe"
dir=$(unix_path "$install_dir")
shortcut=$(unix_path "$app_data\\Microsoft\\Windows\\Start Menu\\Programs")/Velmaric.lnk
own_settings=$(unix_path "$app_data\\Velmaric")/velmaric.ini

# Runs the uninstaller as the Uninstall key's QuietUninstallString says.
# It copies itself to the temporary folder and returns at once, so that it
# can delete itself: the wait is for every process of this Wine to end.
# (Its _?= switch would keep it in place, where it cannot delete itself.)
uninstall() {
  local command
  command=$(reg_value "$uninstall_key" QuietUninstallString)
  [ "$command" = "\"$install_dir\\uninstall.exe\" /S" ] ||
    fail "the quiet uninstall command is '$command'"
  "$wine" "$(unix_path "$install_dir\\uninstall.exe")" /S </dev/null >"$work/uninstall.log" 2>&1 ||
    fail "the uninstaller failed"
  timeout 60 "$wineserver" -w || fail "the uninstaller did not end"
}

install() {
  "$wine" "$installer" /S </dev/null >"$work/install.log" 2>&1 || fail "the installer failed: $?"
  for leaf in velmaric.exe velmaric.txt catalog.txt uninstall.exe; do
    [ -f "$dir/$leaf" ] || fail "no $leaf in $install_dir"
  done
  cmp -s "$dir/velmaric.txt" "$assets/velmaric.txt" || fail "the installed readme differs"
  cmp -s "$dir/catalog.txt" "$assets/catalog.txt" || fail "the installed catalog differs"
  [ -f "$shortcut" ] || fail "no Start-menu shortcut"
  strings -el "$shortcut" | grep -qixF "$program" ||
    strings "$shortcut" | grep -qixF "$program" || fail "the shortcut does not start $program"
  [ "$(reg_value "$uninstall_key" DisplayName)" = Velmaric ] || fail "no Uninstall key"
  [ "$(reg_value "$uninstall_key" DisplayVersion)" = "$version" ] ||
    fail "the Uninstall key names version '$(reg_value "$uninstall_key" DisplayVersion)'"
  [ "$(reg_value "$uninstall_key" InstallLocation)" = "$install_dir" ] ||
    fail "the Uninstall key places it in '$(reg_value "$uninstall_key" InstallLocation)'"
}

# ------------------------------------------------------------ first round --
install
answer=$(win "$dir/velmaric.exe" --version)
[ "$answer" = "velmaric $version" ] || fail "the installed program answers --version with '$answer'"

# What the program leaves behind: its start-up entry (as Auto-Run writes
# it), the settings it saved beside itself and a save's temporary, and
# settings in the user's folder from an earlier portable copy.
"$wine" reg add "$run_key" /v velmaric.exe /d "\"$program\"" /f </dev/null >/dev/null 2>&1
[ "$(reg_value "$run_key" velmaric.exe)" = "\"$program\"" ] || fail "could not write the Run value"
printf 'Stops_Since_Last_Reset_SpinEdit=1\r\n' >"$dir/velmaric.ini"
printf 'half a save' >"$dir/.velmaric.ini.0a1b2c"
mkdir -p "$(dirname "$own_settings")"
printf 'Stops_Since_Last_Reset_SpinEdit=2\r\n' >"$own_settings"

uninstall
[ ! -e "$dir" ] || fail "the program's folder is left: $(ls -A "$dir" | tr '\n' ' ')"
[ ! -e "$shortcut" ] || fail "the Start-menu shortcut is left"
! key_exists "$uninstall_key" || fail "the Uninstall key is left"
[ -z "$(reg_value "$run_key" velmaric.exe)" ] || fail "the Run value is left"
[ -f "$own_settings" ] || fail "the settings in the user's folder were removed"

# ----------------------------------------------------------- second round --
install
other="C:\\Portable\\velmaric.exe"
"$wine" reg add "$run_key" /v velmaric.exe /d "\"$other\"" /f </dev/null >/dev/null 2>&1
printf 'STOP\r\n' >"$dir/stops.log"
uninstall
[ "$(reg_value "$run_key" velmaric.exe)" = "\"$other\"" ] ||
  fail "the Run value of another copy was removed"
[ "$(ls -A "$dir" 2>/dev/null)" = stops.log ] ||
  fail "the folder holds '$(ls -A "$dir" 2>/dev/null | tr '\n' ' ')', not the log alone"
[ ! -e "$shortcut" ] && ! key_exists "$uninstall_key" || fail "the second uninstall left its entries"

# ------------------------------------------------------------ portable zip --
folder=velmaric-$version
expected=$(printf '%s\n' "$folder/" "$folder/catalog.txt" "$folder/velmaric.exe" "$folder/velmaric.txt")
listed=$(cmake -E tar tf "$zip" | sort)
[ "$listed" = "$expected" ] || fail "the zip holds: $(echo "$listed" | tr '\n' ' ')"
mkdir "$work/unzipped"
(cd "$work/unzipped" && cmake -E tar xf "$zip") || fail "the zip does not unpack"
cmp -s "$work/unzipped/$folder/velmaric.txt" "$assets/velmaric.txt" || fail "the zip's readme differs"
cmp -s "$work/unzipped/$folder/catalog.txt" "$assets/catalog.txt" || fail "the zip's catalog differs"
answer=$(win "$work/unzipped/$folder/velmaric.exe" --version)
[ "$answer" = "velmaric $version" ] || fail "the portable program answers --version with '$answer'"

echo "PASS: the installer installs the program, readme, catalog, uninstaller, shortcut and" \
  "Uninstall key; the uninstaller removes them with this copy's Run value and its settings," \
  "keeping another copy's Run value, the user's log and settings; the zip holds the portable program"
