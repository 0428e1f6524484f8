#!/usr/bin/env bash
# Soak test of the real program: a private copy of the binary under a private
# Xvfb, driven through xdotool by a few thousand random user commands with
# logging on and Expert mode on (no notice boxes):
#
#   start / stop / resume (Alt+S, Alt+R while the button reads Resume),
#   reset (Alt+R, or a click on Reset while Alt+R would resume),
#   the two snapshot buttons (mouse clicks),
#   File > Copy Elapsed Time To Clipboard (Alt+F, C; the clipboard is read back),
#   Exit (Alt+E) and restart, SIGTERM and restart, SIGKILL and restart.
#
# The driver keeps a model of the stopwatch (run state, stop count, snapshot
# numbers, what the last save holds) and checks the program against it:
#   - the settings file read back after every exit, SIGTERM and SIGKILL:
#     fifteen CR LF lines, the keys in their saved order, every value in its
#     form, the stop count and counters as the model says;
#   - the clipboard after every copy: " DD.HH:MM:SS.hh", and the saved total
#     when the stopwatch is stopped, zero after a reset;
#   - the log at the end: every line one of the log's layouts (header, stop
#     line with its count column, snapshot line, original-start line, reset
#     marker), centring exact, and the sequence of lines exactly the one the
#     commands should have produced;
#   - memory: a second phase runs one long-lived instance (no restarts) and
#     samples VmRSS after every command; the mean over its last 1000 commands
#     must not exceed the mean over its first 1000 by more than 10 %.
#
# Usage: bench/soak.sh [COMMANDS=3000] [path/to/velmaric]
#   default binary: build/release/velmaric
# Environment:
#   RSS_COMMANDS   commands of the long-lived phase, part of COMMANDS (2000;
#                  at most two thirds of COMMANDS); the rest run with restarts
#   SEED           random seed (default: from the clock; printed)
#   KEY_SETTLE_MS  pause after a button accelerator (200): Qt clicks a button
#                  100 ms after its accelerator, and drops a second press of
#                  it within those 100 ms
#   KEEP=1         keep the work folder (settings, log, program output)
# Exit status: 0 pass, 1 a check failed or the program misbehaved, 2 tools missing.

set -u
set -o pipefail

commands=${1:-3000}
repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
velmaric=${2:-$repo_root/build/release/velmaric}

die() { echo "soak: $*" >&2; exit 1; }

if ! [[ $commands =~ ^[0-9]+$ ]] || ((commands < 30)); then
  die "COMMANDS must be a whole number of at least 30"
fi
missing=()
for t in Xvfb:xvfb xdotool:xdotool xclip:xclip python3:python3; do
  command -v "${t%%:*}" >/dev/null 2>&1 || missing+=("${t##*:}")
