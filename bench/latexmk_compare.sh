#!/usr/bin/env bash
# The full build of a sample (to PDF, from a clean directory) by pressel2-build beside latexmk
# configured for platex, pbibtex, mendex and dvipdfmx: the runs of each tool and the seconds.
# Usage: latexmk_compare.sh PRESSEL2_BUILD SAMPLE
set -euo pipefail
driver=$1
sample=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/tool" "$work/wrappers"
cp "$driver" "$work/tool/"

# Wrappers first on the PATH count the runs of each tool.
for tool in platex pbibtex mendex dvipdfmx; do
  real=$(command -v "$tool")
  printf '#!/bin/sh\necho %s >>"%s/runs.log"\nexec %s "$@"\n' "$tool" "$work" "$real" \
    >"$work/wrappers/$tool"
  chmod +x "$work/wrappers/$tool"
done
export PATH="$work/wrappers:$PATH"
cat >"$work/latexmkrc" <<'RC'
$latex = 'platex %O %S';
$bibtex = 'pbibtex %O %B';
$makeindex = 'mendex %O -o %D %S';
$dvipdf = 'dvipdfmx %O -o %D %S';
$pdf_mode = 3;
RC

now() { date +%s%N; }
measure() {  # name command...
  local name=$1
  shift
  rm -rf "$work/doc" "$work/runs.log"
  cp -r "$sample" "$work/doc"
  local start
  start=$(now)
  (cd "$work/doc" && "$@" </dev/null >"$work/$name.out" 2>&1)
  local elapsed=$(($(now) - start))
  printf '| %-14s |' "$name"
  for tool in platex pbibtex mendex dvipdfmx; do
    printf ' %8s |' "$(grep -c "^$tool\$" "$work/runs.log" || true)"
  done
  awk -v e="$elapsed" 'BEGIN { printf " %7.2f |\n", e / 1e9 }'
}

echo "| build          |   platex |  pbibtex |   mendex | dvipdfmx | seconds |"
echo "|----------------|----------|----------|----------|----------|---------|"
measure pressel2-build "$work/tool/pressel2-build" --pdf main.tex
measure latexmk latexmk -r "$work/latexmkrc" main.tex
