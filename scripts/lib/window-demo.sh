#!/usr/bin/env bash
# The window demo proper (see scripts/demo): opens the report's chapter in pressel2.exe, waits
# for the build, asks for DVI->PDF from the menu, and waits for the PDF.
# Usage: window-demo.sh DEMO_DIRECTORY visible|screenshot
set -euo pipefail
source "$(dirname "$0")/common.sh"
demo=$1
mode=$2
report="$demo/report"

wine_stop
PRESSEL2_WINE_HOME="$demo/app" "$root/scripts/pressel2-wine" "$report/chapters/chap2.tex" &
window=$!

# Waits (at most five minutes) until a condition holds.
wait_for() {
  for _ in $(seq 600); do
    if eval "$1"; then return 0; fi
    sleep 0.5
  done
  echo "window demo: gave up waiting for: $1" >&2
  return 1
}
tools_running() {
  local tool
  for tool in platex pbibtex mendex dvipdfmx; do
    if pgrep -x "$tool" >/dev/null; then return 0; fi
  done
  return 1
}
# No TeX program for three seconds in a row: the build has settled.
settled() {
  for _ in 1 2 3 4 5 6; do
    if tools_running; then return 1; fi
    sleep 0.5
  done
}

echo "== pressel2.exe builds report/chapters/chap2.tex"
wait_for '[ -f "$report/main.dvi" ] && settled'
[ "$mode" = screenshot ] && xwd -root -silent | convert xwd:- "$report/window.png"
echo "== DVI->PDF from the menu"
"${wine_cmd[@]}" "$win_build/bin/post-command.exe" VELKARO_PRESSEL 1128
wait_for '[ -f "$report/main.pdf" ] && settled'
sleep 1
if [ "$mode" = screenshot ]; then
  xwd -root -silent | convert xwd:- "$report/window-pdf.png"
  wine_stop
else
  echo "The window stays open; close it to end the demo."
  wait "$window" || true
fi
