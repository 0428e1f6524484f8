#!/bin/bash
# A timing carried between the two systems on the removable disk: the Linux
# program times, logs and copies its settings file and log to the disk (a
# folder given as the medium's root); the Windows program copies them from
# drive A: (the same folder, mapped in the Wine prefix), goes on with the
# same counters, options and window place, logs its stop to the same log and
# copies both back; the Linux program takes them and goes on again. Each log
# name arrives on the other system as a name that is no full path there.
# Each step is one run of tests/presenter/transfer_driver on its system.
#
#   files_across_systems.sh <wine64> <Windows transfer_driver.exe> <Linux transfer_driver>
set -u
wine=$1
win_driver=$2
linux_driver=$3
if [ ! -x "$linux_driver" ]; then
  echo "no Linux build of the driver at $linux_driver (build the debug preset first): skipped"
  exit 77
fi
if ! command -v "$wine" >/dev/null; then
  echo "no $wine: skipped"
  exit 77
fi
. "$(dirname "$0")/../support/wine_drive_a.sh"

top=$(mktemp -d /tmp/velmaric-across-XXXXXX) || exit 1
name=$(basename "$top")
here="$top/linux"                        # the Linux computer's folder
disk="$top/disk"                         # the disk
there="$WINEPREFIX/drive_c/$name"        # the Windows computer's folder
there_win="C:\\$name"                    # the same, as Windows names it
cleanup() {
  [ -L "$drive" ] && [ "$(readlink "$drive")" = "$disk" ] && rm -f "$drive"
  rm -rf "$top" "$there"
}
trap cleanup EXIT INT TERM
mkdir -p "$here/logs" "$disk" "$there" || exit 1
ln -s "$disk" "$drive" || exit 1

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
same() {  # <what> <got> <wanted>
  [ "$2" = "$3" ] || fail "$1: got [$2], wanted [$3]"
}
same_file() {
  cmp -s "$1" "$2" || fail "$1 and $2 differ"
}
contains() {  # <what> <text> <part>
  case "$2" in *"$3"*) ;; *) fail "$1: [$3] not in [$2]" ;; esac
}
lacks() {
  case "$2" in *"$3"*) fail "$1: [$3] in [$2]" ;; esac
}
# Linux, then Windows: one run of the program each. Wine's console ends
# its lines with CR.
on_linux() {
  "$linux_driver" "$here/velmaric.ini" "$@" 2>&1 || fail "Linux: $* ended with $?"
}
on_windows() {
  "$wine" "$win_driver" "$there_win\\velmaric.ini" "$@" 2>&1 | tr -d '\r'
  [ "${PIPESTATUS[0]}" -eq 0 ] || fail "Windows: $* ended with ${PIPESTATUS[0]}"
}
# Every line ends in CR LF, and there are this many.
crlf_lines() {  # <file> <lines>
  same "lines of $1" "$(wc -l <"$1")" "$2"
  same "CR LF lines of $1" "$(grep -c $'\r$' "$1")" "$2"
}
# The file is the earlier log with one more line.
one_line_more() {  # <log> <earlier log>
  same "start of $1" "$(head -c "$(stat -c %s "$2")" "$1" | cmp -s - "$2" && echo kept)" kept
  same "lines of $1" "$(wc -l <"$1")" "$(($(wc -l <"$2") + 1))"
}
# A stop line's count, segment and total columns, and its length: the
# columns stand where the header's do.
stop_line() {  # <log> <count> <segment> <total>
  local line
  line=$(tail -n 1 "$1")
  same "count column of the last line of $1" "${line:0:6}" "$(printf '%5d ' "$2")"
  same "segment column of the last line of $1" "${line:78:20}" "  $3    "
  same "total column of the last line of $1" "${line:99:20}" "  $4    "
  same "length of the last line of $1" "${#line}" "$(($(head -n 1 "$1" | wc -c) - 1))"
  same "end of the last line of $1" "${line: -1}" $'\r'
}
copy_time() {  # the copy keeps the time stamp, to two seconds
  local from to
  from=$(stat -c %Y "$1")
  to=$(stat -c %Y "$2")
  [ $((from - to)) -ge 0 ] && [ $((from - to)) -le 2 ] || fail "time of $2 ($to) is not that of $1 ($from)"
}
values() {  # what a show printed, but the log name
  grep -v '^log=' <<<"$1"
}

