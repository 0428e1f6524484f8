#!/bin/bash
# Builds the Debian package as a user would get it (an optimised build, made
# into a package by CPack) and checks it with lintian --pedantic: any error
# or warning fails, and so does an override that no longer matches anything.
# The program in the package must also carry the hardening of Debian's own
# packages, which lintian reports only as information, and be stripped.
#
# Usage: lintian_package.sh <source folder> <package build folder> <generator>
#                           <C++ compiler> <warnings as errors: ON/OFF>
#
# The package build folder is kept between runs, so that only the first run
# compiles everything; the package itself is made in a fresh temporary
# folder. Exits 77 (skipped) when lintian is not installed.
set -uo pipefail
source_dir=${1:?usage: lintian_package.sh <source> <build folder> <generator> <compiler> <werror>}
build_dir=${2:?missing the package build folder}
generator=${3:?missing the generator}
compiler=${4:?missing the C++ compiler}
werror=${5:?missing ON or OFF for warnings as errors}

command -v lintian >/dev/null 2>&1 || { echo "SKIP: lintian is not installed"; exit 77; }
for tool in dpkg-deb dpkg-shlibdeps readelf; do
  command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool is missing (scripts/install-deps)"; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/velmaric-package.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
# Runs a step quietly; on failure shows the end of what it said and stops.
step() {
  local name=$1
  shift
  if ! "$@" >"$work/$name.log" 2>&1; then
    tail -n 40 "$work/$name.log"
    echo "FAIL: $name: $*"
    exit 1
  fi
}

started=$SECONDS
step configure cmake -S "$source_dir" -B "$build_dir" -G "$generator" \
  -DCMAKE_CXX_COMPILER="$compiler" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELMARIC_BUILD_TESTS=OFF -DVELMARIC_BUILD_BENCH=OFF -DVELMARIC_SANITIZE=OFF \
  -DVELMARIC_WERROR="$werror"
step build cmake --build "$build_dir"
step cpack cpack --config "$build_dir/CPackConfig.cmake" -B "$work/package"
deb=$(find "$work/package" -maxdepth 1 -name 'velmaric_*.deb' | head -n 1)
[ -n "$deb" ] || { echo "FAIL: cpack made no .deb"; exit 1; }
echo "built $(basename "$deb") in $((SECONDS - started)) s"

# --- lintian ----------------------------------------------------------------
# No configuration file or environment of the user's changes what is shown;
# information tags are shown too, for the overrides below.
lintian --no-cfg --ignore-lintian-env --pedantic --display-info "$deb" >"$work/lintian.txt" 2>"$work/lintian.err"
status=$?
cat "$work/lintian.txt"
grep -v 'running with root privileges is not recommended' "$work/lintian.err"
problems=$(grep -E '^(E|W): ' "$work/lintian.txt")
stale=$(grep -E '^I: [^ ]+ unused-override ' "$work/lintian.txt")
if [ -n "$problems" ]; then
  fail "lintian reports errors or warnings:"
  echo "$problems"
elif [ -n "$stale" ]; then
  fail "packaging/lintian-overrides holds overrides that match nothing: remove them"
elif [ "$status" -ne 0 ]; then
  fail "lintian ended with status $status"
else
  pass "lintian --pedantic: no error, no warning"
fi

# --- the program in the package ---------------------------------------------
dpkg-deb -x "$deb" "$work/root" || { echo "FAIL: dpkg-deb -x"; exit 1; }
program="$work/root/usr/lib/velmaric/velmaric"
[ -f "$program" ] || { echo "FAIL: the package has no usr/lib/velmaric/velmaric"; exit 1; }
header=$(readelf --file-header "$program")
segments=$(readelf --program-headers --wide "$program")
dynamic=$(readelf --dynamic "$program")
sections=$(readelf --section-headers --wide "$program")
imports=$(readelf --dyn-syms --wide "$program")

grep -q 'Type: *DYN' <<<"$header" || fail "the program is not position independent (PIE)"
grep -q 'GNU_RELRO' <<<"$segments" || fail "the program has no read-only relocations (-z relro)"
grep -Eq 'BIND_NOW|FLAGS_1.*NOW' <<<"$dynamic" || fail "the program does not bind immediately (-z now)"
grep -q '__stack_chk_fail' <<<"$imports" || fail "the program has no stack protector"
grep -Eq ' __[a-z_]+_chk(@|$)' <<<"$imports" || fail "the program calls no fortified function (_FORTIFY_SOURCE)"
grep -q ' \.symtab ' <<<"$sections" && fail "the program is not stripped"
grep -q ' \.comment ' <<<"$sections" && fail "the program keeps its .comment section"
[ "$failures" -eq 0 ] && pass "the program is PIE, relro, bindnow, stack-protected, fortified, stripped"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "PASS: the Debian package is lintian-clean and hardened"
