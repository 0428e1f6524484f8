#!/bin/bash
# The real program, twice on one settings file, and with a removable disk
# from elsewhere:
#   - a second start on the same settings file hands over to the running
#     window and ends without touching the file; a copy in another folder
#     runs beside it;
#   - the disk is a small ext2 image on a loop device, mounted in a private
#     mount namespace with a 1 bound over its sysfs "removable" flag: a link
#     on it is refused, the log name it brings is asked about (and refused
#     here), a copy-in without settings on it or without any disk leaves a
#     running timing untouched.
# The disk part needs root, unshare and a loop device; where the machine
# does not allow them it is skipped with a message and the rest still runs.
set -u
if [ -z "${VELMARIC_IN_NAMESPACE:-}" ] && [ "$(id -u)" = 0 ] &&
  unshare -m --propagation private true 2>/dev/null; then
  exec env VELMARIC_IN_NAMESPACE=1 unshare -m --propagation private bash "$0" "$@"
fi
. "$(dirname "$0")/xvfb_session.sh"
program=$(private_copy "$1")
settings="$E2E_DIR/app/velmaric.ini"

centi_seconds() { value elapsed_centi_seconds | awk '{ printf "%d", $1 }'; }
file_state() { stat -c '%Y.%y %s' "$1"; md5sum <"$1"; }
main_windows() { [ "$(xdotool search --onlyvisible --name '^Velmaric$' 2>/dev/null | wc -l)" = "$1" ]; }

focus_main() { focus "$WINDOW"; }
menu_command() { focus_main; press alt+f; press "$1"; }

# ---- one program per settings file ---------------------------------------
start_program "$program"
start_clock alt+s                                     # one timed stop, saved
sleep 1
stop_clock "$settings" 1
first=$(file_state "$settings")
timeout 10 "$program" >"$E2E_DIR/second.log" 2>&1
status=$?
[ "$status" = 0 ] || fail "the second start ended with status $status"
[ "$(file_state "$settings")" = "$first" ] || fail "the second start touched the settings file"
kill -0 "$APP_PID" 2>/dev/null || fail "the first program went away"
# The same folder seen through a bind mount is the same settings file.
if [ -n "${VELMARIC_IN_NAMESPACE:-}" ] && mkdir -p "$E2E_DIR/bound" &&
  mount --bind "$E2E_DIR/app" "$E2E_DIR/bound"; then
  timeout 10 "$E2E_DIR/bound/velmaric" >"$E2E_DIR/bound.log" 2>&1 ||
    fail "a start through a bind mount did not hand over"
  umount "$E2E_DIR/bound"
  [ "$(file_state "$settings")" = "$first" ] || fail "the start through a bind mount touched the file"
fi

mkdir -p "$E2E_DIR/other"
cp "$program" "$E2E_DIR/other/velmaric"
"$E2E_DIR/other/velmaric" >"$E2E_DIR/other.log" 2>&1 &
other=$!
wait_until 10 "a copy in another folder did not run beside the first" main_windows 2
kill -TERM "$other"
wait "$other"
[ -f "$E2E_DIR/other/velmaric.ini" ] || fail "the other copy kept no settings of its own"
focus_main
press alt+e
expect_clean_exit "Exit of the first program"
[ "$(value Stops_Since_Last_Reset_SpinEdit)" = 1 ] || fail "the first program's stop was lost"
expect_elapsed "the first program's timing" "$(centi_seconds)"
instances="a second start handed over, another folder ran beside it"

# ---- the disk -------------------------------------------------------------
disk_setup() {
  [ -n "${VELMARIC_IN_NAMESPACE:-}" ] || { disk_case="no private mount namespace here"; return 1; }
  truncate -s 4M "$E2E_DIR/stick.img" && mke2fs -q -F "$E2E_DIR/stick.img" ||
    { disk_case="no mke2fs"; return 1; }
  loop=$(losetup -f --show "$E2E_DIR/stick.img" 2>/dev/null)
  [ -b "$loop" ] || { disk_case="no loop device"; return 1; }
  stick="$E2E_DIR/stick"
  mkdir -p "$stick"
  mount "$loop" "$stick" || { losetup -d "$loop"; disk_case="the image does not mount"; return 1; }
  echo 1 >"$E2E_DIR/one"
  mount --bind "$E2E_DIR/one" "$(readlink -f "/sys/class/block/$(basename "$loop")")/removable" ||
    { disk_case="sysfs cannot be bound over"; return 1; }
  disk_cleanup() {
    umount "$stick" 2>/dev/null
    losetup -d "$loop" 2>/dev/null
    e2e_cleanup
  }
  trap disk_cleanup EXIT
}

if disk_setup; then
  printf 'precious\n' >"$E2E_DIR/victim"

  # A link on the disk is never written through.
  ln -s "$E2E_DIR/victim" "$stick/velmaric.ini"
  start_program "$program"
  menu_command t
  answer_box Error Return "Copy To onto a link"
  [ "$(cat "$E2E_DIR/victim")" = precious ] || fail "Copy To wrote through a link on the disk"
  [ -L "$stick/velmaric.ini" ] || fail "the link on the disk was replaced"

  # The log name the disk brings is asked about; No leaves it alone.
  rm "$stick/velmaric.ini"
  printf 'elapsed_centi_seconds= 5.00000000000000E+0002\r\nLog_File_Name_EditBox=%s\r\n' \
    "$E2E_DIR/victim" >"$stick/velmaric.ini"
  printf 'planted\n' >"$stick/victim"
  menu_command f
  answer_box Warning Escape "the disk's log name"
  answer_box Information Return "the end of Copy From"
  [ "$(cat "$E2E_DIR/victim")" = precious ] || fail "Copy From overwrote the file the disk named"
  [ "$(value Log_File_Name_EditBox)" = "" ] || fail "the refused log name was kept"
  [ "$(centi_seconds)" = 500 ] || fail "the disk's timing did not come in"

  # Copy From while running, with no settings on the disk: nothing restored.
  rm "$stick/velmaric.ini"
  focus_main
  start_clock alt+r                                       # Resume, running
  sleep 1.5                                               # so that a set-back shows
  menu_command f
  answer_box Information Return "Copy From without settings"
  focus_main
  stop_before=$(now_ms)
  press alt+e
  expect_clean_exit "Exit after Copy From without settings"
  stop_seen=$(now_ms)
  expect_elapsed "the running timing across Copy From, from 500 cs to $(centi_seconds) cs" \
    $(($(centi_seconds) - 500))

  # No disk at all: both commands say so, nothing is saved or restored.
  umount "$stick"
  start_program "$program"
  start_clock alt+r
  saved=$(file_state "$settings")
  menu_command f
  answer_box Information Return "Copy From without a disk"
  menu_command t
  answer_box Information Return "Copy To without a disk"
  [ "$(file_state "$settings")" = "$saved" ] || fail "a command without a disk saved the settings"
  focus_main
  press alt+e
  expect_clean_exit "Exit after the commands without a disk"
  disk_case="disk links refused, its log name refused, a running timing kept"
else
  echo "SKIP: the disk part: $disk_case"
fi
echo "PASS: $instances; $disk_case"
