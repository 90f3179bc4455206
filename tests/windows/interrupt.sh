#!/usr/bin/env bash
# Ctrl-C stops the Windows command-line tool under Wine (the signal reaches it
# as a console control event): the search ends at its next poll with
# "中止しました" and exit status 130, and the VOI already there stays as it was.
#
#   interrupt.sh WINDOWS_TOOL WINE_PREFIX WORK_FOLDER
set -euo pipefail

if (($# != 3)); then
  echo "usage: interrupt.sh WINDOWS_TOOL WINE_PREFIX WORK_FOLDER" >&2
  exit 2
fi
tool="$(realpath "$1")"
prefix="$(realpath -m -- "$2")"
work="$3"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
wine_run="$here/../../cmake/wine-run"

rm -rf "$work"
mkdir -p "$work"
g++ -std=c++20 -O2 -o "$work/make_corpus" "$here/make_corpus.cpp"
"$work/make_corpus" --long "$work/long.dat"
printf 'an older VOI file' >"$work/long.voi"

cd "$work"
"$wine_run" "$prefix" "$tool" convert --search exhaustive --channels 8 long.dat >out.txt 2>&1 &
tool_pid=$!
# Into the search (which lasts about 40 s): once the tool has used a second
# and a half of processor time, it is searching and watches for Ctrl-C.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$tool_pid/stat" 2>/dev/null || echo 0; }
waited=0
until (($(cpu_ticks) >= 150)); do
  if ! kill -0 "$tool_pid" 2>/dev/null || ((waited >= 300)); then
    echo "interrupt: the tool did not start searching: $(cat out.txt)" >&2
    exit 1
  fi
  sleep 0.1
  waited=$((waited + 1))
done
kill -INT "$tool_pid"
waited=0
while kill -0 "$tool_pid" 2>/dev/null && ((waited < 200)); do
  sleep 0.1
  waited=$((waited + 1))
done
if kill -0 "$tool_pid" 2>/dev/null; then
  kill -KILL "$tool_pid"
  echo "interrupt: the tool was still running 20 s after Ctrl-C" >&2
  exit 1
fi
status=0
wait "$tool_pid" || status=$?

failures=0
((status == 130)) || { echo "interrupt: exit status $status, not 130" >&2; failures=1; }
grep -q '中止しました' out.txt || { echo "interrupt: no 中止しました in: $(cat out.txt)" >&2; failures=1; }
[[ "$(cat long.voi)" == "an older VOI file" ]] || { echo "interrupt: the VOI was written" >&2; failures=1; }
if ls .larkfold-*.tmp >/dev/null 2>&1; then
  echo "interrupt: a temporary file was left" >&2
  failures=1
fi
((failures == 0)) && echo "interrupt: Ctrl-C stopped the Windows tool with 中止しました and status 130"
((failures == 0))
