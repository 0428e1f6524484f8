#!/usr/bin/env bash
# Accuracy of a long timing, measured from outside the program: the real
# binary under a private Xvfb is started and stopped with its keyboard
# accelerator (Alt+S), the driver notes its own monotonic clock right after
# each key press has been handed to the X server, and the counter that the
# Stop saved (elapsed_centi_seconds of velmaric.ini) is compared with the
# driver's interval.
#
# Usage: bench/accuracy.sh [SECONDS=600] [path/to/velmaric]
#   default binary: build/release/velmaric
# Passes when |saved - driver| <= 2.1 cs (key delivery and the stamps).
# Exit status: 0 pass, 1 fail or error, 2 tools missing.

set -u
set -o pipefail

seconds=${1:-600}
repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
velmaric=${2:-$repo_root/build/release/velmaric}

die() { echo "accuracy: $*" >&2; exit 1; }

[[ $seconds =~ ^[0-9]+([.][0-9]+)?$ ]] || die "SECONDS must be a number, not '$seconds'"
missing=()
for t in Xvfb:xvfb xdotool:xdotool python3:python3; do
  command -v "${t%%:*}" >/dev/null 2>&1 || missing+=("${t##*:}")
done
if ((${#missing[@]})); then
  echo "accuracy: missing: ${missing[*]}; install with: apt-get install -y ${missing[*]}" >&2
  exit 2
fi
[[ -x $velmaric ]] || die "no binary at $velmaric (cmake --preset release && cmake --build --preset release)"

work=$(mktemp -d "${TMPDIR:-/tmp}/accuracy.XXXXXX")
xvfb_pid="" app_pid=""
cleanup() {
  [[ -n $app_pid ]] && kill -TERM "$app_pid" 2>/dev/null && sleep 0.5 && kill -KILL "$app_pid" 2>/dev/null
  [[ -n $xvfb_pid ]] && kill -TERM "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# A private copy: its settings file (beside it) starts absent.
mkdir -p "$work/app" "$work/home" "$work/run"
chmod 700 "$work/run"
cp "$velmaric" "$work/app/velmaric"
settings=$work/app/velmaric.ini

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.05; done
[[ -s $work/display ]] || die "Xvfb did not start"
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/run QT_QPA_PLATFORM=xcb

"$work/app/velmaric" >"$work/program.log" 2>&1 &
app_pid=$!
win=$(timeout 30 xdotool search --sync --onlyvisible --name '^Velmaric$' 2>/dev/null | head -n1)
[[ -n $win ]] || { cat "$work/program.log" >&2; die "no window titled Velmaric"; }
xdotool windowfocus --sync "$win"
sleep 1   # let the first ticks and paints settle

# The driver: one Python process and one long-lived xdotool reading its
# commands from a pipe, so a timestamp costs microseconds and no process is
# started around a key press. For each press the driver notes its monotonic
# clock just before writing "key alt+s" and again when xdotool answers the
# getmouselocation that follows it: that answer needs a round trip to the X
# server, which has then received the key events (XTEST) ahead of it. The
# "after" stamps form the measured interval; the "before" stamps show how long
# the hand-over took.
python3 - "$seconds" >"$work/driver.out" <<'PY' || die "driver failed"
import subprocess, sys, time
seconds = float(sys.argv[1])
xdo = subprocess.Popen(["xdotool", "-"], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, bufsize=1)
def press():
    t0 = time.monotonic_ns()
    xdo.stdin.write("key --delay 0 alt+s\ngetmouselocation\n"); xdo.stdin.flush()
    if not xdo.stdout.readline(): sys.exit("xdotool ended")
    return t0, time.monotonic_ns()
xdo.stdin.write("getmouselocation\n"); xdo.stdin.flush(); xdo.stdout.readline()  # connected
s0, s1 = press()
target = s1 + int(seconds * 1e9)
while True:
    left = target - time.monotonic_ns()
    if left <= 0: break
    time.sleep(min(left / 1e9, 1.0) if left > 2_000_000 else 0)
e0, e1 = press()
xdo.stdin.close(); xdo.wait()
print(s0, s1, e0, e1)
PY
read -r s0 s1 e0 e1 <"$work/driver.out"

# Stop saves the settings file; wait for the save, then close cleanly.
for _ in $(seq 50); do
  grep -aq '^Stops_Since_Last_Reset_SpinEdit=1' "$settings" 2>/dev/null && break
  sleep 0.1
done
saved=$(grep -a '^elapsed_centi_seconds=' "$settings" | head -n1 | cut -d= -f2- | tr -d '\r')
stops=$(grep -a '^Stops_Since_Last_Reset_SpinEdit=' "$settings" | head -n1 | cut -d= -f2- | tr -d '\r')
[[ -n $saved ]] || die "no elapsed_centi_seconds in $settings"
[[ $stops == 1 ]] || die "the settings file shows $stops stops, expected 1 (did Alt+S reach the window?)"
xdotool key --window "$win" alt+e
for _ in $(seq 50); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
wait "$app_pid" 2>/dev/null; app_pid=""

awk -v sv="$saved" -v s0="$s0" -v s1="$s1" -v e0="$e0" -v e1="$e1" -v secs="$seconds" '
BEGIN {
  saved = sv + 0
  driver = (e1 - s1) / 1e7          # ns -> cs, stamps after each press
  before = (e0 - s0) / 1e7          # stamps before each press
  diff = saved - driver
  limit = 2 + 0.1                   # key delivery and the stamps
  printf "requested interval:                %s s\n", secs
  printf "start press handed to the X server in %.3f ms\n", (s1 - s0) / 1e6
  printf "stop press handed to the X server in  %.3f ms\n", (e1 - e0) / 1e6
  printf "driver interval (after each press): %.2f cs\n", driver
  printf "driver interval (before each press): %.2f cs\n", before
  printf "saved elapsed_centi_seconds:       %s  (%.2f cs)\n", sv, saved
  printf "difference saved - driver:         %+.2f cs (%+.4f %%)\n", diff, 100 * diff / driver
  printf "tolerance:                         +-%.1f cs\n", limit
  if (diff <= limit && diff >= -limit) { print "PASS"; exit 0 } else { print "FAIL"; exit 1 }
}'
