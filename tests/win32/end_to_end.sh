#!/bin/bash
# The Windows program under Wine as a user meets it, driven by keys and
# clicks on a private X server with openbox:
#   - Start (Alt+S), Stop, Resume and Reset: every save leaves the settings
#     file beside the program with its fifteen keys in order, each line
#     ending in CR LF, the stop count, and an elapsed count within the
#     bounds that time stamps taken around the keys allow;
#   - the log, with the user's date and time formats set to dd/MM/yyyy and
#     HH:mm:ss in the prefix (read by the program through GetLocaleInfoA):
#     Reset Log writes the header with the count column, each Stop a stop
#     line, Reset the reset marker. Every line is checked byte for byte
#     against the column layout rebuilt here from its fields (centred in
#     35 and 20 columns, one column left of true centre, the count
#     right-aligned in 5, CR LF): the day and date must be today's in the
#     set formats, the cumulative total must be the elapsed text of the
#     saved counter and the run's own time must fit the stamps. The log
#     writer is code shared with the Linux program, whose tests check the
#     same layout; this script does not run the Linux program, so what it
#     shows is that the Windows build writes that layout with the Windows
#     user's formats and line ends;
#   - View Log opens the log in Wine's Notepad;
#   - File > Auto-Run at Windows Startup writes the quoted path of the
#     program under the user's Run key, and again removes it;
#   - with a folder mapped as drive A:, Copy To writes the settings file and
#     the log there, and Copy From brings them back over newer ones;
#   - Help > About shows the About box.
# With SCREENSHOTS set to a folder, the main window and the About box are
# kept there as windows-main-window.png and windows-about-box.png.
#
#   tests/win32/end_to_end.sh build/windows/velmaric.exe
set -u
. "$(dirname "$0")/wine_session.sh"

wine_reg add 'HKCU\Control Panel\International' /v sShortDate /d dd/MM/yyyy /f >/dev/null
wine_reg add 'HKCU\Control Panel\International' /v sTimeFormat /d HH:mm:ss /f >/dev/null
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
exe_windows=$("$WINE" winepath -w "$APP_EXE" 2>/dev/null | tr -d '\r')
[ -n "$exe_windows" ] || fail "winepath gave no name for the program"
log="$APP_DIR/run.log"
log_windows="${exe_windows%\\*}\\run.log"
floppy="$E2E_DIR/floppy"
mkdir -p "$floppy"
ln -sfn "$floppy" "$WINEPREFIX/dosdevices/a:"

# ---- the window's places ----------------------------------------------------
# Controls at the first-run client size (368 x 313), as centres of the
# buttons and the elapsed-time fields' box; the window's X window begins
# with the menu bar, whose height is what the window has beyond 313.
client_top() {
  local height
  height=$(xwininfo -id "$WINDOW" | awk '/Height:/ {print $2}')
  echo $((height - 313))
}
click_at() {
  xdotool mousemove --window "$WINDOW" "$1" $(($2 + $(client_top))) click 1
}
reset_log_button="246 204"
view_log_button="320 204"
reset_button="229 291"
launch() {
  start_program "$WINE" "$APP_EXE"
  elapsed_fields="94x100+204+$((33 + $(client_top)))"
}

# ---- the settings file ------------------------------------------------------
keys="WindowState_wsMaximized elapsed_centi_seconds window_top_posn window_left_posn
window_ClientWidth window_ClientHeight Do_Not_Log_RadioButton Log_to_File_RadioButton
Expert_Mode_Option original_start_date_time Log_File_Name_EditBox
Stops_Since_Last_Reset_SpinEdit Write_Stop_Count_CheckBox Always_on_Top_Option
Auto_Run_at_Windows_Startup_Option"

# The saved elapsed counter in whole centiseconds.
saved_cs() { value elapsed_centi_seconds | awk '{printf "%d", $1}'; }

# Fails unless the settings file has the fifteen keys in order, every line
# ending in CR LF, and the stop count $1. $2 says after what.
expect_settings() {
  local lines crlf order
  lines=$(wc -l <"$settings")
  [ "$lines" = 15 ] || fail "$2: the settings file has $lines lines"
  crlf=$(grep -c $'\r$' "$settings")
  [ "$crlf" = 15 ] || fail "$2: only $crlf lines of the settings file end in CR LF"
  order=$(cut -d= -f1 "$settings" | tr '\n' ' ')
  [ "$order" = "$(echo $keys) " ] || fail "$2: the keys are $order"
  [ "$(value Stops_Since_Last_Reset_SpinEdit)" = "$1" ] ||
    fail "$2: stop count $(value Stops_Since_Last_Reset_SpinEdit), not $1"
  grep -aqE '^elapsed_centi_seconds=[ -][0-9]\.[0-9]{14}E[+-][0-9]{4}'$'\r''$' "$settings" ||
    fail "$2: the elapsed count is not a 23-character real: $(value elapsed_centi_seconds)"
}

