#!/bin/bash
# The Windows program under Wine on a private X server, as a user meets it:
#   - its window comes up titled "Velmaric";
#   - Alt+S starts the clock and Alt+S again stops it, which saves the
#     settings file beside the program: fifteen lines, each ending in CR LF,
#     with one stop counted;
#   - Alt+E ends the program with status 0;
#   - the end of the session while the clock runs saves it as a close does,
#     counting one more stop, and ends the program.
# With SCREENSHOTS set to a folder, the screen is kept there as main.png
# and about.png (the About box, opened from the Help menu).
#
#   tests/win32/smoke.sh build/windows/velmaric.exe
set -u
. "$(dirname "$0")/wine_session.sh"

start_program "$WINE" "$APP_EXE"

press alt+s
sleep 1.5
stop_clock "$settings" 1
lines=$(wc -l <"$settings")
[ "$lines" = 15 ] || fail "the settings file has $lines lines"
crlf=$(grep -c $'\r$' "$settings")
[ "$crlf" = 15 ] || fail "only $crlf lines of the settings file end in CR LF"
shoot main.png

if [ -n "${SCREENSHOTS:-}" ]; then
  press alt+h
  sleep 0.5
  press a
  find_window "About Velmaric" "the About box"
  sleep 1
  shoot about.png
  answer_found Escape "the About box"
  main_window "after the About box"
fi

press alt+e
expect_clean_exit "Alt+E"

start_program "$WINE" "$APP_EXE"
press alt+r  # Resume, the button made before Reset
sleep 1
"$WINE" wineboot --end-session </dev/null >/dev/null 2>&1 &
wait_until 15 "the program did not end with the session" program_ended
stop_count_saved "$settings" 2 || fail "the end of the session saved no stop"
echo "PASS: the window comes up, Start and Stop save fifteen CR LF lines, Exit ends with 0," \
  "the end of the session saves and ends"
