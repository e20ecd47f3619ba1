#!/usr/bin/env bash
# Runs the scenario program under Wine and compares its output with that of
# the same program built natively against the stand-in.
# Usage: compare_with_native.sh WINE_RUN PROGRAM.exe NATIVE_PROGRAM [NAME]
# Exits 77 (skipped) when Wine cannot run or the native program is missing.
# Both outputs stay in the working directory (NAME.wine.txt and
# NAME.native.txt, NAME gdi_scenarios unless given); the Wine one is what
# the scenarios' record of Wine's output holds.
set -u
wine_run=$1
program=$2
native=$3
name=${4:-gdi_scenarios}
if [ ! -x "$native" ]; then
  echo "compare: $native is missing; build the native preset first" >&2
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$native" >"$name.native.txt" || { echo "compare: the native program failed" >&2; exit 1; }
runner=("$wine_run")
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
  runner=(xvfb-run -a "$wine_run")
fi
"${runner[@]}" "$program" >"$work/wine-raw.txt"
status=$?
[ $status -eq 77 ] && exit 77
if [ $status -ne 0 ]; then
  echo "compare: the program failed under Wine (exit $status)" >&2
  exit 1
fi
tr -d '\r' <"$work/wine-raw.txt" >"$name.wine.txt"
if ! diff -u --label wine "$name.wine.txt" --label stand-in "$name.native.txt"; then
  echo "compare: the stand-in differs from the real calls (lines marked +)" >&2
  exit 1
fi
echo "compare: $(grep -c '^#' "$name.wine.txt") scenario lines agree"