done
if ((${#missing[@]})); then
  sudo=""; ((EUID == 0)) || sudo="sudo "
  echo "soak: missing: ${missing[*]}; install with: ${sudo}apt-get install -y ${missing[*]}" >&2
  exit 2
fi
[[ -x $velmaric ]] || die "no binary at $velmaric (cmake --preset release && cmake --build --preset release)"

work=$(mktemp -d "${TMPDIR:-/tmp}/soak.XXXXXX")
xvfb_pid=""
cleanup() {
  [[ -f $work/app.pid ]] && kill -KILL "$(cat "$work/app.pid")" 2>/dev/null
  [[ -n $xvfb_pid ]] && kill -TERM "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  if [[ ${KEEP:-0} == 1 ]]; then echo "soak: work folder kept: $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

mkdir -p "$work/app" "$work/home/.config" "$work/run" "$work/log"
chmod 700 "$work/run"
cp "$velmaric" "$work/app/velmaric"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.05; done
[[ -s $work/display ]] || die "Xvfb did not start"
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/run QT_QPA_PLATFORM=xcb
export LANG=${LANG:-C.UTF-8}

python3 - "$work" "$commands" "${RSS_COMMANDS:-2000}" "${SEED:-}" "${KEY_SETTLE_MS:-200}" <<'PY'
import os, random, re, signal, subprocess, sys, time

work, commands, rss_commands, seed, key_settle_ms = sys.argv[1:6]
commands = int(commands)
rss_commands = min(int(rss_commands), commands * 2 // 3)
phase_a = commands - rss_commands
seed = int(seed) if seed else time.time_ns() % 1_000_000_007
key_settle = int(key_settle_ms) / 1000
click_settle = 0.04
rng = random.Random(seed)

APP = os.path.join(work, "app", "velmaric")
INI = os.path.join(work, "app", "velmaric.ini")
LOG = os.path.join(work, "log", "velmaric.log")
PIDFILE = os.path.join(work, "app.pid")
t_begin = time.monotonic()

# --- window geometry -------------------------------------------------------
# Client area 368 x 313 below a menu bar; controls scale from the design
# layout (441 x 373) by 368/441 and 313/373. Click at the centre of each.
def at(left, top, width, height):
    rx, ry = 368 / 441, 313 / 373
    return int((left + width / 2) * rx), MENU_H + int((top + height / 2) * ry)
MENU_H = 22  # measured at start-up below (window height - client height)

# --- the settings file ------------------------------------------------------
KEYS = ["WindowState_wsMaximized", "elapsed_centi_seconds", "window_top_posn",
        "window_left_posn", "window_ClientWidth", "window_ClientHeight",
        "Do_Not_Log_RadioButton", "Log_to_File_RadioButton", "Expert_Mode_Option",
        "original_start_date_time", "Log_File_Name_EditBox",
        "Stops_Since_Last_Reset_SpinEdit", "Write_Stop_Count_CheckBox",
        "Always_on_Top_Option", "Auto_Run_at_Windows_Startup_Option"]
FIXED = {"WindowState_wsMaximized": "False", "window_top_posn": "20", "window_left_posn": "20",
         "window_ClientWidth": "368", "window_ClientHeight": "313",
         "Do_Not_Log_RadioButton": "False", "Log_to_File_RadioButton": "True",
         "Expert_Mode_Option": "True", "Log_File_Name_EditBox": LOG,
         "Write_Stop_Count_CheckBox": "True", "Always_on_Top_Option": "False",
         "Auto_Run_at_Windows_Startup_Option": "False"}
REAL_RE = re.compile(r"^[ -]\d\.\d{14}E[+-]\d{4}$")
INT_RE = re.compile(r"^-?(0|[1-9]\d*)$")
FLAG_KEYS = {"WindowState_wsMaximized", "Do_Not_Log_RadioButton", "Log_to_File_RadioButton",
             "Expert_Mode_Option", "Write_Stop_Count_CheckBox", "Always_on_Top_Option",
             "Auto_Run_at_Windows_Startup_Option"}
INT_KEYS = {"window_top_posn", "window_left_posn", "window_ClientWidth", "window_ClientHeight",
            "Stops_Since_Last_Reset_SpinEdit"}
REAL_KEYS = {"elapsed_centi_seconds", "original_start_date_time"}

def real_text(v):
    if v == 0: return " 0.00000000000000E+0000"
    m, e = f"{abs(v):.14E}".split("E")
    return ("-" if v < 0 else " ") + m + "E" + e[0] + e[1:].rjust(4, "0")

with open(INI, "wb") as f:
    values = dict(FIXED, elapsed_centi_seconds=real_text(0), original_start_date_time=real_text(0),
                  Stops_Since_Last_Reset_SpinEdit="0")
    f.write(b"".join(f"{k}={values[k]}\r\n".encode() for k in KEYS))

failures = []
def fail(msg):
    failures.append(msg)
    if len(failures) <= 20: print("FAIL:", msg, flush=True)

# --- xdotool, one long-lived process ------------------------------------------
# "xdotool -" runs one command per line as it reads it; each batch ends with
# getmouselocation, whose answer tells that the batch went to the server.
class Xdo:
    def __init__(self):
        self.p = subprocess.Popen(["xdotool", "-"], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                  stderr=subprocess.DEVNULL, text=True, bufsize=1)
    def do(self, *lines):
        for line in lines: self.p.stdin.write(line + "\n")
        self.p.stdin.write("getmouselocation\n")
        self.p.stdin.flush()
        if not self.p.stdout.readline():
            raise RuntimeError("xdotool ended")
xdo = Xdo()

# --- the program ---------------------------------------------------------------
class App:
    pid = None; proc = None; win = None
app = App()
starts = 0

def launch():
    global starts, MENU_H
    out = open(os.path.join(work, "program.log"), "ab")
    app.proc = subprocess.Popen([APP], stdout=out, stderr=subprocess.STDOUT, cwd=work)
    app.pid = app.proc.pid
    with open(PIDFILE, "w") as f: f.write(str(app.pid))
    r = subprocess.run(["timeout", "30", "xdotool", "search", "--sync", "--onlyvisible",
                        "--pid", str(app.pid), "--name", "^Velmaric$"],
                       capture_output=True, text=True)
    ids = r.stdout.split()
    if not ids:
        raise RuntimeError(f"no window after start {starts + 1}")
    app.win = ids[0]
    geo = subprocess.run(["xdotool", "getwindowgeometry", app.win], capture_output=True, text=True).stdout
    m = re.search(r"Geometry: (\d+)x(\d+)", geo)
    if m:
        w, h = int(m.group(1)), int(m.group(2))
        if w != 368: fail(f"start {starts + 1}: window width {w}, expected 368")
        MENU_H = h - 313
    xdo.do(f"windowfocus --sync {app.win}")
    starts += 1

def wait_exit(what, timeout=15):
    try:
        rc = app.proc.wait(timeout)
    except subprocess.TimeoutExpired:
        fail(f"{what}: the program did not end within {timeout} s")
        app.proc.kill(); rc = app.proc.wait()
    os.remove(PIDFILE)
    return rc

def vm_rss_kb():
    with open(f"/proc/{app.pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"): return int(line.split()[1])
    return 0

# --- model ---------------------------------------------------------------------
class M:
    state = "idle"       # idle ("&Start"), running ("&Stop"), stopped ("&Resume")
    counter = False      # elapsed counter above 0
    orig = False         # original start above 0
    stops = 0
    snap = 0
    saved = dict(counter=False, orig=False, stops=0)
m = M()
expected_log = []        # kinds of line the log should hold, in order

def save():
    m.saved = dict(counter=m.counter, orig=m.orig, stops=m.stops)

def restore():
    m.counter, m.orig, m.stops = m.saved["counter"], m.saved["orig"], m.saved["stops"]
    m.state = "stopped" if m.counter else "idle"
    m.snap = 0

settings_checked = 0
saved_counter_cs = 0.0
def check_settings(when):
    global settings_checked, saved_counter_cs
    settings_checked += 1
    try:
        data = open(INI, "rb").read()
    except OSError as e:
        fail(f"{when}: settings file unreadable: {e}"); return
    if not data.endswith(b"\r\n"):
        fail(f"{when}: settings file does not end in CR LF: {data[-40:]!r}"); return
    lines = data[:-2].split(b"\r\n")
    if any(b"\r" in l or b"\n" in l for l in lines):
        fail(f"{when}: settings file has a line not ended by CR LF"); return
    if len(lines) != 15:
        fail(f"{when}: settings file has {len(lines)} lines, expected 15"); return
    vals = {}
    for i, raw in enumerate(lines):
        line = raw.decode("latin-1")
        key, eq, val = line.partition("=")
        if not eq or key != KEYS[i]:
            fail(f"{when}: line {i + 1} is {line!r}, expected key {KEYS[i]}="); return
        vals[key] = val
        if key in FLAG_KEYS and val not in ("True", "False"):
            fail(f"{when}: {key}={val!r} is not a flag")
        if key in INT_KEYS and not INT_RE.match(val):
            fail(f"{when}: {key}={val!r} is not an integer")
        if key in REAL_KEYS and not REAL_RE.match(val):
            fail(f"{when}: {key}={val!r} is not a 23-character real")
        if key in FIXED and val != FIXED[key]:
            fail(f"{when}: {key}={val!r}, expected {FIXED[key]!r}")
    stops = vals["Stops_Since_Last_Reset_SpinEdit"]
    if stops != str(m.saved["stops"]):
        fail(f"{when}: saved stop count {stops}, expected {m.saved['stops']}")
    try:
        counter = float(vals["elapsed_centi_seconds"]); orig = float(vals["original_start_date_time"])
    except ValueError:
        return
    if (counter > 0) != m.saved["counter"]:
        fail(f"{when}: saved counter {counter}, expected {'> 0' if m.saved['counter'] else '0'}")
    if (orig > 0) != m.saved["orig"]:
        fail(f"{when}: saved original start {orig}, expected {'> 0' if m.saved['orig'] else '0'}")
    saved_counter_cs = counter

def read_saved_counter():
    for raw in open(INI, "rb").read().split(b"\r\n"):
        if raw.startswith(b"elapsed_centi_seconds="):
            return float(raw.split(b"=", 1)[1])
    return 0.0

# --- texts ---------------------------------------------------------------------
def elapsed_text(cs):
    cs = int(cs)
    d, h, mi, s, c = cs // 8640000, cs // 360000 % 24, cs // 6000 % 60, cs // 100 % 60, cs % 100
    return f" {d % 65536:02d}.{h:02d}:{mi:02d}:{s:02d}.{c:02d}"

def centre(s, w):
    d = w - len(s)
    if d < 0: return s
    front = max(0, d // 2 - 1)
    return " " * front + s + " " * (d - front)

ET = r" \d{2,}\.\d{2}:\d{2}:\d{2}\.\d{2}"
CLIP_RE = re.compile("^" + ET + "$")

# --- commands ------------------------------------------------------------------
XY_SNAP_START = lambda: at(120, 332, 41, 33)
XY_SNAP_RESUME = lambda: at(176, 332, 41, 33)
XY_RESET = lambda: at(232, 332, 88, 32)
XY_RESET_LOG = lambda: at(256, 232, 81, 25)

counts = {}
def count(kind): counts[kind] = counts.get(kind, 0) + 1

def key(k):
    xdo.do(f"key --delay 10 {k}")
    time.sleep(key_settle)

def click(xy):
    x, y = xy()
    xdo.do(f"mousemove --window {app.win} {x} {y}", "click --delay 0 1")
    time.sleep(click_settle)

def cmd_startstop():
    if m.state == "idle":
        key("alt+s"); count("start")
        m.state, m.counter, m.orig = "running", True, True
    elif m.state == "running":
        key("alt+s"); count("stop")
        m.stops += 1
        expected_log.append(("STOP", m.stops))
        m.state = "stopped"
        save()
    else:
        key("alt+r"); count("resume")
        m.state = "running"
    m.snap = 0

def cmd_reset():
    if m.state == "stopped":
        click(XY_RESET)   # Alt+R would resume
    else:
        key("alt+r")
    count("reset")
    m.state, m.counter, m.orig, m.stops, m.snap = "idle", False, False, 0, 0
    expected_log.extend([("EMPTY",), ("RESET",), ("EMPTY",)])

def cmd_snap_resume():
    click(XY_SNAP_RESUME); count("snapshot since resume")
    if m.state == "running":
        m.snap += 1
        expected_log.append(("SNAP", m.snap))

def cmd_snap_start():
    click(XY_SNAP_START); count("snapshot since start")
    if m.state in ("running", "stopped") and m.orig:
        expected_log.append(("ORIG",))

clip_checked = 0
def clip_read():
    r = subprocess.run(["xclip", "-selection", "clipboard", "-o"], capture_output=True, timeout=10)
    return r.stdout.decode("latin-1") if r.returncode == 0 else None

def cmd_copy():
    global clip_checked
    count("copy to clipboard")
    sentinel = f"soak-{time.monotonic_ns()}"
    subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=sentinel.encode(),
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=10)
    xdo.do("key --delay 10 alt+f", "sleep 0.08", "key --delay 10 c")
    deadline = time.monotonic() + 5
    text = clip_read()
    while text == sentinel and time.monotonic() < deadline:
        time.sleep(0.02); text = clip_read()
    clip_checked += 1
    if text is None or text == sentinel:
        fail(f"copy {counts['copy to clipboard']}: the clipboard did not change"); return
    if not CLIP_RE.match(text):
        fail(f"copy: clipboard holds {text!r}, not ' DD.HH:MM:SS.hh'"); return
    if m.state == "idle" and text != elapsed_text(0):
        fail(f"copy after a reset: clipboard {text!r}")
    if m.state == "stopped":
        want = elapsed_text(read_saved_counter())
        if text != want:
            fail(f"copy while stopped: clipboard {text!r}, the saved counter shows {want!r}")

def cmd_close():
    key("alt+e"); count("exit (Alt+E)")
    closing_save("exit")

def cmd_sigterm():
    time.sleep(0.1)
    os.kill(app.pid, signal.SIGTERM); count("SIGTERM")
    closing_save("SIGTERM")

def closing_save(what):
    rc = wait_exit(what)
    if rc != 0: fail(f"{what}: exit status {rc}")
    if m.state == "running":
        m.stops += 1
        expected_log.append(("STOP", m.stops))
    save()
    check_settings(f"after {what} {counts.get('exit (Alt+E)', 0) + counts.get('SIGTERM', 0)}")
    restore(); launch()

def cmd_sigkill():
    time.sleep(0.3)  # let the program finish the last command
    os.kill(app.pid, signal.SIGKILL); count("SIGKILL")
    rc = wait_exit("SIGKILL")
    if rc != -signal.SIGKILL: fail(f"SIGKILL: status {rc}")
    check_settings(f"after SIGKILL {counts['SIGKILL']}")
    restore(); launch()

COMMON = [(cmd_startstop, 34), (cmd_reset, 8), (cmd_snap_resume, 18), (cmd_snap_start, 15),
          (cmd_copy, 8)]
RESTARTS = [(cmd_close, 3), (cmd_sigterm, 1), (cmd_sigkill, 3)]

def pick(table):
    fns, weights = zip(*table)
    return rng.choices(fns, weights)[0]

# --- run -----------------------------------------------------------------------
print(f"soak: {commands} commands (phase 1: {phase_a} with restarts, phase 2: {rss_commands} "
      f"on one instance), seed {seed}, display {os.environ['DISPLAY']}", flush=True)
cmd_times = []
kind_times = {}
def timed(fn):
    t0 = time.monotonic()
    fn()
    kind_times.setdefault(fn.__name__[4:], []).append(time.monotonic() - t0)
    cmd_times.append(time.monotonic() - t0)
try:
    launch()
    click(XY_RESET_LOG)            # erase the log and write its header
    expected_log.extend([("H1",), ("H2",), ("H3",), ("EMPTY",)])
    time.sleep(0.2)
    for i in range(phase_a):
        timed(pick(COMMON + RESTARTS))
        if (i + 1) % 250 == 0:
            print(f"  phase 1: {i + 1}/{phase_a} commands, {starts - 1} restarts, "
                  f"{time.monotonic() - t_begin:.0f} s", flush=True)
    # Phase 2: a fresh instance, never restarted. Every kind of command runs
    # once first (menus, clipboard, log writes are set up), uncounted.
    cmd_close()
    for fn in (cmd_startstop, cmd_snap_resume, cmd_snap_start, cmd_copy, cmd_startstop,
               cmd_copy, cmd_reset, cmd_copy):
        fn()
    rss = []
    for i in range(rss_commands):
        timed(pick(COMMON))
        rss.append(vm_rss_kb())
        if (i + 1) % 250 == 0:
            print(f"  phase 2: {i + 1}/{rss_commands} commands, VmRSS {rss[-1] / 1024:.1f} MiB, "
                  f"{time.monotonic() - t_begin:.0f} s", flush=True)
    key("alt+e"); count("exit (Alt+E)")
    rc = wait_exit("final exit")
    if rc != 0: fail(f"final exit: status {rc}")
    if m.state == "running":
        m.stops += 1; expected_log.append(("STOP", m.stops))
    save(); check_settings("after the final exit")
except Exception as e:
    fail(f"driver stopped: {e!r}")
    if app.pid and os.path.exists(PIDFILE):
        app.proc.kill(); app.proc.wait()
    rss = locals().get("rss", [])

# --- the log -------------------------------------------------------------------
DAY = r"(?:Sun|Mon|Tue|Wed|Thu|Fri|Sat)"
DT = rf"  {DAY}, .+? @ \S+"
H1 = "Count " + centre("Start", 35) + " " + centre("End", 35) + " " + centre("Elapsed Time", 20) + " " + centre("Cummulative Total", 20)
H2 = " " * 7 + centre("Day, Date, Time", 35) + " " + centre("Day, Date, Time", 35) + " " + centre("(DD.HH:MM:SS.HH)", 20) + " " + centre("(DD.HH:MM:SS.HH)", 20)
H3 = "=====  " + "=" * 35 + " " + "=" * 35 + " " + "=" * 20 + " " + "=" * 20
LAYOUTS = [  # kind, regex
    ("H1", re.compile("^" + re.escape(H1) + "$")),
    ("H2", re.compile("^" + re.escape(H2) + "$")),
    ("H3", re.compile("^" + re.escape(H3) + "$")),
    ("EMPTY", re.compile(r"^$")),
    ("RESET", re.compile(r"^\*\*\* RESET$")),
    ("STOP", re.compile(rf"^(?P<count> *\d+) (?P<start> *{DT}) +(?P<end>{DT}) +(?P<seg>{ET}) +(?P<tot>{ET}) *$")),
    ("SNAP", re.compile(rf"^        >> Snap Shot (?P<n>\d{{3,}}) Time since Resume/Start :      (?P<seg>{ET})   (?P<tot>{ET})$")),
    ("ORIG", re.compile(rf"^        >> Time since original start :                  (?P<since>{ET})$")),
    ("TIME", re.compile(rf"^{ET}$")),
]
def cs_of(t):
    d, rest = t.strip().split(".", 1)
    h, mi, sc = rest.split(":"); s, c = sc.split(".")
    return (((int(d) * 24 + int(h)) * 60 + int(mi)) * 60 + int(s)) * 100 + int(c)

log_kinds = {}
actual = []
try:
    data = open(LOG, "rb").read()
except OSError as e:
    data = b""; fail(f"log unreadable: {e}")
if data and not data.endswith(b"\r\n"):
    fail("the log does not end in CR LF")
log_lines = data[:-2].split(b"\r\n") if data else []
for n, raw in enumerate(log_lines, 1):
    if b"\r" in raw or b"\n" in raw:
        fail(f"log line {n}: a bare CR or LF: {raw!r}"); actual.append(("BAD",)); continue
    line = raw.decode("latin-1")
    for kind, rx in LAYOUTS:
        mt = rx.match(line)
        if mt: break
    else:
        fail(f"log line {n} fits no layout: {line!r}"); actual.append(("BAD",)); continue
    log_kinds[kind] = log_kinds.get(kind, 0) + 1
    if kind == "STOP":
        count_col = mt["count"]
        dt1 = re.match(rf"^ *({DT})$", mt["start"]).group(1)
        rebuilt = (str(int(count_col)).rjust(5) + " " + centre(dt1, 35) + " " + centre(mt["end"], 35)
                   + " " + centre(mt["seg"], 20) + " " + centre(mt["tot"], 20))
        if rebuilt != line:
            fail(f"log line {n}: stop line columns are not where the layout puts them: {line!r}")
        if cs_of(mt["seg"]) > cs_of(mt["tot"]):
            fail(f"log line {n}: segment {mt['seg']} longer than the total {mt['tot']}")
        actual.append(("STOP", int(count_col)))
    elif kind == "SNAP":
        if cs_of(mt["seg"]) > cs_of(mt["tot"]):
            fail(f"log line {n}: segment {mt['seg']} longer than the total {mt['tot']}")
        actual.append(("SNAP", int(mt["n"])))
    else:
        actual.append((kind,))

if actual != expected_log:
    i = next((k for k, (a, b) in enumerate(zip(actual, expected_log)) if a != b),
             min(len(actual), len(expected_log)))
    fail(f"log: line {i + 1} is {actual[i] if i < len(actual) else 'missing'}, the commands "
         f"called for {expected_log[i] if i < len(expected_log) else 'nothing more'} "
         f"({len(actual)} lines, {len(expected_log)} expected); around it: "
         f"{[l.decode('latin-1') for l in log_lines[max(0, i - 2):i + 2]]}")

# --- summary -------------------------------------------------------------------
restarts = counts.get("exit (Alt+E)", 0) + counts.get("SIGTERM", 0) + counts.get("SIGKILL", 0)
print()
print("commands by kind:")
for k in ("start", "stop", "resume", "reset", "snapshot since start", "snapshot since resume",
          "copy to clipboard", "exit (Alt+E)", "SIGTERM", "SIGKILL"):
    print(f"  {k:<24}{counts.get(k, 0):>6}")
print(f"  {'total':<24}{sum(counts.values()):>6}  ({len(cmd_times)} random, "
      f"{sum(counts.values()) - len(cmd_times)} set-up and closing)")
ct = sorted(cmd_times)
if ct:
    print(f"command time: median {ct[len(ct) // 2] * 1000:.0f} ms, 90th percentile "
          f"{ct[int(len(ct) * 0.9)] * 1000:.0f} ms (restarts included)")
    print("median time by command: " + ", ".join(
        f"{k} {sorted(v)[len(v) // 2] * 1000:.0f} ms" for k, v in sorted(kind_times.items())))
print(f"program starts: {starts} (restarts {starts - 1}: after Alt+E {counts.get('exit (Alt+E)', 0) - 1}, "
      f"SIGTERM {counts.get('SIGTERM', 0)}, SIGKILL {counts.get('SIGKILL', 0)}; one Alt+E ends the run)")
print(f"kills (SIGKILL): {counts.get('SIGKILL', 0)}")
print(f"settings files checked: {settings_checked}")
print(f"clipboard copies checked: {clip_checked}")
print(f"log lines checked: {len(log_lines)} (" + ", ".join(f"{k} {v}" for k, v in sorted(log_kinds.items()))
      + f"); expected by the model: {len(expected_log)}")
rss_ok = True
if len(rss) >= 2:
    w = min(1000, len(rss) // 2)
    first = sum(rss[:w]) / w; last = sum(rss[-w:]) / w
    change = 100 * (last - first) / first
    rss_ok = change <= 10
    print(f"VmRSS of one instance over {len(rss)} commands: first {w} mean {first / 1024:.2f} MiB, "
          f"last {w} mean {last / 1024:.2f} MiB, change {change:+.2f} % (limit +10 %); "
          f"min {min(rss) / 1024:.2f}, max {max(rss) / 1024:.2f} MiB")
    if not rss_ok: fail(f"memory grew by {change:.2f} %")
else:
    print("VmRSS: not measured")
    fail("no memory samples")
print(f"wall time: {time.monotonic() - t_begin:.0f} s")
print(f"{'PASS' if not failures else f'FAIL ({len(failures)} problems)'}")
sys.exit(0 if not failures else 1)
PY
