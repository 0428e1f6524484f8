#!/bin/bash
# A timing spans runs of the real program: a copy of the binary in a private
# folder keeps its settings file beside it; Stop and Exit save, the next
# start resumes from the saved counter, and SIGTERM saves like the close box.
# Each timed interval is bounded by time stamps around its keys.
set -u
. "$(dirname "$0")/xvfb_session.sh"
program=$(private_copy "$1")
settings="$E2E_DIR/app/velmaric.ini"

centi_seconds() { value elapsed_centi_seconds | awk '{ printf "%d", $1 }'; }

start_program "$program"
start_clock alt+s
sleep 2
stop_clock "$settings" 1
press alt+e
expect_clean_exit "the first run"

keys=$(cut -d= -f1 "$settings" | tr '\n' ' ')
expected="WindowState_wsMaximized elapsed_centi_seconds window_top_posn window_left_posn \
window_ClientWidth window_ClientHeight Do_Not_Log_RadioButton Log_to_File_RadioButton \
Expert_Mode_Option original_start_date_time Log_File_Name_EditBox \
Stops_Since_Last_Reset_SpinEdit Write_Stop_Count_CheckBox Always_on_Top_Option \
Auto_Run_at_Windows_Startup_Option "
[ "$keys" = "$expected" ] || fail "settings keys: $keys"
[ "$(grep -c $'\r$' "$settings")" = 15 ] || fail "lines do not end in CR LF"
first=$(centi_seconds)
expect_elapsed "the first run" "$first"
[ "$(value Stops_Since_Last_Reset_SpinEdit)" = 1 ] || fail "stop count after one stop"

start_program "$program"
start_clock alt+r                          # Resume (Alt+R), then Stop
sleep 1
stop_clock "$settings" 2
press alt+e
expect_clean_exit "the second run"
second=$(centi_seconds)
expect_elapsed "the second run, from $first cs to $second cs" $((second - first))
[ "$(value Stops_Since_Last_Reset_SpinEdit)" = 2 ] || fail "stop count after the second run"

start_program "$program"
start_clock alt+r                          # Resume and leave it running
sleep 0.5
stop_before=$(now_ms)
kill -TERM "$APP_PID"
expect_clean_exit "SIGTERM"
stop_seen=$(now_ms)
[ "$(value Stops_Since_Last_Reset_SpinEdit)" = 3 ] || fail "SIGTERM while running saved no stop"
[ "$(centi_seconds)" -gt "$second" ] || fail "SIGTERM lost the running time"
expect_elapsed "the run SIGTERM ended" $(($(centi_seconds) - second))
echo "PASS: $first cs, then $second cs after a restart, and SIGTERM saved the running timing"
