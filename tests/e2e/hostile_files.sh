#!/bin/bash
# The real program against files that are not its own, each case under a
# time limit and (outside the sanitizer build) a memory limit:
#   - a settings file linked to a device node, to an endless device, or
#     larger than any settings file: the message, the defaults, no read of it
#     and no write to it;
#   - a log named after a block device (a loop device on an image of the
#     test's own): Stop and Reset are refused and the device is never written;
#   - a log name in bytes that are not UTF-8: kept through a start and Exit,
#     and used by Stop;
#   - a settings value with a CR inside its line: its message and default,
#     and the timing kept;
#   - the temporary file of an interrupted save: removed at the next start,
#     and nothing else.
# Every node and image is made in the test's own folder; no real device of
# the machine is named.
set -u
. "$(dirname "$0")/xvfb_session.sh"
program=$(private_copy "$1")
app="$E2E_DIR/app"
settings="$app/velmaric.ini"
nodes="$E2E_DIR/nodes"
mkdir -p "$nodes"

# A sanitizer reserves far more address space than any limit would allow.
memory_limit_kb=1048576
[ -n "${ASAN_OPTIONS:-}" ] && memory_limit_kb=unlimited

# Starts the program with the limits and does not wait for its window.
start_limited() {
  bash -c 'ulimit -v "$1" && exec "$2"' _ "$memory_limit_kb" "$program" >"$E2E_DIR/program.log" 2>&1 &
  APP_PID=$!
}


# The largest amount of memory the program held, in kB.
peak_memory_kb() { awk '/^VmHWM:/ { print $2 }' "/proc/$APP_PID/status"; }

kill_program() {
  kill -KILL "$APP_PID" 2>/dev/null
  wait "$APP_PID" 2>/dev/null
  APP_PID=""
}


write_settings() { printf '%s\r\n' "$@" >"$settings"; }

node_state() { stat -c '%F %a %t:%T %s' "$1"; }

# ---- settings files that are not the program's own ---------------------
# Without the right to make device nodes, pipes stand in for them.
mknod "$nodes/null" c 1 3 && chmod 0666 "$nodes/null" || mkfifo "$nodes/null"
mknod "$nodes/zero" c 1 5 || mkfifo "$nodes/zero"
truncate -s 4G "$nodes/huge"
for target in null zero huge; do
  rm -f "$settings"
  ln -s "$nodes/$target" "$settings"
  before=$(node_state "$nodes/$target")
  start_limited
  answer_box Error Return "settings linked to $target"
  main_window "settings linked to $target"
  peak=$(peak_memory_kb)
  [ "$peak" -lt 300000 ] || fail "settings linked to $target: $peak kB of memory"
  press alt+e
  answer_box Error Return "the save over $target"      # refused, the window stays
  holds_for 0.5 "closed after a refused save" program_running
  kill_program
  [ "$(node_state "$nodes/$target")" = "$before" ] || fail "$target changed: $(node_state "$nodes/$target")"
  [ -L "$settings" ] || fail "the link to $target was replaced"
done
rm -f "$settings"

# ---- a block device as the log -------------------------------------------
image="$E2E_DIR/disk.img"
truncate -s 1M "$image"
loop=$(losetup -f --show "$image" 2>/dev/null || true)
if [ -b "$loop" ]; then
  detach_loop() { losetup -d "$loop" 2>/dev/null; e2e_cleanup; }
  trap detach_loop EXIT
  mknod "$nodes/block" b "$((16#$(stat -c %t "$loop")))" "$((16#$(stat -c %T "$loop")))"
  write_settings "Log_to_File_RadioButton=True" "Do_Not_Log_RadioButton=False" \
    "Log_File_Name_EditBox=$nodes/block" "Expert_Mode_Option=True"
  start_limited
  main_window "a block device as the log"
  start_clock alt+s                        # Start, Stop: the stop line is refused
  press alt+s
  answer_box Error Return "Stop onto a block device"
  main_window "after Stop"
  start_clock alt+r                        # Resume: the counter goes on from the stop
  press alt+s
  answer_box Error Return "the second Stop"
  main_window "after the second Stop"
  kill_program
  [ "$(tr -d '\000' <"$image" | wc -c)" = 0 ] || fail "the loop device was written"
  [ -b "$nodes/block" ] || fail "the block node was replaced"
  block_case="a block device never written"
else
  block_case="(no loop device here: block device case skipped)"
fi

# ---- a log name in bytes that are not UTF-8 -------------------------------
logs=$(printf '%s/caf\351 logs' "$E2E_DIR")
mkdir -p "$logs"
name_line=$(printf 'Log_File_Name_EditBox=%s/run.log' "$logs")
write_settings "Log_to_File_RadioButton=True" "Do_Not_Log_RadioButton=False" "$name_line"
start_limited
main_window "a Latin-1 log name"
press alt+e
expect_clean_exit "Exit with a Latin-1 log name"
grep -aqxF "$name_line"$'\r' "$settings" || fail "the log name lost its bytes: $(grep -a Log_File "$settings" | od -c | head -n 3)"
start_limited
main_window "the second run"
start_clock alt+s                          # Start, Stop: a line in the log
press alt+s
wait_until 5 "Stop wrote no line to $logs/run.log" test -s "$logs/run.log"
press alt+e
expect_clean_exit "Stop with a Latin-1 log name"
[ "$(grep -c $'\r$' "$logs/run.log" 2>/dev/null)" = 1 ] || fail "Stop wrote no line to $logs/run.log"
grep -aqxF "$name_line"$'\r' "$settings" || fail "the log name lost its bytes after Stop"

# ---- a line broken inside a value, and an interrupted save's leftovers ----
write_settings "elapsed_centi_seconds= 1.23450000000000E+0004" \
  $'Log_File_Name_EditBox=/tmp/x.log\rStops_Since_Last_Reset_SpinEdit=99' \
  "Stops_Since_Last_Reset_SpinEdit=3"
# The leftover holds the start of a save; the others are the user's.
printf 'WindowState_wsMaximized=False\r\nelapsed_centi' >"$app/.velmaric.ini.Ab12Cd"
for kept in .velmaric.ini.bak .velmaric.ini.backup .velmaric.ini notes.txt; do
  echo "my own notes" >"$app/$kept"
done
start_limited
answer_box Error Return "a CR inside the log name"
main_window "after the broken line"
press alt+e
expect_clean_exit "Exit after the broken line"
[ "$(value elapsed_centi_seconds)" = " 1.23450000000000E+0004" ] ||
  fail "the timing became $(value elapsed_centi_seconds)"
[ "$(value Log_File_Name_EditBox)" = "" ] || fail "the broken log name was kept"
[ "$(value Stops_Since_Last_Reset_SpinEdit)" = 3 ] || fail "the stop count is not 3"
[ "$(grep -c $'\r$' "$settings")" = 15 ] && [ "$(wc -l <"$settings")" = 15 ] ||
  fail "the saved file is not fifteen lines"
[ ! -e "$app/.velmaric.ini.Ab12Cd" ] || fail "the leftover temporary is still there"
for kept in .velmaric.ini.bak .velmaric.ini.backup .velmaric.ini notes.txt; do
  [ "$(cat "$app/$kept" 2>/dev/null)" = "my own notes" ] || fail "$kept was removed or changed"
done

echo "PASS: device, endless and huge settings refused and untouched; $block_case;" \
  "Latin-1 log name kept and used; broken line refused; leftover cleared"
