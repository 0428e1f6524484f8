#!/bin/bash
# The real program under openbox, as a user meets it:
#   - every window's title, as the window manager shows it (_NET_WM_NAME),
#     is exactly its own: "Error" during the start-up too, "Information",
#     "Warning", "About Velmaric ..." and "Velmaric";
#   - Shift+Tab from the copy box reaches Start / Stop / Resume, and Space
#     starts the clock;
#   - a double-click on the disabled log name box opens no dialog;
#   - View Log hands the editor the log's absolute name, also for names that
#     begin with "-" or hold a ":".
set -u
. "$(dirname "$0")/xvfb_session.sh"
start_openbox
program=$(private_copy "$1")
settings="$E2E_DIR/app/velmaric.ini"
write_settings() { printf '%s\r\n' "$@" >"$settings"; }

# xdg-open as the program finds it on PATH: it records what it was given.
mkdir -p "$E2E_DIR/bin" "$E2E_DIR/work"
cat >"$E2E_DIR/bin/xdg-open" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$@" >>"$E2E_DIR/opened"
SCRIPT
chmod +x "$E2E_DIR/bin/xdg-open"
export PATH="$E2E_DIR/bin:$PATH"

title_of() { xprop -id "$1" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p'; }
windows_of_the_program() { [ "$(xdotool search --onlyvisible --pid "$APP_PID" | wc -l)" = "$1" ]; }

# Waits up to 10 s for a visible window named $1 and checks the title the
# window manager shows; FOUND is the window. (Not in a subshell: a failure
# must end the test.)
expect_window() {
  find_window "$1" "$2"
  [ "$(title_of "$FOUND")" = "$1" ] || fail "$2: the title is '$(title_of "$FOUND")'"
}

answer() {  # $1: title, $2: key, $3: what for
  expect_window "$1" "$3"
  answer_found "$2" "$3"
}

# ---- titles -----------------------------------------------------------------
write_settings "window_top_posn=abc"
"$program" >"$E2E_DIR/program.log" 2>&1 &
APP_PID=$!
answer Error Return "a bad value at start-up"
expect_window Velmaric "the main window"
WINDOW=$FOUND
focus "$WINDOW"
press alt+r
answer Information Return "the Reset notice"
focus "$WINDOW"
press alt+f
press Up Up Return                               # Restore Factory Defaults
answer Warning n "the factory defaults question"
focus "$WINDOW"
press alt+h
press a
answer "About Velmaric ..." Escape "the About box"

# ---- Shift+Tab from the copy box, then Space, resumes ---------------------------
# Places in the first-run client area, under a menu bar of 20 to 30 pixels:
# the copy box lies about 204..299 across and 113..134 down, the log name
# box 117..354 across and 167..188 down.
read -r left top <<<"$(xwininfo -id "$WINDOW" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { print x, $NF }')"
focus "$WINDOW"
start_clock alt+s                                # started and stopped: Resume is next
stop_clock "$settings" 1
wait_until 5 "the clock did not stop" clock_still_for 0.3
xdotool mousemove $((left + 250)) $((top + 148)) click 1
press shift+Tab
press space
wait_until 5 "Shift+Tab and Space from the copy box did not resume" clock_runs
holds_for 0.6 "Shift+Tab and Space from the copy box opened a window" windows_of_the_program 1

# ---- a double-click on the disabled log name box ---------------------------
windows_before=$(xdotool search --onlyvisible --pid "$APP_PID" | wc -l)
xdotool mousemove $((left + 200)) $((top + 201)) click --repeat 2 --delay 80 1
holds_for 1 "a double-click on the disabled log name box opened a window" \
  windows_of_the_program "$windows_before"
press alt+e
expect_clean_exit "Exit after the titles"

# ---- View Log gives the editor an absolute name --------------------------------
for name in "-x.log" "a:b.log"; do
  rm -f "$E2E_DIR/opened"
  write_settings "Log_to_File_RadioButton=True" "Do_Not_Log_RadioButton=False" \
    "Log_File_Name_EditBox=$name"
  (cd "$E2E_DIR/work" && exec "$program") >"$E2E_DIR/program.log" 2>&1 &
  APP_PID=$!
  expect_window Velmaric "the window for $name"
  WINDOW=$FOUND
  focus "$WINDOW"
  start_clock alt+s                              # a stop line makes the log
  press alt+s
  wait_until 5 "Stop wrote no log $name" test -s "$E2E_DIR/work/$name"
  press Tab Tab Tab Tab space                    # from the copy box to View Log
  wait_until 5 "View Log of $name started no editor" test -s "$E2E_DIR/opened"
  [ "$(cat "$E2E_DIR/opened" 2>/dev/null)" = "$E2E_DIR/work/$name" ] ||
    fail "View Log of $name gave the editor '$(cat "$E2E_DIR/opened" 2>/dev/null)'"
  press alt+e
  expect_clean_exit "Exit after viewing $name"
done
echo "PASS: the titles are the windows' own, Shift+Tab and Space start, a disabled" \
  "name box ignores a double-click, and the editor gets the log's absolute name"
