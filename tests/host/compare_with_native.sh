#!/usr/bin/env bash
# Compares the Windows quillhost under Wine with the native one.
#   compare_with_native.sh info|process EMULATOR WIN_QUILLHOST NATIVE_QUILLHOST WORKDIR
# info:    both print the same record, texts and programs.
# process: both turn the same generated signal, with the width ramping over
#          the file and Center switching on halfway, into the same bits.
# Exits 77 (skipped) when the native build is missing or Wine cannot run.
set -u
mode=$1 emulator=$2 win_host=$3 native_host=$4 work=$5

if [ ! -x "$native_host" ]; then
  echo "no native quillhost at $native_host: build the native preset first" >&2
  exit 77
fi
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1

run_wine() {
  "$emulator" "$win_host" "$@"
  local status=$?
  [ $status -eq 77 ] && exit 77
  return $status
}

case $mode in
info)
  "$native_host" info >native.txt || { echo "native quillhost info failed" >&2; exit 1; }
  run_wine info >wine-crlf.txt || { echo "quillhost.exe info failed" >&2; exit 1; }
  tr -d '\r' <wine-crlf.txt >wine.txt
  diff -u native.txt wine.txt || { echo "info differs between the builds" >&2; exit 1; }
  echo "info output is the same in both builds ($(wc -l <native.txt) lines)"
  ;;
process)
  ramp=(--automate 0=0:1 --automate 2=0:1)
  "$native_host" gen-raw in.raw || exit 1
  "$native_host" process --raw in.raw native.raw "${ramp[@]}" || exit 1
  run_wine process --raw in.raw wine.raw "${ramp[@]}" || { echo "quillhost.exe process failed" >&2; exit 1; }
  cmp native.raw wine.raw || { echo "processed samples differ between the builds" >&2; exit 1; }
  echo "processed output is bit-identical in both builds ($(wc -c <native.raw) bytes)"
  ;;
*)
  echo "unknown mode $mode" >&2
  exit 2
  ;;
esac
