#!/usr/bin/env bash
# The long fuzz campaign: runs each fuzz target, one process each, until it
# has made RUNS executions or SECONDS have passed, JOBS targets at a time.
# What a target finds (crash, leak, timeout, failed property) is kept under
# tests/fuzz/TARGET/, where the short runs of ./test replay it ever after;
# fix it at its cause and run again. The corpus grows in build/fuzz/corpus.
#
#   scripts/fuzz-campaign.sh [-j JOBS] [-t SECONDS] RUNS [TARGET...]
#
# Prints per target the executions reached, libFuzzer's coverage figures
# (cov: edges, ft: features) and what was found; the logs stay in
# BUILD/campaign/. BUILD is build/fuzz, or $FUZZ_BUILD: a tree of its own lets
# a campaign run on while the targets are rebuilt elsewhere.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=1 seconds=3600
while getopts "j:t:" option; do
  case $option in
    j) jobs=$OPTARG ;;
    t) seconds=$OPTARG ;;
    *) echo "usage: $0 [-j JOBS] [-t SECONDS] RUNS [TARGET...]" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
(($# >= 1)) || { echo "usage: $0 [-j JOBS] [-t SECONDS] RUNS [TARGET...]" >&2; exit 2; }
runs=$1; shift

build=${FUZZ_BUILD:-build/fuzz}
scripts/ensure-packages.sh
cmake -S fuzz -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null
targets=("$@")
((${#targets[@]})) || mapfile -t targets < <(ls "$build/targets")

logs=$build/campaign
mkdir -p "$logs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan-suppressions.txt

run_one() {
  local name=$1 dict seeds
  dict=$(sed -n 's/^dict=//p' "$build/targets/$name")
  seeds=$(sed -n 's/^seeds=//p' "$build/targets/$name")
  mkdir -p "$build/corpus/$name"
  # shellcheck disable=SC2086  # the seed folders are a list
  "$build/$name" -runs="$runs" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -dict="$dict" -artifact_prefix="tests/fuzz/$name/" "$build/corpus/$name" $seeds \
    >"$logs/$name.log" 2>&1 || true
}
export -f run_one
export build runs seconds logs
printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c 'run_one {}'

printf '%-18s %12s %8s %8s  %s\n' target executions cov ft found
for name in "${targets[@]}"; do
  log=$logs/$name.log
  last=$(grep -E '^#[0-9]+' "$log" | tail -1 || true)
  # The final stats are printed on a normal end; after a finding, the last status line counts.
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  [[ -n $executions ]] || executions=$(sed -n 's/^#\([0-9]*\).*/\1/p' <<<"$last")
  cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")
  ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
  found=$(grep -oE '(ERROR: [A-Za-z]+Sanitizer: [a-z-]+|runtime error: .*|ERROR: libFuzzer: [a-z-]+|property failed: .*)' "$log" | head -1 || true)
  printf '%-18s %12s %8s %8s  %s\n' "$name" "${executions:-?}" "${cov:-?}" "${ft:-?}" "${found:-nothing}"
done
