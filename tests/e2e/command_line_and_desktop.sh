#!/bin/bash
# The real program from a shell:
#   - --help and --version answer on the standard output and end with 0,
#     with no window system at all and with a program already running;
#   - with no window system to reach, one line on the standard error and
#     status 1 (not the toolkit's abort);
#   - other arguments are ignored with one line on the standard error, and
#     the window comes up as usual;
#   - Auto-Run writes the user's own entry, under $XDG_CONFIG_HOME/autostart,
#     naming the program in TryExec.
set -u
. "$(dirname "$0")/xvfb_session.sh"
program=$(private_copy "$1")

for row in "--help:Usage: velmaric" "--version:velmaric "; do
  option=${row%%:*}
  expected=${row#*:}
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$program" "$option" 2>"$E2E_DIR/err")
  status=$?
  [ "$status" = 0 ] || fail "$option ended with $status"
  case "$out" in "$expected"*) ;; *) fail "$option printed: $out" ;; esac
  [ -s "$E2E_DIR/err" ] && fail "$option wrote to the standard error: $(cat "$E2E_DIR/err")"
done
version=$(env -u DISPLAY "$program" --version)
grep -q "VERSION [0-9.]*" "$(dirname "$0")/../../CMakeLists.txt" &&
  [ "$version" = "velmaric $(sed -n 's/^project(velmaric VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")" ] ||
  fail "--version says '$version'"

for display in "" ":77"; do
  DISPLAY=$display QT_QPA_PLATFORM=xcb "$program" >"$E2E_DIR/out" 2>"$E2E_DIR/err"
  status=$?
  [ "$status" = 1 ] || fail "no window system at '$display': status $status"
  [ "$(wc -l <"$E2E_DIR/err")" = 1 ] || fail "no window system at '$display' said: $(cat "$E2E_DIR/err")"
  grep -q "^velmaric: no window system could be reached" "$E2E_DIR/err" ||
    fail "no window system at '$display' said: $(cat "$E2E_DIR/err")"
done

start_program "$program" extra $'two\nlines'
[ "$(wc -l <"$E2E_DIR/program.log")" = 1 ] ||
  fail "the ignored arguments took more than a line: $(cat "$E2E_DIR/program.log")"
grep -q "ignored: 'extra' 'two\\\\x0Alines'" "$E2E_DIR/program.log" ||
  fail "the ignored arguments were not named: $(cat "$E2E_DIR/program.log")"
# A second start answers --version itself instead of handing over.
[ "$("$program" --version)" = "$version" ] || fail "--version with the program running"
press alt+f
press Up Up Up Return                            # Auto-Run at Windows Startup
answer_box Information Return "Auto-Run"
entry="$XDG_CONFIG_HOME/autostart/velmaric.desktop"
[ -f "$entry" ] || fail "Auto-Run wrote no entry in $XDG_CONFIG_HOME/autostart"
grep -qxF "TryExec=$program" "$entry" || fail "the entry lacks TryExec: $(cat "$entry")"
command -v desktop-file-validate >/dev/null && { desktop-file-validate "$entry" || fail "the entry is not valid"; }
focus "$WINDOW"
press alt+e
expect_clean_exit "Exit after the ignored arguments"
echo "PASS: --help and --version answer without a window, a missing window system is one" \
  "line and status 1, other arguments are noted and ignored"
