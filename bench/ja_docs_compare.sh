#!/usr/bin/env bash
# The Japanese documents of TeX Live's own documentation (Debian's texlive-*-doc packages under
# /usr/share/doc/texlive-doc), each copied with its directory into a scratch directory and built
# to PDF twice: by pressel2-build with its first-run defaults, and by latexmk configured by hand
# for the document's engine (and, for pLaTeX, its encoding). For each build: whether it made the
# PDF, the LaTeX runs, the seconds, and whether it left citations or an index undone (LaTeX's
# last log still finds undefined citations or asks for BibTeX or Biber, or an .idx has no .ind
# made after it). At the end, the totals over every document and over those both built.
# Debian's texlive-plain-generic, texlive-lang-cyrillic and latex-cjk-common, beyond what
# scripts/setup installs, let a few more of them build.
# Usage: ja_docs_compare.sh PRESSEL2_BUILD [DOCUMENT...]   (DOCUMENT: a path of the table below)
set -uo pipefail
driver=$1
shift
docs=/usr/share/doc/texlive-doc
limit=600  # seconds a build may take

# Each document, and the engine latexmk is configured for ("platex:sjis": pLaTeX told the
# source's encoding).
table=$(
  cat <<'TABLE'
uptex/uptex-base/samples/aozora-ujarticle-utf8.tex.gz uplatex
uptex/uptex-base/samples/aozora-ujbook-utf8.tex.gz uplatex
uptex/uptex-base/samples/aozora-ujreport-utf8.tex.gz uplatex
uptex/uptex-base/samples/aozora-utarticle-utf8.tex.gz uplatex
uptex/uptex-base/samples/aozora-utbook-utf8.tex.gz uplatex
uptex/uptex-base/samples/aozora-utreport-utf8.tex.gz uplatex
uptex/uptex-base/samples/sangoku-uplatex.tex.gz uplatex
uptex/uptex-base/samples/kinsoku-chk-utf8.tex uplatex
uptex/uptex-base/samples/misc-check-h-utf8.tex.gz uplatex
uptex/uptex-base/samples/misc-check-v-utf8.tex.gz uplatex
uptex/uptex-base/samples/set3-check-h-utf8.tex.gz uplatex
uptex/uptex-base/samples/jis_uni_variation.tex.gz uplatex
uptex/uptex-base/samples/otfsmpl-uplatex.tex.gz uplatex
uptex/uptex-base/samples/punctuation.tex.gz uplatex
uptex/uptex-base/samples/simple-euc.tex platex:euc
uptex/uptex-base/samples/simple-sjis.tex platex:sjis
uptex/uptex-base/samples/simple-jis.tex platex:jis
uptex/uptex-base/samples/simple-utf8.tex platex
uptex/uptex-base/samples/simple-u-utf8.tex uplatex
uptex/uptex-base/samples/jbib2-utf8.tex.gz uplatex
uptex/uptex-base/samples/jbib3-utf8.tex uplatex
uptex/uptex-base/samples/utfsmpl-uplatex.tex uplatex
uptex/uptex-base/samples/yaku-jsc-utf8.tex uplatex
uptex/uptex-base/samples/greek-uplatex.tex uplatex
uptex/uptex-base/samples/cjk_babel.tex.gz uplatex
latex/platex-tools/plarray.tex platex
latex/platex-tools/pldocverb.tex platex
latex/platex-tools/plextarray.tex.gz platex
latex/platex-tools/plextcolortbl.tex platex
latex/platex-tools/plextdelarray.tex.gz platex
latex/platex-tools/pxatbegshi.tex platex
latex/platex-tools/pxeverysel.tex platex
latex/platex-tools/pxeveryshi.tex platex
latex/platex-tools/pxftnright.tex platex
latex/platex-tools/pxmulticol.tex platex
latex/platex-tools/pxxspace.tex platex
fonts/ptex-fontmaps/examples/otf-sample-04.tex platex
fonts/ptex-fontmaps/examples/otf-sample.tex uplatex
fonts/ptex-fontmaps/examples/ptex-sample.tex uplatex
fonts/ptex-fontmaps/examples/series-compare.tex uplatex
fonts/japanese-otf/doc/test/brsgtest.tex platex:sjis
fonts/japanese-otf/doc/test/uplatex/direction-utf8.tex uplatex
fonts/japanese-otf/doc/test/uplatex/otfscale.tex platex
fonts/japanese-otf/doc/test/uplatex/upjis2004.tex uplatex
fonts/japanese-otf/doc/test/uplatex/upkanatest2.tex uplatex
fonts/japanese-otf/doc/test/uplatex/uotftest-utf8.tex.gz uplatex
fonts/japanese-otf/doc/test/uplatex/cjk-mltwght-h.tex.gz uplatex
latex/kanbun/kanbun-example.tex lualatex
latex/kanbun/kanbun.tex.gz lualatex
latex/platexcheat/platexsheet.tex.gz platex
latex/platexcheat/platexsheet-jsclasses.tex.gz platex
latex/platexcheat/sample.tex platex
latex/platexcheat/sample-jsclasses.tex platex
platex/pxchfon/pxchfon.tex.gz uplatex
platex/pxchfon/sample-2000jis.tex platex
platex/pxchfon/sample-2004jis.tex platex
platex/pxchfon/sample-pxchfon.tex platex
luatex/luatexja/lltjp-geometry.tex.gz lualatex
luatex/luatexja/luatexja-ruby.tex.gz lualatex
latex/zxjatype/example/example.tex.gz xelatex
latex/zxjafont/zxjafont.tex.gz xelatex
lualatex/japanese-mathformulas/japanese-mathformulas.tex.gz lualatex
lualatex/japanese-mathformulas/japanese-mathformulas-sample.tex.gz lualatex
latex/bxjscls/bxjscls-manual.tex.gz lualatex
texlive/texlive-ja/texlive-ja.tex.gz uplatex
support/mendex-doc/mendex.tex.gz platex
ptex/ptex-manual/ptex-manual.tex.gz platex
platex/pxrubrica/sample/test-sample.tex.gz platex
platex/pxrubrica/sample/test-sf.tex.gz platex:sjis
platex/pxrubrica/sample/test-toc.tex platex:sjis
latex/bxcjkjatype/sample-bxcjkjatype.tex pdflatex
latex/bxcjkjatype/sample-bxcjkjatype-beamer.tex pdflatex
generic/babel-japanese/babel-japanese-sample.tex pdflatex
latex/gentombow/gentombow-ja.tex.gz platex
platex/pxjahyper/pxjahyper.tex.gz uplatex
latex/bxjaholiday/bxjaholiday-ja.tex.gz uplatex
latex/endnotesj/endnotesj-ja.tex.gz platex
platex/jlreq-deluxe/jlreq-deluxe.tex platex
dvipdfmx/dvipdfmx.tex.gz xelatex
latex/bxwareki/bxwareki.tex.gz lualatex
luatex/chinese-jfm/chinese-jfm.tex.gz lualatex
TABLE
)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/tool"
cp "$driver" "$work/tool/pressel2-build"

