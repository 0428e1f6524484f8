# Shared by the Windows program's end-to-end scripts: the X session of the
# Linux ones with openbox, a Wine of its own booted on that display, and a
# private copy of the program. Source this file with the program as $1; it
# sets WINE, WINEPREFIX, APP_DIR, APP_EXE and settings, and ends the wine
# server and the session on exit.
. "$(dirname "${BASH_SOURCE[0]}")/../e2e/xvfb_session.sh"
WINE=${VELMARIC_WINE:-/usr/lib/wine/wine64}
[ -x "$WINE" ] || { echo "SKIP: no wine64"; exit 77; }
start_openbox

# A Wine of its own, booted on this display: a Wine booted without one (the
# other Windows tests') makes no windows, and its server is not ours to end.
export WINEPREFIX="$E2E_DIR/wine" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineserver="$(dirname "$WINE")/wineserver"
trap '"$wineserver" -k 2>/dev/null; e2e_cleanup' EXIT
"$WINE" wineboot --init </dev/null >"$E2E_DIR/wineboot.log" 2>&1 || fail "wineboot failed"
APP_DIR="$E2E_DIR/app"
APP_EXE="$APP_DIR/velmaric.exe"
mkdir -p "$APP_DIR"
cp "$1" "$APP_EXE"
settings="$APP_DIR/velmaric.ini"

# Runs reg.exe of this prefix quietly.
wine_reg() { "$WINE" reg "$@" </dev/null 2>/dev/null; }

# The faces the windows name, as the metric-compatible ones Debian has.
for pair in "Times New Roman=Liberation Serif" "Arial=Liberation Sans" \
  "MS Sans Serif=Liberation Sans"; do
  wine_reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${pair%%=*}" /d "${pair#*=}" /f \
    >/dev/null
done

# With SCREENSHOTS set to a folder, the screen is kept there as $1, or only
# the window $2 with its frame.
shoot() {
  [ -n "${SCREENSHOTS:-}" ] || return 0
  if [ -n "${2:-}" ]; then
    import -frame -window "$2" "$SCREENSHOTS/$1"
  else
    import -window root "$SCREENSHOTS/$1"
  fi
}
