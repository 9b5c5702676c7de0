#!/usr/bin/env bash
# Builds the fuzz preset and runs every fuzz target for a while, side by side. Each keeps
# the corpus it grows in build/fuzz/corpus/<target> for the next run; a crashing input is
# written to build/fuzz/crashes/ and makes the script fail.
# Usage: scripts/fuzz.sh [seconds per target]   (default: 600)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-600}"
scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

declare -A seeds=(
  [FinderAnswersFuzz]="fuzz/corpus/FinderAnswersFuzz"
  [AppleScriptParserFuzz]="fuzz/corpus/AppleScriptParserFuzz tests/Scripting/golden"
  [PlistFileFuzz]="fuzz/corpus/PlistFileFuzz"
  [StoredDefaultsFuzz]="fuzz/corpus/StoredDefaultsFuzz fuzz/corpus/PlistFileFuzz"
  [StoredValuesFuzz]="fuzz/corpus/StoredValuesFuzz"
  [WindowListFuzz]="fuzz/corpus/WindowListFuzz"
  [DialogTreeFuzz]="fuzz/corpus/DialogTreeFuzz"
  [ScenarioTokenizerFuzz]="fuzz/corpus/ScenarioTokenizerFuzz scenarios"
)
out=build/fuzz
mkdir -p "$out/crashes" "$out/logs"
pids=()
for target in "${!seeds[@]}"; do
  mkdir -p "$out/corpus/$target"
  dict=()
  if [ -f "fuzz/$target.dict" ]; then dict=("-dict=fuzz/$target.dict"); fi
  # shellcheck disable=SC2086 # the seed folders are separate words
  "$out/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 "${dict[@]}" \
    -artifact_prefix="$out/crashes/$target-" "$out/corpus/$target" ${seeds[$target]} \
    >"$out/logs/$target.log" 2>&1 &
  pids+=("$!")
  echo "$target: ${seconds}s, log in $out/logs/$target.log"
done

status=0
for pid in "${pids[@]}"; do wait "$pid" || status=1; done
for target in "${!seeds[@]}"; do
  echo "== $target"
  grep -E "stat::number_of_executed_units|stat::average_exec_per_sec|ERROR|invariant" \
    "$out/logs/$target.log" || true
done
exit "$status"
