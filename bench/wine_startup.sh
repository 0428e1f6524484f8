#!/usr/bin/env bash
# The Windows program under Wine beside the Linux one, on one private Xvfb
# display with openbox: start-up (exec to a visible window titled Velmaric,
# median of RUNS starts) and peak memory (VmHWM of the program's process two
# seconds after its window is up; for the Windows program that of the Wine
# process running velmaric.exe, which holds Wine's own libraries too).
#
# Usage: bench/wine_startup.sh build/windows/velmaric.exe [build/release/velmaric]
# Environment: RUNS (default 5).
set -u
RUNS=${RUNS:-5}
linux_program=${2:-}
[ -n "$linux_program" ] && linux_program=$(realpath "$linux_program")
. "$(dirname "${BASH_SOURCE[0]}")/../tests/win32/wine_session.sh" "$1"

# Wine's desktop stays up between the starts, as in a session where other
# programs run: otherwise each start waits for a new one.
x86_64-w64-mingw32-gcc-posix -mwindows -o "$WINEPREFIX/desktop-keeper.exe" \
  "$(dirname "${BASH_SOURCE[0]}")/../scripts/wine-desktop-keeper.c"
"$WINE" "$WINEPREFIX/desktop-keeper.exe" </dev/null >/dev/null 2>&1 &

median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }

# One start of "$@": prints the milliseconds to its window and its VmHWM in
# KiB, then ends it with Alt+E.
measure() {
  local started pid window_ms
  started=$(now_ms)
  "$@" >/dev/null 2>&1 &
  wait_until 60 "no window" visible_window '^Velmaric$'
  window_ms=$(( $(now_ms) - started ))
  sleep 2
  pid=$(pgrep -n -f 'velmaric(\.exe)?$')
  echo "$window_ms $(awk '/VmHWM/ {print $2}' "/proc/$pid/status")"
  xdotool windowfocus --sync "$FOUND" key --clearmodifiers alt+e
  wait_until 20 "did not end" window_gone "$FOUND"
  sleep 1
}

report() {  # report <name> <command...>
  local name=$1 results
  shift
  results=$(for _ in $(seq "$RUNS"); do measure "$@"; done)
  printf '%-8s start-up %5s ms   peak memory %6s KiB\n' "$name" \
    "$(cut -d' ' -f1 <<<"$results" | median)" "$(cut -d' ' -f2 <<<"$results" | median)"
}

report windows "$WINE" "$APP_EXE"
if [ -n "$linux_program" ]; then
  cp "$linux_program" "$E2E_DIR/app/velmaric"
  report linux "$E2E_DIR/app/velmaric"
fi
