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
