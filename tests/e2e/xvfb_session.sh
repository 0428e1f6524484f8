# Shared by the end-to-end tests: a private X server, a private home, and the
# program's window found by its title. Source this file; it sets DISPLAY,
# HOME, E2E_DIR and cleans up on exit.
#
# No step sleeps for the program to get somewhere: wait_until polls for the
# state a step brings about, within a bound, and a timing check takes its
# limits from now_ms stamps around the key presses. A sleep is only ever the
# interval that is being measured.

for tool in Xvfb xdotool import xwininfo xprop; do
  command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done

E2E_DIR=$(mktemp -d)
export HOME="$E2E_DIR/home" XDG_CONFIG_HOME="$E2E_DIR/home/.config" XDG_RUNTIME_DIR="$E2E_DIR/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

e2e_cleanup() {
  [ -n "${APP_PID:-}" ] && kill "$APP_PID" 2>/dev/null
  [ -n "${OPENBOX_PID:-}" ] && kill "$OPENBOX_PID" 2>/dev/null
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$E2E_DIR"
}
trap e2e_cleanup EXIT

# Says what failed, whether the program had ended, and the end of what it
# last printed.
fail() {
  echo "FAIL: $*"
  [ -n "${APP_PID:-}" ] && ! kill -0 "$APP_PID" 2>/dev/null && echo "(the program had ended)"
  [ -s "$E2E_DIR/program.log" ] && tail -n 20 "$E2E_DIR/program.log"
  exit 1
}

