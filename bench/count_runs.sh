# shellcheck shell=bash
# Sourced by the comparisons with latexmk: counts the runs of each tool.

# Wrappers of the given programs, put first on the PATH, that append the program's name to
# DIRECTORY/runs.log before running it.
count_runs() {  # directory program...
  local directory=$1 program real
  shift
  mkdir -p "$directory/wrappers"
  for program in "$@"; do
    real=$(command -v "$program")
    printf '#!/bin/sh\necho %s >>"%s/runs.log"\nexec %s "$@"\n' "$program" "$directory" \
      "$real" >"$directory/wrappers/$program"
    chmod +x "$directory/wrappers/$program"
  done
  export PATH="$directory/wrappers:$PATH"
}
