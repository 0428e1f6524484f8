#!/usr/bin/env bash
# Side-by-side measurement of Velmaric, Kronometer and GNOME Clocks on one
# private Xvfb display without a window manager:
#   - start-up: exec to a viewable main window, median of several runs
#   - CPU: percent of one core used over a fixed window, first with the
#     stopwatch at rest, then running; ROUNDS rounds with the programs
#     alternating, the median of the rounds reported
#   - peak memory: VmHWM at the end of the running window (median of rounds)
#
# Usage: bench/gui_compare.sh [path/to/velmaric]
#   default: build/bench/velmaric, else build/release/velmaric
# Environment: RUNS (start-ups per program, default 5),
#              CPU_SECONDS (length of each CPU window, default 15),
#              ROUNDS (alternating rounds of the CPU windows, default 3)
#
# Installs nothing; tells which Debian packages are missing.

set -u
set -o pipefail

RUNS=${RUNS:-5}
CPU_SECONDS=${CPU_SECONDS:-15}
ROUNDS=${ROUNDS:-3}
START_TIMEOUT_S=30

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

die() {
  echo "gui_compare: $*" >&2
  exit 1
}

# --- tools ----------------------------------------------------------------
missing_pkgs=()
need() {  # need <command> <debian package>
  command -v "$1" >/dev/null 2>&1 || missing_pkgs+=("$2")
}
need Xvfb xvfb
need xdotool xdotool
need xwininfo x11-utils
need xdpyinfo x11-utils
need import imagemagick
need compare imagemagick
need kronometer kronometer
need gnome-clocks gnome-clocks
need getconf libc-bin
need setsid util-linux
need ps procps
if ((${#missing_pkgs[@]})); then
  mapfile -t missing_pkgs < <(printf '%s\n' "${missing_pkgs[@]}" | sort -u)
  echo "gui_compare: missing: ${missing_pkgs[*]}" >&2
  sudo=""; ((EUID == 0)) || sudo="sudo "
  echo "install them with:  ${sudo}apt-get install -y ${missing_pkgs[*]}" >&2
  exit 2
fi

# --- the program under test -----------------------------------------------
if (($# >= 1)); then
  velmaric=$1
elif [[ -x $repo_root/build/bench/velmaric ]]; then
  velmaric=$repo_root/build/bench/velmaric
else
  velmaric=$repo_root/build/release/velmaric
fi
if (($# == 0)) && [[ $velmaric == */build/bench/velmaric && $repo_root/build/release/velmaric -nt $velmaric ]]; then
  echo "warning: build/release/velmaric is newer than build/bench/velmaric; measuring the bench build (pass a path to choose)" >&2
fi
[[ -x $velmaric ]] || die "no Velmaric binary at $velmaric (build it with: cmake --preset bench && cmake --build --preset bench)"
velmaric=$(realpath "$velmaric")
kronometer=$(command -v kronometer)
gnome_clocks=$(command -v gnome-clocks)

CLK_TCK=$(getconf CLK_TCK)

# --- clean-up -------------------------------------------------------------
work=$(mktemp -d "${TMPDIR:-/tmp}/gui_compare.XXXXXX")
xvfb_pid=""
app_pids=()

# Every process this script starts leads its own process group (setsid),
# so a program and anything it spawned are stopped together.
stop_pid() {  # stop_pid <pid>: its process group, TERM then KILL
  local pid=$1 i
  kill -TERM -- "-$pid" 2>/dev/null || return 0
  for ((i = 0; i < 30; i++)); do
    [[ $(ps -o stat= -p "$pid" 2>/dev/null) == [^Z]* ]] || break  # gone or a zombie
    sleep 0.1
  done
  kill -KILL -- "-$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  return 0
}

# Stops a launched program and forgets it.
stop_app() {  # stop_app <pid>
  local pid=$1 kept=() p
  stop_pid "$pid"
  for p in "${app_pids[@]}"; do [[ $p == "$pid" ]] || kept+=("$p"); done
  app_pids=("${kept[@]}")
}

cleanup() {
  local pid
  for pid in "${app_pids[@]}"; do stop_pid "$pid"; done
  [[ -n $xvfb_pid ]] && stop_pid "$xvfb_pid"
  rm -rf "$work"
}
trap cleanup EXIT
trap 'echo "gui_compare: interrupted" >&2; exit 130' INT
trap 'echo "gui_compare: terminated by SIGTERM" >&2; exit 143' TERM

# --- X server -------------------------------------------------------------
# -displayfd lets the server pick a free display and tells us when it is ready.
setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
  3>"$work/displayfd" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for ((i = 0; i < 100; i++)); do
  [[ -s $work/displayfd ]] && break
  kill -0 "$xvfb_pid" 2>/dev/null || break
  sleep 0.1
done
[[ -s $work/displayfd ]] || { cat "$work/xvfb.log" >&2; die "Xvfb did not start"; }
DISPLAY=:$(head -n1 "$work/displayfd")
export DISPLAY
xdpyinfo >/dev/null 2>&1 || die "cannot talk to Xvfb on $DISPLAY"

# --- helpers --------------------------------------------------------------
now_ns() { date +%s%N; }

# Launches a program with a private home in its own process group; sets
# LAUNCH_PID and LAUNCH_T0 (ns, taken just before the exec). Extra
# NAME=value words are added to the program's environment.
launch() {  # launch <home dir> <log file> <program> [NAME=value ...]
  local home=$1 log=$2 prog=$3
  shift 3
  mkdir -p "$home/.config" "$home/.local/share" "$home/.cache" "$home/.local/state" "$home/run"
  chmod 700 "$home/run"
  LAUNCH_T0=$(now_ns)
  setsid env -i \
    PATH="/usr/local/bin:/usr/bin:/bin" \
    HOME="$home" \
    XDG_CONFIG_HOME="$home/.config" \
    XDG_DATA_HOME="$home/.local/share" \
    XDG_CACHE_HOME="$home/.cache" \
    XDG_STATE_HOME="$home/.local/state" \
    XDG_RUNTIME_DIR="$home/run" \
    DISPLAY="$DISPLAY" \
    QT_QPA_PLATFORM=xcb \
    LANG="${LANG:-C.UTF-8}" ${LC_ALL:+LC_ALL="$LC_ALL"} ${TZ:+TZ="$TZ"} \
    "$@" "$prog" >>"$log" 2>&1 &
  LAUNCH_PID=$!
  app_pids+=("$LAUNCH_PID")
}

# The program to run for a home: Velmaric keeps its settings file beside its
# executable when that folder is writable, so each home gets its own copy of
# the binary (otherwise a timing saved by an earlier run, beside the build,
# would come back as "&Resume" and Alt+S would start nothing). The others
# keep their settings under the home.
program_in() {  # program_in <name> <home dir>
  local name=$1 home=$2
  if [[ $name == Velmaric ]]; then
    if [[ ! -x $home/app/velmaric ]]; then
      mkdir -p "$home/app" && cp "$velmaric" "$home/app/velmaric" || return 1
    fi
    echo "$home/app/velmaric"
  else
    echo "${program_path[$name]}"
  fi
}

# Polls until the process owns a viewable window; prints its id (the largest
# one if there are several). Fails if the process dies or time runs out.
wait_for_window() {  # wait_for_window <pid>
  local pid=$1 deadline ids id best="" best_area=-1 geo w h
  deadline=$(($(now_ns) + START_TIMEOUT_S * 1000000000))
  while :; do
    ids=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null) && [[ -n $ids ]] && break
    kill -0 "$pid" 2>/dev/null || return 1
    (($(now_ns) < deadline)) || return 1
    sleep 0.002
  done
  for id in $ids; do
    geo=$(xwininfo -id "$id" 2>/dev/null) || continue
    w=$(awk '/^ *Width:/ {print $2}' <<<"$geo")
    h=$(awk '/^ *Height:/ {print $2}' <<<"$geo")
    if ((w * h > best_area)); then best_area=$((w * h)); best=$id; fi
  done
  [[ -n $best ]] || best=${ids%%[[:space:]]*}
  echo "$best"
}

cpu_ticks() {  # utime + stime (fields 14, 15) of /proc/<pid>/stat
  # The command name (field 2) may hold blanks; count from the last ')'.
  local stat rest
  stat=$(<"/proc/$1/stat") || return 1
  rest=${stat##*) }
  awk '{print $12 + $13}' <<<"$rest"
}

vm_hwm_kb() { awk '/^VmHWM:/ {print $2}' "/proc/$1/status"; }

median() { printf '%s\n' "$@" | sort -n | awk '{a[NR] = $1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'; }

# True if two shots of the window, taken inside one second of the wall clock,
# differ. Both programs show at most whole seconds of the wall clock, so a
# stopped stopwatch gives two equal shots and a running one two different.
window_changes() {  # window_changes <window id> <tag>
  local win=$1 tag=$2 try t0 t1 frac diff
  for ((try = 0; try < 8; try++)); do
    # Begin 150..450 ms after a second starts, end before it is over.
    while :; do
      t0=$(now_ns)
      frac=$(((t0 % 1000000000) / 1000000))
      ((frac >= 150 && frac <= 450)) && break
      sleep 0.02
    done
    import -window "$win" "$work/$tag-a.png" 2>/dev/null || return 2
    sleep 0.25
    import -window "$win" "$work/$tag-b.png" 2>/dev/null || return 2
    t1=$(now_ns)
    (((t0 / 1000000000) == (t1 / 1000000000) && (t1 % 1000000000) < 950000000)) || continue
    diff=$(compare -metric AE "$work/$tag-a.png" "$work/$tag-b.png" null: 2>&1)
    diff=${diff%%[^0-9]*}
    [[ -n $diff ]] || return 2
    ((diff > 0)) && return 0 || return 1
  done
  return 2
}

# The keys that start each program's stopwatch, as a user would type them:
# Velmaric's "&Start" button (Alt+S); Kronometer's start/pause action
# (Space); GNOME Clocks opens on its World page, so Ctrl+Alt+Page_Down twice
# (next page: Alarms, then Stopwatch, whose Start button then has the
# keyboard focus) and Return presses Start.
start_keys() {
  case $1 in
    Velmaric) echo alt+s ;;
    Kronometer) echo space ;;
    GnomeClocks) echo ctrl+alt+Next ctrl+alt+Next Return ;;
  esac
}

start_stopwatch() {  # start_stopwatch <name> <window id>
  local k
  for k in $(start_keys "$1"); do
    xdotool key --window "$2" "$k"
    sleep 0.3  # let a page change finish before the next key
  done
}

declare -A program_path=([Velmaric]=$velmaric [Kronometer]=$kronometer [GnomeClocks]=$gnome_clocks)
declare -A label=([Velmaric]=Velmaric [Kronometer]=Kronometer [GnomeClocks]="GNOME Clocks")
# GTK 4 would draw GNOME Clocks through OpenGL, which on Xvfb means Mesa's
# software rasteriser; with its cairo renderer it draws on the CPU the plain
# way, as the two Qt programs do here.
declare -A program_env=([Velmaric]="" [Kronometer]="" [GnomeClocks]="GSK_RENDERER=cairo")
programs=(Velmaric Kronometer GnomeClocks)
declare -A startup_runs startup_ms cpu_pct xvfb_pct peak_mb rest_pct
declare -A cpu_runs xvfb_runs peak_runs rest_runs

echo "display $DISPLAY (Xvfb, no window manager), CLK_TCK=$CLK_TCK, $(nproc) CPU(s)"
echo "Velmaric:     $velmaric"
echo "Kronometer:   $kronometer ($(dpkg-query -W -f '${Version}' kronometer 2>/dev/null || echo '?'))"
echo "GNOME Clocks: $gnome_clocks ($(dpkg-query -W -f '${Version}' gnome-clocks 2>/dev/null || echo '?'), ${program_env[GnomeClocks]})"
echo

# --- start-up: exec to viewable window, programs interleaved ---------------
for ((run = 1; run <= RUNS; run++)); do
  for name in "${programs[@]}"; do
    home="$work/home-$name"
    prog=$(program_in "$name" "$home") || die "cannot copy $velmaric"
    # shellcheck disable=SC2086
    launch "$home" "$work/$name.log" "$prog" ${program_env[$name]}
    pid=$LAUNCH_PID
    if ! win=$(wait_for_window "$pid"); then
      t1=$(now_ns)
      echo "${label[$name]}: no viewable window after $(((t1 - LAUNCH_T0) / 1000000)) ms (run $run)" >&2
      tail -n 20 "$work/$name.log" >&2
      exit 1
    fi
    t1=$(now_ns)
    ms=$(((t1 - LAUNCH_T0) / 1000000))
    startup_runs[$name]+="$ms "
    stop_app "$pid"
    sleep 0.3
  done
done
for name in "${programs[@]}"; do
  # shellcheck disable=SC2086
  startup_ms[$name]=$(median ${startup_runs[$name]})
  printf 'start-up %-12s runs (ms): %s -> median %s\n' "${label[$name]}" "${startup_runs[$name]}" "${startup_ms[$name]}"
done
echo

# --- CPU at rest and running, peak memory: rounds, programs alternating ---
# Percent of one core that a process used between two readings.
cpu_pct_between() {  # cpu_pct_between <ticks before> <ticks after> <t0 ns> <t1 ns>
  awk -v a="$1" -v b="$2" -v t0="$3" -v t1="$4" -v hz="$CLK_TCK" \
    'BEGIN {printf "%.2f", 100 * (b - a) / hz / ((t1 - t0) / 1e9)}'
}

for ((round = 1; round <= ROUNDS; round++)); do
  for name in "${programs[@]}"; do
    home="$work/home-$name-run-$round"  # fresh: the stopwatch begins at rest
    prog=$(program_in "$name" "$home") || die "cannot copy $velmaric"
    # shellcheck disable=SC2086
    launch "$home" "$work/$name-run.log" "$prog" ${program_env[$name]}
    pid=$LAUNCH_PID
    win=$(wait_for_window "$pid") || { tail -n 20 "$work/$name-run.log" >&2; die "${label[$name]} did not start"; }
    sleep 1.5  # let it settle

    t0=$(now_ns)
    c0=$(cpu_ticks "$pid") || die "${label[$name]} exited"
    sleep "$CPU_SECONDS"
    t1=$(now_ns)
    c1=$(cpu_ticks "$pid") || die "${label[$name]} exited while at rest"
    rest_runs[$name]+="$(cpu_pct_between "$c0" "$c1" "$t0" "$t1") "

    window_changes "$win" "$name-idle"
    idle=$?
    ((idle == 0)) && echo "warning: ${label[$name]}'s window changes before its stopwatch is started" >&2

    xdotool windowfocus --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
    start_stopwatch "$name" "$win"
    sleep 0.5
    window_changes "$win" "$name-running"
    ((($?) == 0)) || die "${label[$name]}: its stopwatch does not appear to run after '$(start_keys "$name")' (window unchanged)"
    ((round == 1)) && echo "${label[$name]}: stopwatch running after '$(start_keys "$name")' (window static before: $([[ $idle == 1 ]] && echo yes || echo no), changing after: yes)"

    t0=$(now_ns)
    c0=$(cpu_ticks "$pid") || die "${label[$name]} exited"
    x0=$(cpu_ticks "$xvfb_pid")
    sleep "$CPU_SECONDS"
    t1=$(now_ns)
    c1=$(cpu_ticks "$pid") || die "${label[$name]} exited during the CPU window"
    x1=$(cpu_ticks "$xvfb_pid")
    hwm=$(vm_hwm_kb "$pid")
    window_changes "$win" "$name-after" || echo "warning: ${label[$name]}'s stopwatch no longer appears to run at the end of the CPU window" >&2

    cpu_runs[$name]+="$(cpu_pct_between "$c0" "$c1" "$t0" "$t1") "
    xvfb_runs[$name]+="$(cpu_pct_between "$x0" "$x1" "$t0" "$t1") "
    peak_runs[$name]+="$(awk -v k="$hwm" 'BEGIN {printf "%.1f", k / 1024}') "
    stop_app "$pid"
  done
done
for name in "${programs[@]}"; do
  # shellcheck disable=SC2086
  {
    rest_pct[$name]=$(median ${rest_runs[$name]})
    cpu_pct[$name]=$(median ${cpu_runs[$name]})
    xvfb_pct[$name]=$(median ${xvfb_runs[$name]})
    peak_mb[$name]=$(median ${peak_runs[$name]})
  }
  printf '%-12s at rest %%: %s running %%: %s\n' "${label[$name]}" "${rest_runs[$name]}" "${cpu_runs[$name]}"
done
echo

# --- table ----------------------------------------------------------------
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {if (b > 0) printf "%.2f", a / b; else print "n/a"}'; }
row() { printf '%-22s %10s %10s %14s %10s %12s\n' "$@"; }
row "program" "rest CPU %" "CPU %" "start-up ms" "peak MiB" "Xvfb CPU %"
row "----------------------" "----------" "----------" "--------------" "----------" "------------"
for name in "${programs[@]}"; do
  row "${label[$name]}" "${rest_pct[$name]}" "${cpu_pct[$name]}" "${startup_ms[$name]}" "${peak_mb[$name]}" "${xvfb_pct[$name]}"
done
for other in Kronometer GnomeClocks; do
  row "Velmaric/${label[$other]}" \
    "$(ratio "${rest_pct[Velmaric]}" "${rest_pct[$other]}")" \
    "$(ratio "${cpu_pct[Velmaric]}" "${cpu_pct[$other]}")" \
    "$(ratio "${startup_ms[Velmaric]}" "${startup_ms[$other]}")" \
    "$(ratio "${peak_mb[Velmaric]}" "${peak_mb[$other]}")" \
    "$(ratio "${xvfb_pct[Velmaric]}" "${xvfb_pct[$other]}")"
done
echo
echo "rest CPU %: utime+stime of the process over ${CPU_SECONDS} s before its stopwatch is started, percent of one core."
echo "CPU %: the same over ${CPU_SECONDS} s with the stopwatch running. Both: median of $ROUNDS rounds, programs alternating."
echo "start-up ms: median of $RUNS launches, exec to a viewable main window."
echo "peak MiB: VmHWM (peak resident set) at the end of the running window, median of the rounds."
echo "Xvfb CPU %: the X server's own CPU over the same window (drawing the program's updates)."
