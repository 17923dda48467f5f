# Shared by the scripts: where things are, and how to run a Windows program under Wine.
# shellcheck shell=bash

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
native_build="$root/build/native"
release_build="$root/build/release"
win_build="$root/build/win"
jobs=2

export WINEDEBUG=-all
# No Mono or Gecko installer window may ever wait for an answer.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX="$root/build/wineprefix"

# A Windows program runs under Wine with the ANSI code page 932: "${wine_cmd[@]}" prog.exe ...
wine_cmd=(env LC_ALL=ja_JP.UTF-8 wine)

# The Windows form of an absolute Unix path, as Wine's drive Z: shows it (winepath would start a
# wineserver of its own).
windows_path() {
  printf 'Z:%s' "${1//\//\\}"
}

# Ends every Wine process of the prefix: a wineserver left from another display would give
# the next program no window. Never waits more than a minute for it.
wine_stop() {
  wineserver -k 2>/dev/null || true
  timeout 60 wineserver -w 2>/dev/null || true
}

# Creates the Wine prefix once. Its windows live on a virtual desktop that Wine draws itself,
# so that no window manager is needed (nor waited for) under Xvfb.
wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    LC_ALL=ja_JP.UTF-8 timeout 600 wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    timeout 120 wineserver -w
  fi
}

configure_native() {
  cmake -S "$root" -B "$native_build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPRESSEL2_SANITIZE=ON >/dev/null
}

configure_release() {
  cmake -S "$root" -B "$release_build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPRESSEL2_BENCH=ON \
    -DPRESSEL2_TESTS=ON >/dev/null
}

configure_win() {
  cmake -S "$root" -B "$win_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
}

# The installed layout the launcher (src/launcher/pressel2) expects, made of this tree's builds:
# build/wine-lib with pressel2.exe and bridge/pressel2-bridge (links, never stale copies). Needs
# the Windows build and the native release build.
wine_lib() {
  local lib="$root/build/wine-lib"
  mkdir -p "$lib/bridge"
  ln -sf "$win_build/bin/pressel2.exe" "$lib/pressel2.exe"
  ln -sf "$release_build/bin/pressel2-bridge" "$lib/bridge/pressel2-bridge"
  printf '%s' "$lib"
}

# The settings of the demos: the first-run defaults, and for DVI to PDF the paper from the class
# options and the Japanese fonts embedded (Harano Aji, from TeX Live), so that any PDF viewer
# shows the text.
demo_settings() {
  printf '%s\r\n' '[TeX2DVI]' 'IsUsingFormat=1' 'FormatFile=platex.fmt' 'IsAnalyze=1' \
    'MaxCompile=10' '[BibTeX]' 'WhichProgram=2' '[MakeIndex]' 'WhichProgram=2' '[DVI2PDF]' \
    'WhichProgram=2' 'WhichPaperSize=1' 'PaperSizeFromList=a4' 'Option=-f ptex-haranoaji.map'
}

# Waits (at most five minutes) until a condition holds.
wait_for() {
  for _ in $(seq 600); do
    if eval "$1"; then return 0; fi
    sleep 0.5
  done
  echo "gave up waiting for: $1" >&2
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
