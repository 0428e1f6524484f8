#!/usr/bin/env bash
# What the run record costs while the stopwatch runs: CPU time and writes
# over one running minute, side by side with a build without the record
# (the program as it was before it, built from an earlier commit).
#
# Usage: bench/run_record_cost.sh WITH_RECORD WITHOUT_RECORD [SECONDS=60]
# Each program runs from a private copy in a folder under build/ (a real
# disk, so that write_bytes counts), is started, set running with Alt+S,
# left 3 s to settle, then measured from /proc/<pid>/stat (utime + stime)
# and /proc/<pid>/io (syscw: write calls, write_bytes: bytes sent to the
# disk) over SECONDS. The figures are per minute.
set -u
[ $# -ge 2 ] || { echo "usage: $0 WITH_RECORD WITHOUT_RECORD [SECONDS]"; exit 2; }
with=$(realpath "$1")
without=$(realpath "$2")
seconds=${3:-60}
here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/tests/e2e/xvfb_session.sh"
work=$(mktemp -d "$here/build/run-record-cost.XXXXXX")
trap 'e2e_cleanup; rm -rf "$work"' EXIT
ticks=$(getconf CLK_TCK)

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
io() { awk -v k="$2:" '$1 == k { print $2 }' "/proc/$1/io"; }

measure() {
  mkdir -p "$work/$1"
  cp "$2" "$work/$1/velmaric"
  start_program "$work/$1/velmaric"
  press alt+s
  sleep 3
  local c0 w0 b0 c1 w1 b1
  c0=$(cpu_ticks "$APP_PID"); w0=$(io "$APP_PID" syscw); b0=$(io "$APP_PID" write_bytes)
  sleep "$seconds"
  c1=$(cpu_ticks "$APP_PID"); w1=$(io "$APP_PID" syscw); b1=$(io "$APP_PID" write_bytes)
  awk -v n="$1" -v c=$((c1 - c0)) -v w=$((w1 - w0)) -v b=$((b1 - b0)) -v s="$seconds" -v t="$ticks" \
    'BEGIN { printf "%-16s | %10.2f | %13.1f | %16.0f\n", n, 100 * c / t / s, w * 60 / s, b * 60 / s }'
  kill -TERM "$APP_PID"
  expect_clean_exit "$1"
}

echo "program          | CPU, % of 1 | write calls/min | bytes to disk/min"
measure "with record" "$with"
measure "without record" "$without"
