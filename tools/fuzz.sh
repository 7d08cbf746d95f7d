#!/bin/bash
# Builds the libFuzzer targets (preset "fuzz", clang) and runs them.
#
#   tools/fuzz.sh [-t SECONDS] [-j PARALLEL] [--merge] [--seeds] [TARGET...]
#
#   -t SECONDS  run time of each target (default 60)
#   -j N        how many targets run at once (default 1; the fuzzers are
#               single-threaded, so N cores are busy)
#   --merge     afterwards, add the inputs that reach new coverage to the
#               committed corpus tests/fuzz/corpus/<target>
#   --seeds     rewrite the reader's seed files from the project's writer first
#   TARGET      pinyin date_text shuli mobile data_source mdb_reader (default: all)
#
# FUZZ_FLAGS in the environment adds libFuzzer options, e.g.
# FUZZ_FLAGS=-use_value_profile=1.
#
# Each run works on its own copy of the corpus under build/fuzz/work/<target>;
# logs go to build/fuzz/logs/<target>.log, crashing or slow inputs to
# build/fuzz/artifacts/<target>/. A summary line per target ends the run.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

seconds=60
parallel=1
merge=0
seeds=0
targets=()
while (($#)); do
  case "$1" in
    -t) seconds="$2"; shift 2 ;;
    -j) parallel="$2"; shift 2 ;;
    --merge) merge=1; shift ;;
    --seeds) seeds=1; shift ;;
    -h|--help) sed -n '2,19p' "$0"; exit 0 ;;
    -*) echo "unknown option $1" >&2; exit 2 ;;
    *) targets+=("$1"); shift ;;
  esac
done
((${#targets[@]})) || targets=(pinyin date_text shuli mobile data_source mdb_reader)

build=build/fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"
if ((seeds)); then
  cmake --build "$build" --target fuzz_mdb_seeds
  "$build/bin/fuzz_mdb_seeds" tests/fuzz/corpus/mdb_reader
fi
mkdir -p "$build/logs"

run_one() {
  local t="$1" exe="$build/bin/fuzz_$1"
  local work="$build/work/$t" artifacts="$build/artifacts/$t/"
  mkdir -p "$work" "$artifacts"
  cp -n tests/fuzz/corpus/"$t"/* "$work"/ 2>/dev/null || true
  # -timeout flags an input that takes more than 10 s (a hang); a crash or a
  # broken invariant stops the run and leaves the input in $artifacts.
  "$exe" "$work" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$artifacts" ${FUZZ_FLAGS:-} >"$build/logs/$t.log" 2>&1 || true
}

running=0
for t in "${targets[@]}"; do
  [[ -x "$build/bin/fuzz_$t" ]] || { echo "no fuzz target $t" >&2; exit 2; }
  run_one "$t" &
  running=$((running + 1))
  if ((running >= parallel)); then
    wait -n
    running=$((running - 1))
  fi
done
wait

status=0
for t in "${targets[@]}"; do
  log="$build/logs/$t.log"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  last=$(grep -E '^#[0-9]+' "$log" | tail -1 | grep -oE 'cov: [0-9]+ ft: [0-9]+ corp: [0-9]+/[0-9a-zA-Z]+' || true)
  found=$(find "$build/artifacts/$t" -type f | wc -l)
  echo "$t: ${runs:-?} runs, ${last:-no coverage line}, ${found} artifacts (log $log)"
  ((found == 0)) || status=1
  if ((merge)); then
    # Edges only (no hit counts), so the committed corpus stays small.
    "$build/bin/fuzz_$t" -merge=1 -use_counters=0 -timeout=10 tests/fuzz/corpus/"$t" "$build/work/$t" \
      >"$build/logs/$t.merge.log" 2>&1
  fi
done
exit $status
