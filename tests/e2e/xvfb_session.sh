# Shared by the end-to-end tests: a private X server, a private home, and the
# program's window found by its title. Source this file; it sets DISPLAY,
# HOME, E2E_DIR and cleans up on exit.

for tool in Xvfb xdotool import xwininfo; do
  command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done

E2E_DIR=$(mktemp -d)
export HOME="$E2E_DIR/home" XDG_CONFIG_HOME="$E2E_DIR/home/.config" XDG_RUNTIME_DIR="$E2E_DIR/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

exec 3>"$E2E_DIR/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$E2E_DIR/xvfb.log" 2>&1 &
XVFB_PID=$!
for _ in $(seq 100); do [ -s "$E2E_DIR/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$E2E_DIR/display")"

e2e_cleanup() {
  [ -n "${APP_PID:-}" ] && kill "$APP_PID" 2>/dev/null
  [ -n "${OPENBOX_PID:-}" ] && kill "$OPENBOX_PID" 2>/dev/null
  kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$E2E_DIR"
}
trap e2e_cleanup EXIT

# A real window manager, for the frames, titles and places users see.
start_openbox() {
  command -v openbox >/dev/null || { echo "SKIP: openbox is not installed"; exit 77; }
  openbox >"$E2E_DIR/openbox.log" 2>&1 &
  OPENBOX_PID=$!
  sleep 1
}

# Says what failed, with the end of what the program last printed.
fail() {
  echo "FAIL: $*"
  [ -s "$E2E_DIR/program.log" ] && tail -n 20 "$E2E_DIR/program.log"
  exit 1
}

# A copy of the program in a folder of its own, so that the settings file
# it keeps beside itself starts out absent and stays private.
private_copy() {
  mkdir -p "$E2E_DIR/app"
  cp "$1" "$E2E_DIR/app/velmaric"
  echo "$E2E_DIR/app/velmaric"
}

# Starts the program in the background and waits for its window.
start_program() {
  "$@" >"$E2E_DIR/program.log" 2>&1 &
  APP_PID=$!
  WINDOW=$(timeout 10 xdotool search --sync --onlyvisible --name '^Velmaric$' 2>/dev/null | head -n 1)
  [ -n "$WINDOW" ] || fail "no window titled Velmaric"
  focus "$WINDOW"
}

# Waits up to 10 s for a visible window whose title begins with $1; FOUND is
# that window. $2 says what for. (Not in a subshell: a failure must end the
# test.)
find_window() {
  FOUND=$(timeout 10 xdotool search --sync --onlyvisible --name "^$1" 2>/dev/null | head -n 1)
  [ -n "$FOUND" ] || fail "$2: no window titled $1"
}

# Answers the box titled $1 with the key $2; $3 says what for.
answer_box() {
  find_window "$1" "$3"
  focus "$FOUND"
  xdotool key --clearmodifiers "$2"
  sleep 0.4
}

# Gives a window the keyboard, or fails within 5 s (never hangs the suite).
focus() { timeout 5 xdotool windowfocus --sync "$1" || fail "window $1 did not take the focus"; }

# Keys go to the focused window through the XTEST extension, as a user types them.
press() { xdotool key --clearmodifiers "$@"; sleep 0.3; }

# A checksum of a region of the window (width x height + x + y).
region_sum() { import -window "$WINDOW" -crop "$1" rgb:- 2>/dev/null | md5sum; }

# Waits up to 5 s for the program to end and fails unless it ended with
# status 0. (Not in a subshell: only this shell can wait for its child.)
expect_clean_exit() {
  for _ in $(seq 50); do
    kill -0 "$APP_PID" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$APP_PID" 2>/dev/null && fail "$1: the program did not end"
  wait "$APP_PID"
  local status=$?
  APP_PID=""
  [ "$status" = 0 ] || fail "$1: exit status $status"
}
