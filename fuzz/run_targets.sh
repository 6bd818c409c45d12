#!/usr/bin/env bash
# Runs each libFuzzer target given: first every input of its seed corpus (fuzz/corpus) and of
# what earlier runs found (build/fuzz/corpus), then new inputs for FUZZ_SECONDS. JOBS targets
# run at once (each is one process on one core). A crash or a violated property fails the
# run and leaves the input in build/fuzz/crashes; the metafile loader of the system leaks
# per picture, which is not ours to mend (fuzz/lsan.supp).
#   fuzz/run_targets.sh TARGET...
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build/fuzz

if [[ ${1:-} == --one ]]; then
  target=$2
  mkdir -p "$out/corpus/$target" "$out/crashes"
  if LSAN_OPTIONS=suppressions=$root/fuzz/lsan.supp "$out/bin/$target" \
      -max_total_time="${FUZZ_SECONDS:-300}" -print_final_stats=1 -rss_limit_mb=3072 \
      -artifact_prefix="$out/crashes/$target-" "$out/corpus/$target" \
      "$root/fuzz/corpus/$target" > "$out/$target.log" 2>&1; then
    echo "fuzz: $target: $(grep -E '^(Done|stat::number_of_executed_units)|DONE' \
      "$out/$target.log" | tr '\n' ' ')"
  else
    echo "fuzz: $target FAILED"
    tail -40 "$out/$target.log"
    exit 1
  fi
  exit 0
fi

jobs=${JOBS:-$(nproc)}
echo "fuzz: $* for ${FUZZ_SECONDS:-300} s each, $jobs at once"
printf '%s\n' "$@" | xargs -P "$jobs" -n 1 "$0" --one