# The LaTeX runs are counted.
source "$(dirname "$0")/count_runs.sh"
count_runs "$work" platex uplatex lualatex xelatex pdflatex

# latexmk's configuration for an engine ("platex:sjis" tells pLaTeX and its tools the encoding).
latexmkrc() {  # engine
  local engine=${1%%:*} kanji=${1#*:} latex_option='' bibtex_option='' index_option=-U
  if [ "$engine" = platex ]; then
    index_option=''
    if [ "$kanji" != platex ]; then
      latex_option=-kanji=$kanji bibtex_option=-kanji=$kanji
      index_option=$(case $kanji in sjis) echo -S ;; euc) echo -E ;; jis) echo -J ;; esac)
    fi
  fi
  echo "\$makeindex = 'mendex $index_option %O -o %D %S';"
  echo "\$dvipdf = 'dvipdfmx %O -o %D %S';"
  case $engine in
    platex | uplatex)
      echo "\$latex = '$engine $latex_option %O %S'; \$pdf_mode = 3;"
      echo "\$bibtex = '$( [ "$engine" = platex ] && echo pbibtex || echo upbibtex) $bibtex_option %O %B';"
      ;;
    lualatex) echo "\$pdf_mode = 4; \$bibtex = 'upbibtex %O %B';" ;;
    xelatex) echo "\$pdf_mode = 5; \$bibtex = 'upbibtex %O %B';" ;;
    pdflatex) echo "\$pdf_mode = 1;" ;;
  esac
}

