#!/bin/bash
# A running timing survives kill -9: the run record beside the settings file
# lets the next start ask, and each answer is one row below (the counter,
# the stop count, the log lines added and whether the record stays). A
# record the settings file has moved on from (the program was stopped after
# it) or one made for another settings file starts without a question.
set -u
. "$(dirname "$0")/xvfb_session.sh"
program=$(private_copy "$1")
app="$E2E_DIR/app"
settings="$app/velmaric.ini"
record="$settings.run"
log="$E2E_DIR/run.log"

centi_seconds() { value elapsed_centi_seconds "${1:-$settings}" | awk '{ printf "%d", $1 }'; }
field() { grep -a "^$1=" "$record" | cut -d= -f2-; }
kill_program() { kill -KILL "$APP_PID"; wait "$APP_PID" 2>/dev/null; APP_PID=""; }

# Whether the record holds a sign of life later than its start (a refresh
# comes every 10 s).
refreshed() { [ -f "$record" ] && [ "$(field seen_monotonic_us)" -gt "$(field start_monotonic_us)" ]; }

# Starts the program that must ask first: answers the question with $1 and
# waits for the window.
start_and_answer() {
  "$program" >"$E2E_DIR/program.log" 2>&1 &
  APP_PID=$!
  answer_box Warning "$1" "the question about the timing left running"
  main_window "$1: the window after the question"
}

printf '%s\r\n' "Do_Not_Log_RadioButton=False" "Log_to_File_RadioButton=True" \
  "Log_File_Name_EditBox=$log" >"$settings"
start_program "$program"
start_clock alt+s
sleep 1
stop_clock "$settings" 1 # 1 s, stopped and saved
saved=$(centi_seconds)
[ ! -e "$record" ] || fail "a record while stopped"
start_clock alt+r
resumed_ms=$start_before
wait_until 15 "no refresh of the record within 15 s" refreshed
sleep 1
kill_program
killed_ms=$(now_ms)
[ -f "$record" ] || fail "no record after kill -9"
start=$(field start_monotonic_us)
seen=$(field seen_monotonic_us)
lost_cs=$(((killed_ms - resumed_ms) / 10 - (seen - start) / 10000))
until_then=$(awk -v c="$(field start_count)" -v s="$start" -v e="$seen" \
  'BEGIN { printf "%d", c + (e - s) / 10000 }')
mkdir "$E2E_DIR/killed" && cp -p "$settings" "$record" "$log" "$E2E_DIR/killed/"
log_lines=$(grep -c . "$log")

echo "answer            | counter, cs | stops | log lines added | record after"
row() {
  printf '%-17s | %11s | %5s | %15s | %s\n' "$1" "$(centi_seconds)" \
    "$(value Stops_Since_Last_Reset_SpinEdit "$settings")" "$(($(grep -c . "$log") - log_lines))" \
    "$([ -e "$record" ] && echo kept || echo gone)"
}
restore() { cp -p "$E2E_DIR/killed/"* "$app/"; mv "$app/run.log" "$log"; }

# Count until then: stopped at the last sign of life, one stop counted and
# logged, saved.
start_and_answer alt+c
row "Count until then"
[ "$(centi_seconds)" -ge $((until_then - 1)) ] && [ "$(centi_seconds)" -le $((until_then + 1)) ] ||
  fail "counted $(centi_seconds) cs, the record says $until_then"
[ "$(value Stops_Since_Last_Reset_SpinEdit "$settings")" = 2 ] || fail "the stop was not counted"
[ "$(($(grep -c . "$log") - log_lines))" = 1 ] && tail -n 1 "$log" | grep -q ':' ||
  fail "no stop line logged"
[ ! -e "$record" ] || fail "the record stayed after Count until then"
press alt+e
expect_clean_exit "after Count until then"

# Keep counting: the segment goes on from its start; Stop after a second.
restore
start_and_answer alt+k
sleep 1
stop_clock "$settings" 2
press alt+e
expect_clean_exit "after Keep counting"
row "Keep counting"
# The segment began at the Resume before the kill: the stamps around that
# key and around this Stop bound it.
expect_elapsed "kept counting" $(($(centi_seconds) - saved))
[ ! -e "$record" ] || fail "the record stayed after the Stop"

# Discard: the counter as last saved.
restore
start_and_answer alt+d
row "Discard"
[ "$(centi_seconds)" = "$saved" ] || fail "Discard changed the counter"
[ ! -e "$record" ] || fail "the record stayed after Discard"
press alt+e
expect_clean_exit "after Discard"
[ "$(centi_seconds)" = "$saved" ] && [ "$(grep -c . "$log")" = "$log_lines" ] ||
  fail "Discard then close counted or logged the discarded time"

# A record the program moved on from: taken while running, then the
# program stopped and closed normally.
start_program "$program"
start_clock alt+r
wait_until 5 "no record while running" test -f "$record"
cp -p "$record" "$E2E_DIR/stale.run"
stop_clock "$settings" 2
press alt+e
expect_clean_exit "the stopped run"
cp -p "$E2E_DIR/stale.run" "$record"
start_program "$program"          # fails if a question holds the window back
press alt+e
expect_clean_exit "with a record of a stopped program"
echo "a record left by a program that was stopped: no question"

# A record made for another settings file, beside a copy of that file.
mkdir "$E2E_DIR/other"
cp "$program" "$E2E_DIR/other/velmaric"
cp -p "$E2E_DIR/killed/velmaric.ini" "$E2E_DIR/other/"
cp -p "$E2E_DIR/killed/velmaric.ini.run" "$E2E_DIR/other/"
program="$E2E_DIR/other/velmaric"
start_program "$program"
press alt+e
expect_clean_exit "with another settings file's record"
echo "a record made for another settings file: no question"
echo "PASS: largest loss after kill -9: $lost_cs cs (refresh every 10 s)"
