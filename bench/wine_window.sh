#!/usr/bin/env bash
# Pressel2's window on Linux (under Wine, started by the launcher, its tools run through the
# bridge) beside the native driver, with this machine's TeX Live:
#  - one tool through the bridge: kpsewhich --version through the process runner under Wine and
#    natively (tool_run_time), RUNS times each;
#  - the sample report opened by one of its chapters: from the first tool's start to the last
#    tool's end in the window, beside the same in pressel2-build (wrappers first on the PATH note
#    when each tool starts and ends);
#  - from starting `pressel2` with the chapter to the first tool's start.
# The window is started once with no Wine server running, then three times with the server the
# launcher keeps; the driver runs three times. The figures are the medians of three.
# Usage: wine_window.sh WINDOWS_BIN NATIVE_BIN LIBDIR [RUNS]
#   WINDOWS_BIN  bin of the Windows build (tool_run_time.exe)
#   NATIVE_BIN   bin of the native release build (pressel2-build, tool_run_time)
#   LIBDIR       the launcher's programs (pressel2.exe, bridge/pressel2-bridge)
set -euo pipefail
source "$(dirname "$0")/../scripts/lib/common.sh"
windows_bin=$1
native_bin=$2
lib=$3
runs=${4:-20}
work=$(mktemp -d)
trap 'wine_stop; rm -rf "$work"' EXIT

echo "== one tool through the bridge (kpsewhich --version, $runs runs)"
native=$("$native_bin/tool_run_time" "$runs" kpsewhich --version)
wine_stop
bridged=$(WINEPATH="$(windows_path "$lib/bridge")" timeout 300 "${wine_cmd[@]}" \
  "$windows_bin/tool_run_time.exe" "$runs" kpsewhich --version | tr -d '\r')
wine_stop
echo "natively:           $native"
echo "through the bridge: $bridged"

mkdir -p "$work/wrappers" "$work/home" "$work/driver"
for tool in platex pbibtex mendex; do
  printf '#!/bin/sh\nstart=$(date +%%s%%N)\n%s "$@"\nstatus=$?\necho "%s $start $(date +%%s%%N)" >>"$TOOL_LOG"\nexit $status\n' \
    "$(command -v "$tool")" "$tool" >"$work/wrappers/$tool"
  chmod +x "$work/wrappers/$tool"
done
export PATH="$work/wrappers:$PATH"
cp "$native_bin/pressel2-build" "$work/driver/"
demo_settings >"$work/driver/pressel2-build.ini"
demo_settings >"$work/home/pressel2.ini"

# A tool log's count of tools, seconds from the first start to the last end, and first start.
span() {  # log
  awk '{ if (!first || $2 < first) first = $2; if ($3 > last) last = $3; n++ }
       END { printf "%d %.3f %.0f\n", n, (last - first) / 1e9, first }' "$1"
}
median() {
  sort -n | sed -n 2p
}

for run in 1 2 3; do
  rm -rf "$work/doc"
  cp -r "$root/samples/report-utf8" "$work/doc"
  (cd "$work/doc" && TOOL_LOG="$work/driver-$run.log" "$work/driver/pressel2-build" \
    chapters/chap2.tex </dev/null >/dev/null 2>&1)
done
tools=$(span "$work/driver-1.log" | cut -d' ' -f1)
driver_seconds=$(for run in 1 2 3; do span "$work/driver-$run.log" | cut -d' ' -f2; done | median)

# One start of the window on a fresh copy of the report: waits (at most five minutes) until as
# many tools as the driver ran have ended, then closes the window. Writes the tool log's count
# of tools, span and first start, and the time the window was started.
window_run() {  # name
  cp -r "$root/samples/report-utf8" "$work/$1"
  export TOOL_LOG="$work/$1.log"
  local start window ended=()
  start=$(date +%s%N)
  PRESSEL2_LIBDIR="$lib" PRESSEL2_HOME="$work/home" PRESSEL2_WINEPREFIX="$WINEPREFIX" \
    "$root/src/launcher/pressel2" "$work/$1/chapters/chap2.tex" >"$work/$1.out" 2>&1 &
  window=$!
  for _ in $(seq 600); do
    sleep 0.5
    mapfile -t ended 2>/dev/null <"$TOOL_LOG" || true
    [ "${#ended[@]}" -ge "$tools" ] && break
  done
  kill "$window"
  wait "$window" || true
  echo "$(span "$TOOL_LOG") $start" >"$work/$1.txt"
}
declare -f window_run span >"$work/functions.sh"
export work root lib tools
wine_stop
xvfb-run -a -s "-screen 0 1024x768x24" bash -c "source '$work/functions.sh'
  for run in cold 1 2 3; do window_run \$run; done"

started() {  # run: seconds from the window's start to the first tool's start
  awk '{ printf "%.3f\n", ($3 - $4) / 1e9 }' "$work/$1.txt"
}
window_seconds=$(for run in 1 2 3; do cut -d' ' -f2 "$work/$run.txt"; done | median)
first_tool=$(for run in 1 2 3; do started "$run"; done | median)
read -r window_tools cold_seconds _ <"$work/cold.txt"

echo
echo "== the sample report, chapters/chap2.tex opened"
printf 'pressel2-build: %d tools, %.2f s from the first start to the last end\n' "$tools" "$driver_seconds"
printf 'the window:     %d tools, %.2f s (Wine'"'"'s server running; %.2f s on the first start)\n' \
  "$window_tools" "$window_seconds" "$cold_seconds"
printf 'from starting pressel2 to the first tool: %.2f s (%.2f s on the first start)\n' \
  "$first_tool" "$(started cold)"

echo
echo "== summary (each figure beside its goal)"
awk -v n="$native" -v b="$bridged" -v d="$driver_seconds" -v w="$window_seconds" \
    -v f="$first_tool" 'BEGIN {
  split(n, native, " "); split(b, bridged, " ");
  printf "%-34s %+7.1f ms  goal <= +50 ms\n", "one tool through the bridge", bridged[5] - native[5];
  printf "%-34s %7.2f     goal <= 1.5\n", "window build / pressel2-build", w / d;
  printf "%-34s %7.2f s   goal <= 2 s\n", "pressel2 started to first tool", f }'
