#!/usr/bin/env bash
# pressel2-build beside latexmk, both configured for the same tools (platex, pbibtex, mendex and
# dvipdfmx, with the options of the sample's encoding), building a sample to PDF: from a clean
# directory, again unchanged, after a title in the .bib file was changed, and after an \index
# entry was added. For each build, the runs of each tool, the seconds, and whether the edit
# reached the output; at the end, whether the result is a fixed point: one more platex, mendex
# and pbibtex cycle changes no .aux, .ind or .bbl file.
# Usage: latexmk_compare.sh PRESSEL2_BUILD SAMPLE_DIRECTORY...
set -euo pipefail
driver=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/tool"
cp "$driver" "$work/tool/"

tools=(platex pbibtex mendex dvipdfmx)
source "$(dirname "$0")/count_runs.sh"
count_runs "$work" "${tools[@]}"

# What each sample needs: its root file, the chapter that gets the new \index entry ("-" for a
# document without an index), and the options of platex, pbibtex and mendex for its encoding.
configure() {
  case $(basename "$1") in
    report-utf8) root=main.tex chapter=chap1.tex latex_option='' bibtex_option='' index_option='' ;;
    report-sjis)
      root=main.tex chapter=chap1.tex latex_option=-kanji=sjis bibtex_option=-kanji=sjis
      index_option=-S
      ;;
    article-euc) root=paper.tex chapter=- latex_option=-kanji=euc bibtex_option='' index_option='' ;;
    book-utf8)
      root=main.tex chapter=chapters/indexing.tex latex_option='' bibtex_option='' index_option=''
      ;;
    *)
      echo "latexmk_compare.sh: no configuration for $1" >&2
      exit 2
      ;;
  esac
  stem=${root%.tex}
  # The first-run defaults of the settings that a build to PDF reads, with the options.
  printf '%s\r\n' '[TeX2DVI]' 'IsUsingFormat=1' 'FormatFile=platex.fmt' 'IsAnalyze=1' \
    'MaxCompile=10' "Option=$latex_option" '[BibTeX]' 'WhichProgram=2' "Option=$bibtex_option" \
    '[MakeIndex]' 'WhichProgram=2' "Option=$index_option" '[DVI2PDF]' 'WhichProgram=2' \
    'PaperSizeFromList=a4' >"$work/tool/pressel2-build.ini"
  cat >"$work/latexmkrc" <<RC
\$latex = 'platex $latex_option %O %S';
\$bibtex = 'pbibtex $bibtex_option %O %B';
\$makeindex = 'mendex $index_option %O -o %D %S';
\$dvipdf = 'dvipdfmx %O -o %D %S';
\$pdf_mode = 3;
RC
}

build() {  # pressel2-build | latexmk, in $work/$1
  if [ "$1" = pressel2-build ]; then
    "$work/tool/pressel2-build" --pdf "$root"
  else
    latexmk -r "$work/latexmkrc" "$root"
  fi
}

now() { date +%s%N; }
measure() {  # case, tool, test of the result (run in the document's directory)
  local start elapsed
  : >"$work/runs.log"
  start=$(now)
  (cd "$work/$2" && build "$2" </dev/null >>"$work/$2.out" 2>&1) || true
  elapsed=$(($(now) - start))
  printf '| %-14s | %-14s |' "$1" "$2"
  for tool in "${tools[@]}"; do
    printf ' %8s |' "$(grep -c "^$tool\$" "$work/runs.log" || true)"
  done
  awk -v e="$elapsed" 'BEGIN { printf " %7.2f |", e / 1e9 }'
  if [ -z "$3" ]; then
    echo "            |"
  elif (cd "$work/$2" && eval "$3"); then
    echo " yes        |"
  else
    echo " NO         |"
  fi
}

# The digests of what a cycle of the tools writes, over every directory of the document.
digests() {
  find . \( -name '*.aux' -o -name '*.ind' -o -name '*.bbl' \) -print0 | sort -z |
    xargs -0 md5sum
}
fixed_point() {  # tool
  local before after
  before=$(cd "$work/$1" && digests)
  (
    cd "$work/$1"
    # shellcheck disable=SC2086  # the options are words
    platex $latex_option -interaction=batchmode "$root"
    if [ -f "$stem.idx" ]; then mendex $index_option "$stem"; fi
    if grep -q '^\\bibdata' "$stem.aux"; then pbibtex $bibtex_option "$stem"; fi
  ) </dev/null >/dev/null 2>&1 || true
  after=$(cd "$work/$1" && digests)
  printf '| %-14s | %-14s | one more platex, mendex and pbibtex cycle changes nothing: %-4s |\n' \
    "fixed point" "$1" "$([ "$before" = "$after" ] && echo yes || echo NO)"
}

for sample in "$@"; do
  configure "$sample"
  echo
  echo "== $(basename "$sample")"
  echo "| build          | by             |   platex |  pbibtex |   mendex | dvipdfmx | seconds | up to date |"
  echo "|----------------|----------------|----------|----------|----------|----------|---------|------------|"
  for tool in pressel2-build latexmk; do
    rm -rf "${work:?}/$tool"
    cp -r "$sample" "$work/$tool"
  done
  for tool in pressel2-build latexmk; do
    measure "from clean" "$tool" ""
  done
  for tool in pressel2-build latexmk; do
    measure "unchanged" "$tool" ""
  done
  if [ -f "$work/pressel2-build/refs.bib" ]; then
    for tool in pressel2-build latexmk; do
      # The first title of the database gets a new word in front, which the .bbl must show.
      sed -i '0,/title *= *{/s//title = {Revised /' "$work/$tool/refs.bib"
      measure ".bib edited" "$tool" "grep -q Revised '$stem.bbl'"
    done
  fi
  if [ "$chapter" != - ]; then
    for tool in pressel2-build latexmk; do
      printf '%s\n' '\index{Pressel2}' >>"$work/$tool/$chapter"
      measure "\\index added" "$tool" "grep -q Pressel2 '$stem.ind'"
    done
  fi
  for tool in pressel2-build latexmk; do
    fixed_point "$tool"
  done
done
