#!/usr/bin/env bash
# Makes the TeX logs beside this script with this machine's TeX Live, from the small documents
# written here: the log reader's tests read them as TeX wrote them. Run it again after a TeX Live
# upgrade; the tests expect the places and messages of these documents, not the bytes of a version.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# An error in a chapter brought in with \include, another in a file whose name has a blank, and
# an undefined reference and citation (pLaTeX, UTF-8).
mkdir -p "$work/include/chapters"
cat >"$work/include/main.tex" <<'TEX'
\documentclass{jarticle}
\begin{document}
本文．\ref{nolabel}\cite{nokey}\ref{nolabel}
\include{chapters/chap2}
\input{"my part"}
\end{document}
TEX
cat >"$work/include/chapters/chap2.tex" <<'TEX'
\section{第二章}
これは第二章です．
\undefinedcommandinchapter
TEX
printf '空白のあるファイル．\n\\anotherundefined\n' >"$work/include/my part.tex"
(cd "$work/include" && platex -interaction=nonstopmode main.tex >/dev/null 2>&1 || true)
cp "$work/include/main.log" "$here/include-error.log"

# Lines TeX wrapped at 79 columns: a long file name, and a long Japanese message (pLaTeX, UTF-8).
mkdir -p "$work/wrapped/chapters"
long=a-rather-long-chapter-file-name-that-makes-the-log-wrap-somewhere-near-here
cat >"$work/wrapped/main.tex" <<TEX
\\documentclass{jarticle}
\\begin{document}
\\input{chapters/$long}
\\begin{定理環境でとても長い名前の環境を書いてみるとどうなるかを確かめるための文字列です}
あ
\\end{定理環境でとても長い名前の環境を書いてみるとどうなるかを確かめるための文字列です}
\\end{document}
TEX
printf '日本語の文章です．\\undefinedjapanese\n' >"$work/wrapped/chapters/$long.tex"
(cd "$work/wrapped" && platex -interaction=nonstopmode main.tex >/dev/null 2>&1 || true)
cp "$work/wrapped/main.log" "$here/wrapped.log"

# A Shift_JIS document and its Shift_JIS log, with Japanese in the message.
mkdir -p "$work/sjis"
printf '\\documentclass{jarticle}\n\\begin{document}\n本文です．\n\\begin{定理}\nあ\n\\end{定理}\n\\end{document}\n' |
  iconv -f UTF-8 -t CP932 >"$work/sjis/main.tex"
(cd "$work/sjis" && platex -kanji=sjis -interaction=nonstopmode main.tex >/dev/null 2>&1 || true)
cp "$work/sjis/main.log" "$here/sjis.log"

# TeX at its error prompt meets the end of its input, as a build without a terminal does: the
# emergency stop follows the error.
mkdir -p "$work/stop"
printf '\\documentclass{jarticle}\n\\begin{document}\nx\n\\undefinedcommand\n\\end{document}\n' \
  >"$work/stop/main.tex"
(cd "$work/stop" && platex main.tex </dev/null >/dev/null 2>&1 || true)
cp "$work/stop/main.log" "$here/emergency-stop.log"

# A first run that succeeds and asks for another (a label read back), in a file named with a blank.
mkdir -p "$work/success"
printf '\\documentclass{jarticle}\n\\begin{document}\n\\section{一}\\label{one}\n\\ref{one}\n\\end{document}\n' \
  >"$work/success/my paper.tex"
(cd "$work/success" && platex -interaction=nonstopmode "my paper.tex" >/dev/null 2>&1)
cp "$work/success/my paper.log" "$here/rerun.log"

# The wrapped Japanese message from LuaLaTeX and XeLaTeX, which count a line's width otherwise.
for engine in lualatex xelatex; do
  mkdir -p "$work/$engine"
  cat >"$work/$engine/main.tex" <<'TEX'
\documentclass{article}
\begin{document}
\begin{環境環境でとても長い名前の環境を書いてみるとどうなるかを確かめるための文字列ですよね本当に}
x
\end{環境環境でとても長い名前の環境を書いてみるとどうなるかを確かめるための文字列ですよね本当に}
\end{document}
TEX
  (cd "$work/$engine" && timeout 300 "$engine" -interaction=nonstopmode main.tex >/dev/null 2>&1 || true)
  cp "$work/$engine/main.log" "$here/$engine.log"
done
