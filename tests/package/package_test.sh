#!/usr/bin/env bash
# What users install, tried the way they use it:
#  - the Windows zip, unzipped: its program needs no DLL of ours, carries the CMake version and
#    the icon, and run under Wine writes its settings file beside itself;
#  - the launcher, where it must refuse to go on (launcher_test.sh);
#  - the Debian package, installed with apt: its pressel2-build makes an A4 PDF of a sample, and
#    its pressel2 (under Xvfb, for a user who never ran it) opens a chapter of the sample report
#    and builds the report. The window is saved to build/test-logs/package-window.png.
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib/common.sh"

version=$(sed -n 's/^project(Pressel2 VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
work=$(mktemp -d /tmp/pressel2-package.XXXXXX)
user_home="$work/home"
user_data="$user_home/.local/share/pressel2"

cleanup() {
  WINEPREFIX="$user_data/wineprefix" wineserver -k 2>/dev/null || true
  wine_stop
  $sudo apt-get remove -y -qq pressel2 >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $1" >&2
  exit 1
}

"$root/scripts/package"
"$root/tests/package/launcher_test.sh" "$root/build/package-native/bin/pressel2-build"

echo "=== the Windows zip"
unzip -q "$root/dist/pressel2-$version-win64.zip" -d "$work/zip"
app="$work/zip/pressel2-$version-win64"
grep -q "Copyright (c) 2026 The Pressel2 authors" "$app/LICENSE.txt" || fail "license text"
guide="$app/README-ja.txt"
[ "$(head -c 3 "$guide" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "guide without a byte order mark"
[ "$(tr -cd '\n' <"$guide" | wc -c)" = "$(grep -c $'\r$' "$guide")" ] || fail "guide with bare LF"
grep -q "Pressel2 $version" "$guide" || fail "guide without the version"
foreign=$(x86_64-w64-mingw32-objdump -p "$app/pressel2.exe" | sed -n 's/^\s*DLL Name: //p' |
    grep -v -i -x -E '(kernel32|user32|gdi32|comctl32|comdlg32|imm32|msvcrt|ole32|shell32|shlwapi)\.dll' || true)
[ -z "$foreign" ] || fail "pressel2.exe needs $foreign"
wine_prefix
info=$("${wine_cmd[@]}" "$win_build/bin/version-info.exe" "$(windows_path "$app/pressel2.exe")" | tr -d '\r')
echo "$info" | grep -q -x "ProductVersion: $version" || fail "version resource: $info"
echo "$info" | grep -q -x "FixedVersion: $version.0" || fail "fixed version: $info"
echo "$info" | grep -q -x "Icons: [1-9]" || fail "no icon: $info"
xvfb-run -a "${wine_cmd[@]}" "$app/pressel2.exe" &
wait_for '[ -s "$app/pressel2.ini" ]'
grep -q '^\[TeX2DVI\]' "$app/pressel2.ini" || fail "settings file without defaults"
wine_stop

echo "=== the user's guide"
guide_md="$root/docs/guide-ja.md"
# Every name the guide puts in 「」 (with … where the program puts a value) is one the program
# shows, and every picture it shows exists.
while IFS= read -r piece; do
  [ -z "$piece" ] || grep -rqF -- "$piece" "$root/src" || fail "the guide names 「$piece」, which the program never shows"
done < <(LC_ALL=C.UTF-8 grep -o '「[^「」]*」' "$guide_md" | sed 's/^「//; s/」$//; s/…/\n/g')
while IFS= read -r picture; do
  [ -f "$root/docs/$picture" ] || fail "the guide shows $picture, which does not exist"
done < <(LC_ALL=C.UTF-8 grep -o '](images/[^)]*)' "$guide_md" | sed 's/^](//; s/)$//')

echo "=== the Debian package"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
  "$root/dist/pressel2_${version}_amd64.deb" >/dev/null
[ "$(HOME="$user_home" pressel2-build --version)" = "pressel2-build $version" ] || fail "--version"
cp -r "$root/samples/report-utf8" "$work/headless"
(cd "$work/headless" && HOME="$user_home" pressel2-build --pdf main.tex </dev/null >"$work/headless.log" 2>&1) ||
  { cat "$work/headless.log"; fail "installed pressel2-build"; }
pdfinfo "$work/headless/main.pdf" | grep -q "^Page size:.*(A4)" || fail "the PDF is not A4"
[ -f "$user_data/pressel2-build.ini" ] || fail "no per-user settings for pressel2-build"
[ -f /usr/share/doc/pressel2/images/main-window.png ] || fail "the guide's pictures are not installed"

# The window, as a user starts it: the first start prepares the user's Wine prefix.
cp -r "$root/samples/report-utf8" "$work/window"
window_build() {
  pressel2 "$work/window/chapters/chap2.tex" &
  wait_for '[ -f "$work/window/main.dvi" ] && settled' &&
    xwd -root -silent | convert xwd:- "$root/build/test-logs/package-window.png"
  local built=$?
  WINEPREFIX="$HOME/.local/share/pressel2/wineprefix" wineserver -k
  return $built
}
export work root
mkdir -p "$root/build/test-logs"
HOME="$user_home" xvfb-run -a -s "-screen 0 1024x768x24" \
  bash -c "$(declare -f window_build wait_for settled tools_running); window_build" ||
  fail "the installed window did not build the report"
grep -q "Output written on main.dvi" "$work/window/main.log" || fail "no DVI written"
[ -f "$user_data/pressel2.ini" ] || fail "no per-user settings for the window"
echo "package test: passed"
