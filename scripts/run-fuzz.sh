#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz tree in turn, each over a corpus
# folder of its own and its seeds in fuzz/seeds/<target> (when it has any),
# with the libFuzzer limits given. Stops at the first target that fails and
# shows the end of its log.
#
#   run-fuzz.sh FUZZ_TREE CORPUS_ROOT LIMIT...
#
# `make fuzz` passes -max_total_time=FUZZ_SECONDS and keeps its corpus
# between runs; `make test` gives a fixed number of runs and a fresh corpus.
# New inputs land only in the corpus folder, never among the seeds; an input
# that fails a target lands in FUZZ_TREE/artifacts/.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
tree="$1" corpus_root="$2"
shift 2
seeds_root="$here/../fuzz/seeds"

shopt -s nullglob
targets=("$tree"/bin/*_fuzz)
if [ ${#targets[@]} = 0 ]; then
  echo "run-fuzz: no fuzz targets in $tree/bin" >&2
  exit 1
fi
mkdir -p "$tree/artifacts"
for f in "${targets[@]}"; do
  name=$(basename "$f")
  corpus="$corpus_root/$name"
  mkdir -p "$corpus"
  seeds=()
  [ -d "$seeds_root/$name" ] && seeds=("$seeds_root/$name")
  log="$tree/$name.log"
  echo "== $name ($*)"
  start=$EPOCHREALTIME
  if ! "$f" "$@" -print_final_stats=1 -artifact_prefix="$tree/artifacts/$name-" \
      "$corpus" "${seeds[@]}" >"$log" 2>&1 </dev/null; then
    tail -n 60 "$log"
    echo "== $name FAILED (full log: $log)"
    exit 1
  fi
  end=$EPOCHREALTIME
  grep -E '^(Done|stat::number_of_executed_units)' "$log" || tail -n 3 "$log"
  awk -v s="$start" -v e="$end" 'BEGIN { printf "time: %.2f s\n", e - s }'
done
