#!/bin/bash
# Checks the files the package installs for the desktop and for the user:
# the desktop entry and the AppStream metadata with the freedesktop
# validators, that they name each other and the icon consistently, and that
# the readme and the catalog are plain ASCII text that documents what the
# program really has (the fifteen settings keys, the maker's addresses).
# Also that the metadata, packaging/copyright and packaging/changelog state
# the licence of COPYING and the version of CMakeLists.txt.
#
# Usage: validate_desktop_files.sh <source folder> <version> <home page>
# <contact address> <maker>, the last four as the build has them from the
# project's metadata. Exits 77 (skipped) when desktop-file-validate
# (desktop-file-utils) or appstreamcli (appstream) is not installed.
set -u
usage="usage: validate_desktop_files.sh <source folder> <version> <home page> <contact> <maker>"
source_dir=${1:?$usage}
version=${2:?$usage}
home_page=${3:?$usage}
contact=${4:?$usage}
maker=${5:?$usage}
assets="$source_dir/assets"
app_id=io.example.velmaric
desktop="$assets/$app_id.desktop"
metainfo="$assets/$app_id.metainfo.xml"

for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

# --- the validators -------------------------------------------------------
# desktop-file-validate exits 0 on mere warnings and hints: clean means silent.
report=$(desktop-file-validate "$desktop" 2>&1)
status=$?
if [ "$status" -ne 0 ] || [ -n "$report" ]; then fail "desktop-file-validate: $report"; else pass "desktop-file-validate"; fi

if report=$(appstreamcli validate --no-net --pedantic "$metainfo" 2>&1); then
  pass "appstreamcli validate"
else
  fail "appstreamcli validate: $report"
fi

# --- the two files agree with each other and with the install layout -------
desktop_key() { sed -n "s/^$1=//p" "$desktop" | head -n 1; }
xml_text() { sed -n "s|.*<$1[^>]*>\\([^<]*\\)</$1>.*|\\1|p" "$metainfo" | head -n 1; }

[ "$(xml_text id)" = "$app_id" ] || fail "metainfo id is '$(xml_text id)', not $app_id"
[ "$(xml_text launchable)" = "$app_id.desktop" ] ||
  fail "metainfo launches '$(xml_text launchable)', not $app_id.desktop"
[ "$(xml_text icon)" = "$app_id" ] || fail "metainfo icon is '$(xml_text icon)', not $app_id"
[ "$(desktop_key Icon)" = "$app_id" ] || fail "desktop Icon= is '$(desktop_key Icon)', not $app_id"
[ "$(desktop_key Exec)" = "$(xml_text binary)" ] ||
  fail "desktop Exec= '$(desktop_key Exec)' is not the provided binary '$(xml_text binary)'"
[ "$(desktop_key Exec)" = velmaric ] || fail "desktop Exec= does not start velmaric"
grep -q "RENAME \${VELMARIC_APP_ID}.svg" "$source_dir/cmake/install.cmake" ||
  fail "install.cmake does not install the icon under the application id"

# The icon is a square SVG.
icon="$assets/velmaric.svg"
size=$(sed -n 's/.*<svg[^>]* width="\([0-9]*\)" height="\([0-9]*\)".*/\1 \2/p' "$icon")
read -r width height <<<"$size"
if [ -z "${width:-}" ] || [ "$width" != "$height" ]; then fail "the icon is not square: '$size'"; fi
if command -v xmllint >/dev/null 2>&1; then
  xmllint --noout "$icon" "$assets/velmaric-banner.svg" "$metainfo" "$assets/velmaric.qrc" ||
    fail "an XML file is not well formed"
fi
[ "$failures" -eq 0 ] && pass "desktop entry, metadata and icon agree"

# --- licence and version ------------------------------------------------------
# The licence and the version CMakeLists.txt and COPYING give are those the
# metadata, the package's copyright file and its changelog state.
before=$failures
if ! { grep -q 'GNU GENERAL PUBLIC LICENSE' "$source_dir/COPYING" &&
  grep -q 'Version 3, 29 June 2007' "$source_dir/COPYING"; }; then
  fail "COPYING is not the GNU General Public License version 3"