# ---- the log's layout -------------------------------------------------------
# $1 centred in $2 columns with blanks, one column left of true centre.
centre() {
  local text=$1 width=$2 fill before
  fill=$((width - ${#text}))
  [ "$fill" -gt 0 ] || { printf '%s' "$text"; return; }
  before=$((fill / 2 - 1))
  [ "$before" -gt 0 ] || before=0
  printf '%*s%s%*s' "$before" '' "$text" $((fill - before)) ''
}
# A counter of centiseconds as the program writes elapsed times.
elapsed_text() {
  local cs=$1
  printf ' %02d.%02d:%02d:%02d.%02d' $((cs / 8640000)) $((cs / 360000 % 24)) \
    $((cs / 6000 % 60)) $((cs / 100 % 60)) $((cs % 100))
}
header() {
  printf 'Count %s %s %s %s\r\n' "$(centre Start 35)" "$(centre End 35)" \
    "$(centre 'Elapsed Time' 20)" "$(centre 'Cummulative Total' 20)"
  printf '       %s %s %s %s\r\n' "$(centre 'Day, Date, Time' 35)" \
    "$(centre 'Day, Date, Time' 35)" "$(centre '(DD.HH:MM:SS.HH)' 20)" \
    "$(centre '(DD.HH:MM:SS.HH)' 20)"
  printf '=====  %s %s %s %s\r\n\r\n' "$(printf '=%.0s' {1..35})" "$(printf '=%.0s' {1..35})" \
    "$(printf '=%.0s' {1..20})" "$(printf '=%.0s' {1..20})"
}
# Today as the set formats write it: "  Tue, 08/12/2026 @ " and a time.
day_pattern() { echo "  $(LC_ALL=C date +'%a, %d/%m/%Y') @ [0-2][0-9]:[0-5][0-9]:[0-5][0-9]"; }

# Checks the stop line $1 of the log (1 = the first after the header) for
# stop number $2: rebuilds it from its two date-time texts and its run time
# (which must fit the stamps) and the saved counter, and compares bytes.
expect_stop_line() {
  local line start end run run_cs expected
  line=$(grep -aE '^ *[0-9]+ ' "$log" | sed -n "$1p")
  start=${line:6:35}
  end=${line:42:35}
  start=$(grep -oE "$(day_pattern)" <<<"$start") || fail "stop line $1: no start as today: $line"
  end=$(grep -oE "$(day_pattern)" <<<"$end") || fail "stop line $1: no end as today: $line"
  run=$(grep -oE ' [0-9]{2}\.[0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{2}' <<<"${line:78:20}") ||
    fail "stop line $1: no run time: $line"
  run_cs=$((10#${run:13:2} + 100 * 10#${run:10:2} + 6000 * 10#${run:7:2}))
  expect_elapsed "the run time on stop line $1" "$run_cs"
  expected=$(printf '%5d %s %s %s %s\r' "$2" "$(centre "$start" 35)" "$(centre "$end" 35)" \
    "$(centre "$run" 20)" "$(centre "$(elapsed_text "$(saved_cs)")" 20)")
  [ "$line" = "$expected" ] || fail "stop line $1 is
[$line]
where the layout gives
[$expected]"
}

# Answers the information box that a command brings up; $1 says which.
inform() { answer_box Information Return "$1"; }
# Runs the File menu's item $1 (keys after Alt+F).
file_menu() {
  press alt+f
  sleep 0.3
  press "$@"
}

# ---- first run: Start, Stop, from nothing -----------------------------------
launch
start_clock alt+s
sleep 1.5
stop_clock "$settings" 1
expect_settings 1 "the first Stop"
expect_elapsed "the first Stop" "$(saved_cs)"
first_cs=$(saved_cs)
[ "$(value window_ClientWidth)x$(value window_ClientHeight)" = 368x313 ] ||
  fail "the first run's client size is $(value window_ClientWidth)x$(value window_ClientHeight)"
shoot windows-main-window.png "$WINDOW"
press alt+e
expect_clean_exit "Alt+E"

# ---- second run: logging, Resume, Reset -------------------------------------
sed -i -e 's/^Do_Not_Log_RadioButton=.*/Do_Not_Log_RadioButton=False\r/' \
  -e 's/^Log_to_File_RadioButton=.*/Log_to_File_RadioButton=True\r/' \
  -e "s/^Log_File_Name_EditBox=.*/Log_File_Name_EditBox=${log_windows//\\/\\\\}\r/" \
  -e 's/^Write_Stop_Count_CheckBox=.*/Write_Stop_Count_CheckBox=True\r/' "$settings"
launch
click_at $reset_log_button
inform "Reset Log"
wait_until 5 "Reset Log wrote no header" test -s "$log"
[ "$(cat -v "$log")" = "$(header | cat -v)" ] || fail "the log's header is
$(cat -A "$log")
where the layout gives
$(header | cat -A)"

start_clock alt+r # Resume: the counter is above 0
sleep 1
stop_clock "$settings" 2
expect_settings 2 "Stop after Resume"
start_before=$((start_before - first_cs * 10)) start_seen=$((start_seen - first_cs * 10))
expect_elapsed "Stop after Resume, counting the first run" "$(saved_cs)"
start_before=$((start_before + first_cs * 10)) start_seen=$((start_seen + first_cs * 10))
expect_stop_line 1 2

click_at $reset_button
inform "Reset"
start_clock alt+s # Reset made it Start again
sleep 1
stop_clock "$settings" 1
expect_settings 1 "Stop after Reset"
expect_elapsed "Stop after Reset" "$(saved_cs)"
expect_stop_line 2 1
[ "$(sed -n 6,8p "$log")" = $'\r\n*** RESET\r\n\r' ] ||
  fail "Reset left no marker between the stop lines: $(cat -A "$log")"
lines=$(wc -l <"$log")
[ "$lines" = 9 ] || fail "the log has $lines lines, not 9: $(cat -A "$log")"
[ "$(grep -ac $'\r$' "$log")" = 9 ] || fail "not every line of the log ends in CR LF"

# ---- View Log -------------------------------------------------------------
click_at $view_log_button
find_window "run.*Notepad" "View Log"
answer_found alt+F4 "closing Notepad"
main_window "after Notepad"

# ---- Auto-Run -------------------------------------------------------------
file_menu Down Down Down Down Down Down Return
inform "Auto-Run on"
entry=$(wine_reg query "$run_key" /v velmaric.exe | tr -d '\r' | grep -i 'velmaric.exe' |
  sed -E 's/^ *velmaric\.exe +REG_SZ +//')
[ "$entry" = "\"$exe_windows\"" ] || fail "the Run value is [$entry], not the quoted program"
main_window "after Auto-Run"
file_menu Down Down Down Down Down Down Return
inform "Auto-Run off"
wine_reg query "$run_key" /v velmaric.exe >/dev/null && fail "Auto-Run left its Run value"

# ---- the floppy commands ----------------------------------------------------
main_window "before Copy To"
file_menu t
inform "Copy To"
cmp -s "$settings" "$floppy/velmaric.ini" || fail "Copy To made no copy of the settings"
cmp -s "$log" "$floppy/run.log" || fail "Copy To made no copy of the log"
cp "$settings" "$E2E_DIR/saved.ini"
cp "$log" "$E2E_DIR/saved.log"
main_window "after Copy To"
start_clock alt+r
sleep 0.5
stop_clock "$settings" 2 # both files move on from the copies
cmp -s "$log" "$E2E_DIR/saved.log" && fail "the Stop after Copy To did not log"
file_menu f
inform "Copy From"
cmp -s "$settings" "$E2E_DIR/saved.ini" || fail "Copy From did not bring the settings back"
cmp -s "$log" "$E2E_DIR/saved.log" || fail "Copy From did not bring the log back"

# ---- About ------------------------------------------------------------------
main_window "before About"
press alt+h
sleep 0.3
press a
find_window "About" "Help > About"
sleep 0.5
shoot windows-about-box.png "$FOUND"
answer_found Escape "the About box"
main_window "after the About box"
press alt+e
expect_clean_exit "the last Alt+E"
echo "PASS: Start/Stop/Resume/Reset save fifteen CR LF keys with the counts and times," \
  "the log keeps its columns, View Log opens Notepad, Auto-Run writes and removes its value," \
  "the floppy commands copy out and back, the About box opens"
