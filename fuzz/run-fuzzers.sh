#!/usr/bin/env bash
# Builds the fuzz targets with clang into build/fuzz and runs each one for a
# number of seconds on a fresh copy of its seed corpus, one after the other.
#
#   fuzz/run-fuzzers.sh [seconds] [target...]
#
# seconds defaults to 30; without targets every one runs. Prints the
# executions, coverage and time of each run and whether it found anything.
# Exit status: 0 when nothing was found, 1 on a finding or a failed build,
# 77 when clang++ or its libFuzzer runtime is missing (a skip for CTest).
#
# Environment: VELMARIC_FUZZ_CXX (default clang++, else clang++-14),
# VELMARIC_FUZZ_BUILD (default build/fuzz), VELMARIC_FUZZ_ARGS (more libFuzzer
# options, e.g. "-max_len=8192").
set -u

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-30}
shift $(($# > 0 ? 1 : 0))
all_targets=(settings_file_fuzzer value_forms_fuzzer digits_fuzzer text_routines_fuzzer log_lines_fuzzer)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all_targets[@]}")
build=${VELMARIC_FUZZ_BUILD:-$root/build/fuzz}

if ! [[ $seconds =~ ^[0-9]+$ ]] || [ "$seconds" -eq 0 ]; then
  echo "usage: $0 [seconds] [target...]" >&2
  exit 2
fi
for target in "${targets[@]}"; do
  if [ ! -f "$root/fuzz/$target.cpp" ]; then
    echo "no such fuzz target: $target (have: ${all_targets[*]})" >&2
    exit 2
  fi
done

skip() {
  echo "SKIPPED: $*" >&2
  exit 77
}

cxx=${VELMARIC_FUZZ_CXX:-}
if [ -z "$cxx" ]; then
  for candidate in clang++ clang++-14; do
    if command -v "$candidate" > /dev/null; then
      cxx=$candidate
      break
    fi
  done
fi
[ -n "$cxx" ] && command -v "$cxx" > /dev/null || skip "${cxx:-clang++} not found"
command -v cmake > /dev/null || skip "cmake not found"

mkdir -p "$build"
# The libFuzzer runtime comes with clang's compiler-rt package, not always
# with clang itself: link a trivial target to find out.
probe_dir=$(mktemp -d "$build/probe.XXXXXX")
printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' \
  > "$probe_dir/probe.cpp"
if ! "$cxx" -fsanitize=fuzzer,address,undefined "$probe_dir/probe.cpp" -o "$probe_dir/probe" \
  > "$probe_dir/probe.log" 2>&1; then
  cat "$probe_dir/probe.log" >&2
  rm -rf "$probe_dir"
  skip "$cxx cannot link with the libFuzzer runtime (libclang-rt-*-dev missing?)"
fi
rm -rf "$probe_dir"

# One fuzzer at a time on this machine, also when two runs are started.
exec 9> "$build/.run.lock"
if command -v flock > /dev/null; then
  flock 9
fi

generator=()
if [ ! -f "$build/CMakeCache.txt" ] && command -v ninja > /dev/null; then
  generator=(-G Ninja)
fi
echo "== building the fuzz targets with $cxx in $build"
if ! cmake -S "$root/fuzz" -B "$build" "${generator[@]}" -DCMAKE_CXX_COMPILER="$cxx" > "$build/configure.log" 2>&1 ||
  ! nice -n 10 cmake --build "$build" --parallel 2 --target "${targets[@]}" > "$build/build.log" 2>&1; then
  tail -n 40 "$build/configure.log" "$build/build.log" 2>/dev/null >&2
  echo "FAILED: the fuzz targets did not build" >&2
  exit 1
fi

# The settings target syncs a file on every save: a memory file system keeps
# that cheap and off the shared disk.
scratch_parent=/dev/shm
[ -d "$scratch_parent" ] && [ -w "$scratch_parent" ] || scratch_parent=${TMPDIR:-/tmp}

# Leaks count as findings, whatever the calling environment set.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:symbolize=1:allocator_may_return_null=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:symbolize=1"

summary=()
found=0
for target in "${targets[@]}"; do
  work="$build/run/$target"
  findings="$build/findings/$target"
  rm -rf "$work"
  mkdir -p "$work" "$findings"
  cp -r "$root/fuzz/corpus/$target" "$work/corpus"
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="$findings/")
  [ -f "$root/fuzz/dict/$target.dict" ] && options+=(-dict="$root/fuzz/dict/$target.dict")
  # shellcheck disable=SC2206 # split on purpose
  extra=(${VELMARIC_FUZZ_ARGS:-})
  scratch=$(mktemp -d "$scratch_parent/velmaric-fuzz.XXXXXX")

  echo "== $target: $seconds s"
  started=$(date +%s)
  VELMARIC_FUZZ_TMP=$scratch nice -n 10 "$build/$target" "${options[@]}" "${extra[@]}" "$work/corpus" \
    > "$work/fuzz.log" 2>&1
  status=$?
  elapsed=$(($(date +%s) - started))
  rm -rf "$scratch"

  done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE ' "$work/fuzz.log" | tail -n 1)
  [ -n "$done_line" ] || done_line=$(grep -E '^#[0-9]+[[:space:]].*cov: ' "$work/fuzz.log" | tail -n 1)
  runs_line=$(grep -E '^Done [0-9]+ runs in ' "$work/fuzz.log" | tail -n 1)
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/fuzz.log" | tail -n 1)
  exec_per_second=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$work/fuzz.log" | tail -n 1)
  coverage=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' <<< "$done_line")
  corpus=$(grep -oE 'corp: [0-9]+/[0-9]+[a-zA-Z]*' <<< "$done_line")
  corpus_files=$(find "$work/corpus" -type f | wc -l)

  if [ "$status" -eq 0 ] && ! grep -qE '^(==[0-9]+==ERROR|SUMMARY: |\*\*\* property violated)' "$work/fuzz.log"; then
    verdict="nothing found"
  else
    verdict="FOUND something (exit $status)"
    found=1
  fi
  echo "   $done_line"
  [ -n "$runs_line" ] && echo "   $runs_line"
  echo "   executions: ${executions:-?}  exec/s: ${exec_per_second:-?}  ${coverage:-cov: ?}" \
       " ${corpus:-corp: ?} ($corpus_files files)  time: ${elapsed} s  -> $verdict"
  if [ "$verdict" != "nothing found" ]; then
    grep -E -A 12 '^(==[0-9]+==ERROR|\*\*\* property violated|.*runtime error:)' "$work/fuzz.log" | head -n 40
    grep -E '(Test unit written to|artifact_prefix)' "$work/fuzz.log"
    echo "   full log: $work/fuzz.log"
  fi
  summary+=("$(printf '%-22s %-12s %-10s %-20s %-22s %5ss  %s' "$target" \
    "${executions:-?}" "${exec_per_second:-?}/s" "${coverage:-?}" "${corpus:-?}" "$elapsed" "$verdict")")
done

echo
echo "== summary ($seconds s each)"
printf '%-22s %-12s %-10s %-20s %-22s %6s  %s\n' target executions exec/s coverage corpus time result
printf '%s\n' "${summary[@]}"
exit $found