echo "== Linux: a timing with its log, copied to the disk"
on_linux 0 setup "$here/logs/run.log" 123 456 400 333 >/dev/null
on_linux 1 run 6527 >/dev/null
stop_line "$here/logs/run.log" 1 00.00:01:05.27 00.00:01:05.27
crlf_lines "$here/velmaric.ini" 15
crlf_lines "$here/logs/run.log" 5
out=$(on_linux 2 copy-to "$disk")
same "Linux copy to the disk" "$out" \
  "box Information: Stopwatch Time / Settings information copied to Floppy Disk succesfully !"
same_file "$disk/velmaric.ini" "$here/velmaric.ini"
same_file "$disk/run.log" "$here/logs/run.log"
copy_time "$here/logs/run.log" "$disk/run.log"
linux_show=$(on_linux 3 show)
same "Linux values" "$(values "$linux_show")" "elapsed=6527.00
stops=1
original_start=46363.4278240741
caption=&Resume
place=123 456 400 333
options=log:1 nolog:0 count:1 expert:1 on_top:1"

echo "== Windows: from drive A:, one more stop, back to drive A:"
# The Linux log's name is no full path on Windows, and Windows had no log:
# the log comes beside the settings file, once the user says yes.
out=$(on_windows 10 copy-from system yes)
contains "Windows copy from drive A:" "$out" "box Warning: The timing copied from the disk keeps its Log in this file :||    $there_win\\run.log|"
contains "Windows copy from drive A:" "$out" \
  "box Information: Stopwatch Time / Settings information copied from Floppy Disk succesfully !"
# The settings as on the disk, with the log name the user said yes to.
same "Windows settings after the copy" "$(grep -v '^Log_File_Name_EditBox=' "$there/velmaric.ini")" \
  "$(grep -v '^Log_File_Name_EditBox=' "$disk/velmaric.ini")"
contains "Windows settings after the copy" "$(cat "$there/velmaric.ini")" \
  "Log_File_Name_EditBox=$there_win\\run.log"$'\r'
same_file "$there/run.log" "$disk/run.log"
copy_time "$disk/run.log" "$there/run.log"
windows_show=$(on_windows 11 show)
same "Windows values after the copy" "$(values "$windows_show")" "$(values "$linux_show")"
contains "Windows log name" "$windows_show" "log=$there_win\\run.log"
on_windows 30 run 1000 >/dev/null
one_line_more "$there/run.log" "$here/logs/run.log"
stop_line "$there/run.log" 2 00.00:00:10.00 00.00:01:15.27
crlf_lines "$there/velmaric.ini" 15
contains "Windows settings" "$(cat "$there/velmaric.ini")" "Log_File_Name_EditBox=$there_win\\run.log"
out=$(on_windows 31 copy-to system)
same "Windows copy to drive A:" "$out" \
  "box Information: Stopwatch Time / Settings information copied to Floppy Disk succesfully !"
same_file "$disk/velmaric.ini" "$there/velmaric.ini"
same_file "$disk/run.log" "$there/run.log"
windows_show=$(on_windows 32 show)

echo "== Linux: from the disk, one more stop"
# The Windows log's name is no full path on Linux: its file name, run.log,
# in the folder of the log Linux had, which is that log: no question.
out=$(on_linux 40 copy-from "$disk" no)
same "Linux copy from the disk" "$out" \
  "box Information: Stopwatch Time / Settings information copied from Floppy Disk succesfully !"
same_file "$here/logs/run.log" "$disk/run.log"
linux_show=$(on_linux 41 show)
same "Linux values after the copy" "$(values "$linux_show")" "$(values "$windows_show")"
contains "Linux values after the copy" "$linux_show" "stops=2"
contains "Linux log name" "$linux_show" "log=$here/logs/run.log"
contains "Linux settings" "$(cat "$here/velmaric.ini")" "Log_File_Name_EditBox=$here/logs/run.log"$'\r'
on_linux 60 run 500 >/dev/null
one_line_more "$here/logs/run.log" "$disk/run.log"
stop_line "$here/logs/run.log" 3 00.00:00:05.00 00.00:01:20.27
crlf_lines "$here/velmaric.ini" 15
contains "Linux values at the end" "$(on_linux 61 show)" "elapsed=8027.00"

if [ "$failures" -ne 0 ]; then
  echo "$failures checks failed"
  exit 1
fi
echo "the timing went to Windows and back"
