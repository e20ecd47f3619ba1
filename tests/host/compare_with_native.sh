#!/usr/bin/env bash
# Compares the Windows quillhost under Wine with the native one.
#   compare_with_native.sh info|process|snapshot EMULATOR WIN_QUILLHOST NATIVE_QUILLHOST WORKDIR
# info:    both print the same record, texts and programs.
# process: both turn the same generated signal, with the width ramping over
#          the file and Center switching on halfway, into the same bits.
# snapshot: the editor opened in a real window by the real DLL shows the same
#          pixels as the native one for the same parameters; a real click on
#          the Inverse button swaps the markers as natively and reaches the
#          host as automation of parameter 1.
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
snapshot)
  set_up=(--param 0=0.3 --param 2=1)
  "$native_host" snapshot native.png "${set_up[@]}" >/dev/null || exit 1
  run_wine snapshot wine.png "${set_up[@]}" >/dev/null || { echo "quillhost.exe snapshot failed" >&2; exit 1; }
  cmp native.png wine.png || { echo "the editor's pixels differ between the builds" >&2; exit 1; }
  click=(--click 50,85) # the Inverse button
  "$native_host" snapshot native-click.png "${set_up[@]}" "${click[@]}" >/dev/null || exit 1
  run_wine snapshot wine-click.png "${set_up[@]}" "${click[@]}" >wine-crlf.txt ||
    { echo "quillhost.exe snapshot with a click failed" >&2; exit 1; }
  tr -d '\r' <wine-crlf.txt >wine.txt
  cmp -s wine.png wine-click.png && { echo "the click on Inverse changed nothing" >&2; exit 1; }
  cmp native-click.png wine-click.png || { echo "after the click the pixels differ between the builds" >&2; exit 1; }
  grep -Eq '^  1 Inverse +value 1\.000000' wine.txt || { echo "Inverse is not on after the click" >&2; exit 1; }
  grep -Eq '^  hostAutomate +index 1 value 0 opt 1\.000000$' wine.txt ||
    { cat wine.txt; echo "the host heard no automation of parameter 1" >&2; exit 1; }
  echo "the editor shows the same pixels in both builds, before and after a real click on Inverse"
  ;;
*)
  echo "unknown mode $mode" >&2
  exit 2
  ;;
esac