# Milliseconds, in steps of 10, on the clock the program times with
# (CLOCK_BOOTTIME, which /proc/uptime reads): a step of the wall clock cannot
# move a bound. Read without starting a process.
now_ms() {
  local up
  read -r up _ </proc/uptime
  echo $((10#${up/./} * 10))
}

# Seconds, whole or with up to three decimals, in milliseconds.
ms_of() {
  local whole=${1%%.*} fraction=000
  [[ $1 == *.* ]] && fraction="${1#*.}000"
  echo $((10#${whole:-0} * 1000 + 10#${fraction:0:3}))
}

# Runs a command until it succeeds, for at most $1 seconds, then fails saying
# $2. The command runs in this shell, so it may set variables for the caller.
wait_until() {
  local seconds=$1 what=$2 deadline
  shift 2
  deadline=$(($(now_ms) + $(ms_of "$seconds")))
  until "$@"; do
    [ "$(now_ms)" -lt "$deadline" ] || fail "$what (waited $seconds s)"
    sleep 0.05
  done
}

# Fails saying $2 unless a command keeps succeeding for $1 seconds: the
# check that something does not happen.
holds_for() {
  local seconds=$1 what=$2 deadline
  shift 2
  deadline=$(($(now_ms) + $(ms_of "$seconds")))
  while "$@"; do
    [ "$(now_ms)" -lt "$deadline" ] || return 0
    sleep 0.05
  done
  fail "$what"
}

# -noreset: each poll is a short-lived client, and a server that resets when
# its last client leaves turns away whoever connects meanwhile.
exec 3>"$E2E_DIR/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset >"$E2E_DIR/xvfb.log" 2>&1 &
XVFB_PID=$!
wait_until 10 "Xvfb did not start" test -s "$E2E_DIR/display"
export DISPLAY=":$(cat "$E2E_DIR/display")"

# A real window manager, for the frames, titles and places users see. It
# names itself on the root window once it manages the screen.
start_openbox() {
  command -v openbox >/dev/null || { echo "SKIP: openbox is not installed"; exit 77; }
  openbox >"$E2E_DIR/openbox.log" 2>&1 &
  OPENBOX_PID=$!
  wait_until 10 "openbox did not take the screen" window_manager_running
}
window_manager_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# A copy of the program in a folder of its own, so that the settings file
# it keeps beside itself starts out absent and stays private.
private_copy() {
  mkdir -p "$E2E_DIR/app"
  cp "$1" "$E2E_DIR/app/velmaric"
  echo "$E2E_DIR/app/velmaric"
}

# Whether a window whose title matches the pattern $1 is visible; FOUND is
# the first such window.
visible_window() {
  FOUND=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
  [ -n "$FOUND" ]
}

# Whether the window $1 is gone from the screen (hidden or destroyed).
window_gone() { ! xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'; }

# Waits up to 10 s for a visible window whose title begins with $1; FOUND is
# that window. $2 says what for. (Not in a subshell: a failure must end the
# test.)
find_window() { wait_until 10 "$2: no window titled $1" visible_window "^$1"; }

# Waits for the main window; WINDOW is that window, and it has the keyboard.
# $1 says what for.
main_window() {
  wait_until 10 "$1: no window titled Velmaric" visible_window '^Velmaric$'
  WINDOW=$FOUND
  focus "$WINDOW"
}

# Starts the program in the background and waits for its window.
start_program() {
  "$@" >"$E2E_DIR/program.log" 2>&1 &
  APP_PID=$!
  main_window "the start"
}

# Answers the box FOUND with the key $1 and waits for it to go; $2 says what
# for.
answer_found() {
  focus "$FOUND"
  xdotool key --clearmodifiers "$1"
  wait_until 5 "$2: the box stayed open" window_gone "$FOUND"
}

# Answers the box titled $1 with the key $2; $3 says what for.
answer_box() {
  find_window "$1" "$3"
  answer_found "$2" "$3"
}

# Gives a window the keyboard, or fails within 5 s (never hangs the suite).
focus() { timeout 5 xdotool windowfocus --sync "$1" || fail "window $1 did not take the focus"; }

# Keys go to the focused window through the XTEST extension, as a user types
# them. A button clicks a tenth of a second after its Alt+letter (Qt shows
# the press), and the same Alt+letter again within that time makes no second
# click: after a key, a step waits for what the key brings about.
press() { xdotool key --clearmodifiers "$@"; }

# A checksum of a region of the window (width x height + x + y).
region_sum() { import -window "$WINDOW" -crop "$1" rgb:- 2>/dev/null | md5sum; }

# The four elapsed-time fields at the first-run size.
elapsed_fields="100x100+195+54"

# Whether the elapsed-time fields change twice in a row a tenth of a second
# apart: a running clock shows a new hundredth at every tick, where a one-off
# repaint changes them once.
clock_runs() {
  local first second
  first=$(region_sum "$elapsed_fields")
  sleep 0.1
  second=$(region_sum "$elapsed_fields")
  [ "$first" != "$second" ] || return 1
  sleep 0.1
  [ "$second" != "$(region_sum "$elapsed_fields")" ]
}

# Whether the elapsed-time fields stay the same for $1 seconds.
clock_still_for() {
  local first
  first=$(region_sum "$elapsed_fields")
  sleep "$1"
  [ "$first" = "$(region_sum "$elapsed_fields")" ]
}

# Presses $1 (Start or Resume) and waits for the clock to run; the stamps
# around are left in start_before and start_seen.
start_clock() {
  start_before=$(now_ms)
  press "$1"
  wait_until 5 "$1 did not start the clock" clock_runs
  start_seen=$(now_ms)
}

# The value of the key $1 in a settings file: $2, or else the script's
# $settings; without the line's CR.
value() { grep -a "^$1=" "${2:-$settings}" | head -n 1 | cut -d= -f2- | tr -d '\r'; }

# Whether the settings file $1 holds the stop count $2.
stop_count_saved() { grep -aqxF "Stops_Since_Last_Reset_SpinEdit=$2"$'\r' "$1" 2>/dev/null; }

# Presses Stop and waits for the settings file $1 to hold the stop count $2;
# the stamps around are left in stop_before and stop_seen.
stop_clock() {
  stop_before=$(now_ms)
  press alt+s
  wait_until 5 "Stop number $2 was not saved" stop_count_saved "$1" "$2"
  stop_seen=$(now_ms)
}

# How much the display may lag the counter: one tick of the clock (it shows
# a change at most 25 to 30 times a second), which also covers the stamps'
# 10 ms steps and the hundredth the saved counter is cut to.
tick_cs=4

# Fails, saying $1, unless a counter of $2 centiseconds fits an interval
# that began between start_before and start_seen and ended between
# stop_before and stop_seen, give or take a tick.
expect_elapsed() {
  local least=$(((stop_before - start_seen) / 10 - tick_cs))
  local most=$(((stop_seen - start_before) / 10 + tick_cs))
  [ "$2" -ge "$least" ] && [ "$2" -le "$most" ] ||
    fail "$1: $2 cs, where the stamps around the keys allow $least to $most cs"
}

program_running() { kill -0 "$APP_PID" 2>/dev/null; }
program_ended() { ! program_running; }

# Waits up to 5 s for the program to end and fails unless it ended with
# status 0. (Not in a subshell: only this shell can wait for its child.)
expect_clean_exit() {
  wait_until 5 "$1: the program did not end" program_ended
  wait "$APP_PID"
  local status=$?
  APP_PID=""
  [ "$status" = 0 ] || fail "$1: exit status $status"
}
