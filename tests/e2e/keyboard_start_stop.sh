#!/bin/bash
# The real program under Xvfb, driven through its keyboard accelerators:
# Alt+S starts, Alt+S stops, Alt+E exits. Whether the clock runs is read off
# the elapsed-time fields on the screen.
set -u
. "$(dirname "$0")/xvfb_session.sh"
program=$(private_copy "$1")

start_program "$program"
fields="100x100+195+54"   # the four elapsed-time fields at the first-run size

before=$(region_sum "$fields"); sleep 0.6
[ "$before" = "$(region_sum "$fields")" ] || fail "the fields move before Start"

press alt+s
first=$(region_sum "$fields"); sleep 0.6
[ "$first" != "$(region_sum "$fields")" ] || fail "the fields stand still after Alt+S"

press alt+s
stopped=$(region_sum "$fields"); sleep 0.6
[ "$stopped" = "$(region_sum "$fields")" ] || fail "the fields still move after the second Alt+S"

press alt+e
expect_clean_exit "Alt+E"
echo "PASS: started, stopped and closed through the keyboard"
