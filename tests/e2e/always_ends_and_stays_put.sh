#!/bin/bash
# The real program under openbox:
#   - a signal, or timeout's SIGTERM, that comes while a start-up box is open
#     ends the program once the start-up is done, and the save holds the
#     whole state the file held (rows: TERM, INT, HUP, and `timeout 4`);
#   - a close whose save fails asks whether to close without saving: No
#     keeps the window, Yes ends it and leaves the file as it was; a signal
#     whose save fails ends the program and says why on the standard error;
#   - place and size come back as they were saved, start after start, also
#     at a scale factor of 2; a size larger than the screen, a place off the
#     screen and sizes at the ends of the integers are brought onto it.
set -u
. "$(dirname "$0")/xvfb_session.sh"
start_openbox
program=$(private_copy "$1")
settings="$E2E_DIR/app/velmaric.ini"

write_settings() { printf '%s\r\n' "$@" >"$settings"; }

# Starts the program without waiting for its window.
start_in_background() {
  "$@" >"$E2E_DIR/program.log" 2>&1 &
  APP_PID=$!
}

# The client area's place and size on the screen.
shown_at() { xwininfo -id "$WINDOW" | awk '/Absolute upper-left|Width|Height/ { printf "%s ", $NF }'; }

# Whether the window manager is done placing the window: the same place and
# size in two readings 0.3 s apart. SHOWN is the place and size.
placed() {
  local first
  first=$(shown_at)
  sleep 0.3
  SHOWN=$(shown_at)
  [ "$SHOWN" = "$first" ]
}

# ---- signals during a start-up box ----------------------------------------
half_loaded=("window_top_posn=abc" "Stops_Since_Last_Reset_SpinEdit=42"
  "Log_File_Name_EditBox=$E2E_DIR/run.log" "Log_to_File_RadioButton=True"
  "Do_Not_Log_RadioButton=False" "Expert_Mode_Option=True"
  "original_start_date_time= 4.63630000000000E+0004")
for row in TERM INT HUP timeout; do
  write_settings "${half_loaded[@]}"
  if [ "$row" = timeout ]; then
    start_in_background timeout 4 "$program"
  else
    start_in_background "$program"
  fi
  find_window Error "$row during the start-up box"
  if [ "$row" = timeout ]; then
    # timeout says 124 for a command it had to stop; the program must end by then.
    wait_until 10 "timeout 4: the program did not end" program_ended
    wait "$APP_PID"
    status=$?
    APP_PID=""
    [ "$status" = 124 ] || fail "timeout 4: status $status"
  else
    kill -"$row" "$APP_PID"
    expect_clean_exit "$row during the start-up box"
  fi
  for kept in Stops_Since_Last_Reset_SpinEdit=42 "Log_File_Name_EditBox=$E2E_DIR/run.log" \
    Log_to_File_RadioButton=True Expert_Mode_Option=True \
    "original_start_date_time= 4.63630000000000E+0004"; do
    grep -aqxF "$kept"$'\r' "$settings" || fail "$row: the save lost $kept"
  done
done

# ---- a save that fails at close ------------------------------------------
write_settings "Stops_Since_Last_Reset_SpinEdit=6"
before=$(md5sum <"$settings")
start_program "$program"
chmod 0444 "$settings"                       # read-only: refused even for root
press alt+e
answer_box Error Return "the failed save"
answer_box Warning Return "the question after the failed save"   # its default is No
kill -0 "$APP_PID" 2>/dev/null || fail "No did not keep the window"
focus "$WINDOW"
press alt+e
answer_box Error Return "the second failed save"
answer_box Warning y "the second question"
expect_clean_exit "Yes after the failed save"
[ "$(md5sum <"$settings")" = "$before" ] || fail "closing without saving changed the file"

start_program "$program"
kill -TERM "$APP_PID"
expect_clean_exit "SIGTERM with a failing save"
grep -q "velmaric: the timing could not all be saved" "$E2E_DIR/program.log" ||
  fail "SIGTERM with a failing save said nothing on the standard error"
[ "$(md5sum <"$settings")" = "$before" ] || fail "the failed save at SIGTERM changed the file"
chmod 0644 "$settings"

# ---- place and size -------------------------------------------------------
# Starts and exits runs times: the window must show where the file says,
# and the file say afterwards what it said before, each time.
round_trip() {  # $1: runs; the rest: the environment to run in
  local runs=$1 first="" now saved
  shift
  saved="$(value window_left_posn),$(value window_top_posn)"
  for _ in $(seq "$runs"); do
    start_program env "$@" "$program"
    wait_until 5 "with $* the window was never still" placed
    now=$SHOWN
    press alt+e
    expect_clean_exit "start and Exit with $*"
    [ -z "$first" ] && first=$now
    [ "$now" = "$first" ] || fail "the window moved with $*: shown at $first, then at $now"
    [ "$(value window_left_posn),$(value window_top_posn)" = "$saved" ] ||
      fail "with $* the saved place went from $saved to $(value window_left_posn),$(value window_top_posn)"
  done
}
write_settings "window_top_posn=300" "window_left_posn=400"
round_trip 3 A=1
write_settings "window_top_posn=150" "window_left_posn=200"
round_trip 2 QT_SCALE_FACTOR=2
write_settings "window_top_posn=150" "window_left_posn=200" "WindowState_wsMaximized=True"
round_trip 3 A=1

# Maximised by the window manager during the run (a double-click on its
# title bar, where a maximised frame has no border): Exit saves the normal
# place, reckoned with the normal frame.
maximised() { [ "$(shown_at | cut -d' ' -f3)" = "$(xwininfo -root | awk '/Width/ { print $NF }')" ]; }
write_settings "window_top_posn=100" "window_left_posn=200"
start_program "$program"
wait_until 5 "the window was never still" placed
read -r x y _ <<<"$SHOWN"
xdotool mousemove $((x + 150)) $((y - 8)) click --repeat 2 --delay 80 1
wait_until 5 "a double-click on the title bar did not maximise the window" maximised
focus "$WINDOW"
press alt+e
expect_clean_exit "Exit maximised"
[ "$(value window_left_posn),$(value window_top_posn)" = "200,100" ] ||
  fail "maximised during the run, the saved place went from 200,100 to" \
    "$(value window_left_posn),$(value window_top_posn)"

screen=$(xwininfo -root | awk '/Width|Height/ { printf "%s ", $NF }')
read -r screen_width screen_height <<<"$screen"
for row in "100000 100000 20 20" "2147483647 2147483647 20 20" "368 313 -500 5000" \
  "368 313 2147483647 -2147483648"; do
  read -r width height top left <<<"$row"
  write_settings "window_ClientWidth=$width" "window_ClientHeight=$height" \
    "window_top_posn=$top" "window_left_posn=$left"
  start_program "$program"
  wait_until 5 "$row: the window was never still" placed
  read -r x y w h <<<"$SHOWN"
  [ "$w" -le "$screen_width" ] && [ "$h" -le "$screen_height" ] ||
    fail "$row: a ${w}x$h window on a ${screen_width}x$screen_height screen"
  [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ "$x" -lt "$screen_width" ] && [ "$y" -lt "$screen_height" ] ||
    fail "$row: the window is at $x,$y, off the screen"
  rss=$(awk '/^VmHWM:/ { print $2 }' "/proc/$APP_PID/status")
  [ "$rss" -lt 300000 ] || fail "$row: $rss kB of memory"
  press alt+e
  expect_clean_exit "Exit after $row"
done
echo "PASS: signals during a start-up box saved the whole state; a failed save asked," \
  "and a signal ended anyway; the place round-trips; stored extremes are brought on screen"
