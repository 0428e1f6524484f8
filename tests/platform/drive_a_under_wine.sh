#!/bin/sh
# Runs the drive A: cases of a Windows test program under Wine: first with no
# drive A:, then with a temporary folder mapped as drive A: of the Wine prefix
# (a dosdevices link), which is removed again. Never touches a real device,
# and leaves a prefix that already has a drive A: alone (skipped, 77).
#
#   drive_a_under_wine.sh <wine64> <test program>
set -u
wine=$1
program=$2
. "$(dirname "$0")/../support/wine_drive_a.sh"
folder=$(mktemp -d /tmp/velmaric-drive-a-XXXXXX) || exit 1
cleanup() {
  [ -L "$drive" ] && [ "$(readlink "$drive")" = "$folder" ] && rm -f "$drive"
  rm -rf "$folder"
}
trap cleanup EXIT INT TERM

run() {
  "$wine" "$program" --gtest_also_run_disabled_tests --gtest_filter="Drive_A.DISABLED_$1"
}

run Absent || exit 1
marker="mapped $(date +%s%N)"
printf '%s' "$marker" >"$folder/marker.txt"
ln -s "$folder" "$drive" || exit 1
VELMARIC_DRIVE_A_MARKER=$marker run PresentAndShowsTheMappedFolder || exit 1
rm -f "$drive"
run Absent || exit 1
