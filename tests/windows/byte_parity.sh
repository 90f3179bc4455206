#!/usr/bin/env bash
# Converts a corpus of DAT files with the native command-line tool and with
# the Windows one under Wine, for both sources, every channel count and a
# spread of volumes and speeds, and compares every VOI byte for byte, and the
# messages and exit status of every run.
#
#   byte_parity.sh NATIVE_TOOL WINDOWS_TOOL WINE_PREFIX WORK_FOLDER
set -euo pipefail

if (($# != 4)); then
  echo "usage: byte_parity.sh NATIVE_TOOL WINDOWS_TOOL WINE_PREFIX WORK_FOLDER" >&2
  exit 2
fi
native="$(realpath "$1")"
windows="$(realpath "$2")"
prefix="$(realpath -m -- "$3")"
work="$4"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
wine_run="$root/cmake/wine-run"

rm -rf "$work"
mkdir -p "$work/corpus"
g++ -std=c++20 -O2 -o "$work/make_corpus" "$here/make_corpus.cpp"
"$work/make_corpus" "$work/corpus"
cp "$root/examples/crossing_partials.dat" "$root"/tests/data/fixtures/dat/*.dat "$work/corpus/"
mapfile -t files < <(cd "$work/corpus" && ls -- *.dat)

# Volume and speed as typed into the dialog: the bounds, ordinary values and
# texts that only their leading number counts in.
settings=("100 1.0" "20 0.9" "200 1.1" "137 0.95" "55 1.0625" "150.9 1.05x" "19 1.0" "100 0.89")

runs=0
compared=0
failures=0
fail() {
  echo "byte parity: $*" >&2
  failures=$((failures + 1))
}

# One conversion of the whole corpus by both tools with the same arguments.
compare_run() {
  local name="$1"
  shift
  local side
  for side in native windows; do
    mkdir -p "$work/$name/$side"
    cp -l "$work/corpus/"*.dat "$work/$name/$side/"
  done
  local status_native=0 status_windows=0
  (cd "$work/$name/native" && "$native" "$@" "${files[@]}") >"$work/$name/native.out" 2>&1 \
    || status_native=$?
  (cd "$work/$name/windows" && "$wine_run" "$prefix" "$windows" "$@" "${files[@]}") \
    >"$work/$name/windows.out" 2>&1 || status_windows=$?
  runs=$((runs + 1))

  ((status_native == status_windows)) \
    || fail "$name: exit status $status_native natively, $status_windows on Windows"
  tr -d '\r' <"$work/$name/windows.out" >"$work/$name/windows.txt"
  cmp -s "$work/$name/native.out" "$work/$name/windows.txt" \
    || fail "$name: the messages differ: $(diff "$work/$name/native.out" "$work/$name/windows.txt" | head -5)"

  local voi
  for voi in $(cd "$work/$name" && ls native/*.voi windows/*.voi 2>/dev/null | sed 's|^[a-z]*/||' | sort -u); do
    if [[ ! -f "$work/$name/native/$voi" || ! -f "$work/$name/windows/$voi" ]]; then
      fail "$name: $voi was written by one tool only"
    elif ! cmp -s "$work/$name/native/$voi" "$work/$name/windows/$voi"; then
      fail "$name: $voi differs: $(cmp "$work/$name/native/$voi" "$work/$name/windows/$voi" | head -1)"
    else
      compared=$((compared + 1))
    fi
  done
}

for source in fm pcm; do
  for channels in 3 4 5 6 7 8; do
    for pair in "${settings[@]}"; do
      read -r volume speed <<<"$pair"
      compare_run "$source-$channels-$volume-$speed" convert -q --source "$source" \
        -c "$channels" --volume "$volume" --speed "$speed"
    done
  done
done
# The reference search once, on every file, with the most channels.
compare_run "exhaustive-fm-8" convert -q --search exhaustive --source fm -c 8

echo "byte parity: $runs runs, $compared VOI files compared, $failures differences"
((failures == 0))
