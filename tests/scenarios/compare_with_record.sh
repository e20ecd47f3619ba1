#!/usr/bin/env bash
# Compares the native scenario program's output with the recorded output of
# the same program under Wine.
# Usage: compare_with_record.sh NATIVE_PROGRAM RECORD
# The record is the Wine output that the win32 build's comparison leaves in
# build/win32/tests/scenarios/NAME.wine.txt.
set -u
actual=$(mktemp)
trap 'rm -f "$actual"' EXIT
"$1" >"$actual" || { echo "compare: the program failed" >&2; exit 1; }
if ! diff -u --label wine "$2" --label stand-in "$actual"; then
  echo "compare: the stand-in differs from the recorded real calls (lines marked +)" >&2
  exit 1
fi