# Whether a built document left citations or an index undone.
undone() {  # stem
  local stem=$1
  if [ -f "$stem.log" ] && grep -q -E 'There were undefined citations|Citation .* undefined|Please \(re\)run (Biber|BibTeX)' "$stem.log"; then
    echo citations
  elif [ -f "$stem.idx" ] && { [ ! -f "$stem.ind" ] || [ "$stem.ind" -ot "$stem.idx" ]; }; then
    echo index
  else
    echo -
  fi
}

now() { date +%s%N; }
totals_file="$work/totals"
: >"$totals_file"

# Builds a copy of the document's directory; prints "built runs seconds undone".
build() {  # by document engine
  local by=$1 document=$2 engine=$3 directory name stem start elapsed status
  directory="$work/$by"
  rm -rf "$directory"
  cp -r "$docs/$(dirname "$document")" "$directory"
  find "$directory" -name '*.gz' -exec gunzip -f {} + 2>/dev/null
  name=$(basename "${document%.gz}")
  stem=${name%.tex}
  : >"$work/runs.log"
  start=$(now)
  if [ "$by" = pressel2-build ]; then
    (cd "$directory" && timeout -s KILL "$limit" "$work/tool/pressel2-build" --pdf "$name")
  else
    latexmkrc "$engine" >"$work/latexmkrc"
    (cd "$directory" && timeout -s KILL "$limit" latexmk -r "$work/latexmkrc" "$name")
  fi </dev/null >"$work/$by.out" 2>&1
  status=$?
  elapsed=$(($(now) - start))
  local built=no
  [ $status -eq 0 ] && [ -f "$directory/$stem.pdf" ] && built=yes
  printf '%s %s %s %s\n' "$built" "$(wc -l <"$work/runs.log")" \
    "$(awk -v e="$elapsed" 'BEGIN { printf "%.1f", e / 1e9 }')" \
    "$( [ $built = yes ] && (cd "$directory" && undone "$stem") || echo -)"
}

printf '| %-58s | %-11s | %-28s | %-28s |\n' document engine "pressel2-build" latexmk
printf '| %-58s | %-11s | %-28s | %-28s |\n' "" "" "built  runs seconds undone" \
  "built  runs seconds undone"
printf '|%s|%s|%s|%s|\n' "$(printf -- '-%.0s' {1..60})" "$(printf -- '-%.0s' {1..13})" \
  "$(printf -- '-%.0s' {1..30})" "$(printf -- '-%.0s' {1..30})"
while read -r document engine; do
  [ -n "$document" ] || continue
  if [ $# -gt 0 ] && ! printf '%s\n' "$@" | grep -qxF "$document"; then continue; fi
  read -r p_built p_runs p_seconds p_undone < <(build pressel2-build "$document" "$engine")
  read -r l_built l_runs l_seconds l_undone < <(build latexmk "$document" "$engine")
  printf '| %-58s | %-11s | %-5s %5s %7s %-9s | %-5s %5s %7s %-9s |\n' "${document#*/}" \
    "$engine" "$p_built" "$p_runs" "$p_seconds" "$p_undone" "$l_built" "$l_runs" "$l_seconds" \
    "$l_undone"
  echo "$p_built $p_runs $p_seconds $p_undone $l_built $l_runs $l_seconds $l_undone" >>"$totals_file"
done <<<"$table"

awk '
  { n++
    if ($1 == "yes") { pb++; ps += $3 } if ($5 == "yes") { lb++; ls += $7 }
    if ($1 == "yes" && $4 != "-") pu++
    if ($5 == "yes" && $8 != "-") lu++
    if ($1 == "yes" && $5 == "yes") { both++; pr += $2; lr += $6; pbs += $3; lbs += $7 }
    if ($1 != "yes" && $5 == "yes") missed++ }
  END {
    printf "\n%d documents: pressel2-build built %d, latexmk built %d; ", n, pb, lb
    printf "built by latexmk but not by pressel2-build: %d\n", missed
    printf "built but citations or an index left undone: pressel2-build %d, latexmk %d\n", pu, lu
    printf "the %d built by both: LaTeX runs pressel2-build %d, latexmk %d; ", both, pr, lr
    printf "seconds pressel2-build %.1f, latexmk %.1f\n", pbs, lbs
  }' "$totals_file"
