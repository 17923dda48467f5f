#!/usr/bin/env bash
# The Linux launcher (src/launcher/pressel2) where it must refuse to go on:
#  - the disk fills while it renews the user's copy of a program (RLIMIT_FSIZE stands in for a
#    full disk): the launch fails with a message and the old copy is left whole;
#  - a file whose name Windows cannot hold ("\" would even name another file) is refused with a
#    message before Wine starts.
# Usage: launcher_test.sh PRESSEL2_BUILD   (a native pressel2-build, the program to renew)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
driver=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAILED: $1" >&2
  exit 1
}

mkdir -p "$work/lib" "$work/bin" "$work/home"
cp "$driver" "$work/lib/pressel2-build"
for command in pressel2 pressel2-build; do ln -s "$root/src/launcher/pressel2" "$work/bin/$command"; done
printf '#!/bin/sh\necho old copy\n' >"$work/home/pressel2-build"
chmod +x "$work/home/pressel2-build"
export PRESSEL2_LIBDIR="$work/lib" PRESSEL2_HOME="$work/home" PRESSEL2_WINEPREFIX="$work/prefix"

echo "=== the launcher on a full disk"
status=0
(ulimit -f 64 && "$work/bin/pressel2-build" --version) >"$work/out" 2>"$work/err" || status=$?
[ "$status" = 1 ] || fail "exit status $status on a full disk"
grep -q "pressel2-build をコピーできません" "$work/err" || fail "no message: $(cat "$work/err")"
[ "$("$work/home/pressel2-build")" = "old copy" ] || fail "the user's copy was not left whole"
[ "$(ls -A "$work/home")" = pressel2-build ] || fail "left behind: $(ls -A "$work/home")"
[ "$("$work/bin/pressel2-build" --version)" = "$("$driver" --version)" ] ||
  fail "the copy was not renewed once there was room"

echo "=== a file name Windows cannot hold"
status=0
"$work/bin/pressel2" "$work/a\\b.tex" 2>"$work/err" || status=$?
[ "$status" = 1 ] || fail "exit status $status for a name with a backslash"
grep -q "は開けません" "$work/err" || fail "no message: $(cat "$work/err")"
[ ! -e "$work/prefix" ] || fail "Wine was started"
echo "launcher test: passed"
