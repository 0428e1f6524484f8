#!/bin/bash
# The real program under Xvfb, driven through its keyboard accelerators:
# Alt+S starts, Alt+S stops, Alt+E exits. Whether the clock runs is read off
# the elapsed-time fields on the screen.
set -u
. "$(dirname "$0")/xvfb_session.sh"
program=$(private_copy "$1")

start_program "$program"
wait_until 5 "the fields move before Start" clock_still_for 0.6

start_clock alt+s

press alt+s
wait_until 5 "the fields still move after the second Alt+S" clock_still_for 0.6

press alt+e
expect_clean_exit "Alt+E"
echo "PASS: started, stopped and closed through the keyboard"
