#!/usr/bin/env bash
# The time pressel2-build adds on top of the tools it runs: the UTF-8 sample report built from a
# clean directory by the driver, and by a shell script that runs the same tools in the same
# order, alternately, RUNS times each. Usage: driver_overhead.sh PRESSEL2_BUILD SAMPLE [RUNS]
set -euo pipefail
driver=$1
sample=$2
runs=${3:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/tool"
cp "$driver" "$work/tool/"

now() { date +%s%N; }
fresh() { rm -rf "$work/doc" && cp -r "$sample" "$work/doc"; }

driver_total=0
script_total=0
for _ in $(seq "$runs"); do
  fresh
  start=$(now)
  "$work/tool/pressel2-build" "$work/doc/main.tex" >"$work/driver.out" 2>&1 </dev/null
  driver_total=$((driver_total + $(now) - start))
  fresh
  start=$(now)
  (
    cd "$work/doc"
    for command in "platex main.tex" "platex main.tex" "mendex main" "platex main.tex" \
                   "platex main.tex" "pbibtex main" "platex main.tex" "platex main.tex"; do
      $command </dev/null >/dev/null 2>&1
    done
  )
  script_total=$((script_total + $(now) - start))
done
ran=$(grep -a -c '^コマンド : ' "$work/driver.out" || true)
awk -v d="$driver_total" -v s="$script_total" -v n="$runs" -v ran="$ran" 'BEGIN {
  printf "driver overhead: pressel2-build %.3f s, the same %d tools from a shell script %.3f s (mean of %d)\n",
         d / n / 1e9, ran, s / n / 1e9, n;
  printf "driver share of the total: %.2f %%\n", (d - s) / d * 100 }'
