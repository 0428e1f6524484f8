# Sourced by the scripts that map a folder as drive A: of the run's Wine
# prefix (scripts/with-wine). Sets drive to the prefix's link for A:, or
# skips the test (77) when there is no prefix of our own or it already has
# a drive A:, which is not ours to touch.
if [ -z "${WINEPREFIX:-}" ] || [ ! -d "$WINEPREFIX/dosdevices" ] || [ ! -d "$WINEPREFIX/drive_c" ]; then
  echo "not under a Wine prefix of our own (WINEPREFIX): skipped"
  exit 77
fi
drive="$WINEPREFIX/dosdevices/a:"
if [ -e "$drive" ] || [ -L "$drive" ]; then
  echo "the Wine prefix already has a drive A:, which this test does not touch: skipped"
  exit 77
fi