fi
[ "$(xml_text project_license)" = GPL-3.0-or-later ] ||
  fail "metainfo project_license is '$(xml_text project_license)', not GPL-3.0-or-later"
release=$(sed -n 's/.*<release [^>]*version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
[ "$release" = "$version" ] || fail "the metainfo's newest release is '$release', the project is $version"
awk '/<release /{n++} n==1{print} n==1 && /<\/release>/{exit}' "$metainfo" | grep -q '<description>' ||
  fail "the metainfo's newest release has no release notes (<description>)"
copyright="$source_dir/packaging/copyright"
if ! { grep -qx 'License: GPL-3.0-or-later' "$copyright" &&
  grep -qF /usr/share/common-licenses/GPL-3 "$copyright"; }; then
  fail "packaging/copyright does not state GPL-3.0-or-later and point at /usr/share/common-licenses/GPL-3"
fi
entry=$(sed -n '1s/^velmaric (\([^)-]*\)-[^)]*) .*/\1/p' "$source_dir/packaging/changelog")
[ "$entry" = "$version" ] || fail "packaging/changelog's newest entry is '$entry', the project is $version"
[ "$failures" -eq "$before" ] && pass "licence GPL-3.0-or-later and version $version agree everywhere"

# --- the companion texts ----------------------------------------------------
readme="$assets/velmaric.txt"
catalog="$assets/catalog.txt"
for text in "$readme" "$catalog"; do
  name=$(basename "$text")
  LC_ALL=C grep -nq $'\r' "$text" && fail "$name has CR line ends (LF expected)"
  bad=$(LC_ALL=C grep -nP '[^\t\x20-\x7e]' "$text" | head -n 3)
  [ -z "$bad" ] || fail "$name is not plain ASCII: $bad"
  [ -z "$(tail -c 1 "$text")" ] || fail "$name does not end with a line end"
done

# Every settings key the program keeps is explained in the readme.
keys=$(sed -n 's/^inline constexpr const char\* [a-z_]* = "\([A-Za-z_]*=\)";$/\1/p' \
  "$source_dir/src/settings/settings_keys.h")
[ "$(echo "$keys" | grep -c .)" -eq 15 ] || fail "found $(echo "$keys" | grep -c .) settings keys, not 15"
for key in $keys; do
  grep -qF "$key" "$readme" || fail "the readme does not explain the key $key"
done

# The maker and the addresses are those the program shows and the package
# names.
for value in "$home_page" "$contact"; do
  for text in "$readme" "$catalog"; do
    grep -qF "$value" "$text" || fail "$(basename "$text") lacks $value"
  done
done
[ "$(sed -n 's|.*<url type="homepage">\([^<]*\)</url>.*|\1|p' "$metainfo")" = "$home_page" ] ||
  fail "the metainfo's home page is not $home_page"
[ "$(xml_text update_contact)" = "$contact" ] || fail "the metainfo's contact is not $contact"
[ "$(xml_text developer_name)" = "$maker" ] || fail "the metainfo's developer is not $maker"
grep -qxF "Upstream-Contact: $maker <$contact>" "$source_dir/packaging/copyright" ||
  fail "packaging/copyright's Upstream-Contact is not $maker <$contact>"
grep -qxF "Source: $home_page" "$source_dir/packaging/copyright" ||
  fail "packaging/copyright's Source is not $home_page"

# The places the readme promises (the "~" is meant literally).
# shellcheck disable=SC2088
for promise in velmaric.ini "~/.config/autostart/velmaric.desktop" /usr/lib/velmaric/velmaric.txt \
  "~/.config/velmaric/" 'Alt+S' 'Alt+R' 'Alt+E' '*** RESET' 'CR LF'; do
  grep -qF -- "$promise" "$readme" || fail "the readme does not mention $promise"
done

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "PASS: desktop entry, AppStream metadata, icon and companion texts"
