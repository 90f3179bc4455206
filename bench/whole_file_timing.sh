#!/usr/bin/env bash
# Times whole conversions, process start to exit, of the largest file the
# converter accepts (35999 frames, 8 channels) with both searches in one run,
# checks that they write the same file, and prints the figures and the ratio.
#
#   bench/whole_file_timing.sh [fast runs]       (default 30)
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-30}"

cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null
tool=build/bench/cli/larkfold
work=build/bench/timing
mkdir -p "$work"
build/bench/bench/larkfold-make-large-dat "$work/largest.dat"

# One conversion: prints "wall-seconds cpu-seconds".
timed() {
  /usr/bin/time -f '%e %U %S' "$tool" convert "$work/largest.dat" --channels 8 --quiet "$@" 2>&1 >/dev/null |
    tail -1 | awk '{ printf "%s %.3f\n", $1, $2 + $3 }'
}

wall=() cpu=()
for ((i = 0; i < runs; ++i)); do
  read -r w c < <(timed --search fast)
  wall+=("$w") cpu+=("$c")
done
cp "$work/largest.voi" "$work/fast.voi"
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
fastWall=$(median "${wall[@]}")
fastCpu=$(median "${cpu[@]}")
fastBest=$(printf '%s\n' "${wall[@]}" | sort -g | head -1)

read -r exhaustiveWall exhaustiveCpu < <(timed --search exhaustive)

cmp -s "$work/largest.voi" "$work/fast.voi" || { echo "the two searches wrote different files" >&2; exit 1; }
peak=$( { /usr/bin/time -f '%M' "$tool" convert "$work/largest.dat" --channels 8 --quiet >/dev/null; } 2>&1 | tail -1 )

awk -v fw="$fastWall" -v fc="$fastCpu" -v fb="$fastBest" -v ew="$exhaustiveWall" -v ec="$exhaustiveCpu" \
    -v runs="$runs" -v peak="$peak" 'BEGIN {
  printf "largest file (35999 frames, 8 channels), the same VOI from both searches\n"
  printf "  fast search, whole conversion: median %.0f ms wall (best %.0f ms), %.0f ms CPU, %d runs\n", fw * 1000, fb * 1000, fc * 1000, runs
  printf "  exhaustive search, whole conversion: %.1f s wall, %.1f s CPU\n", ew, ec
  printf "  ratio exhaustive / fast: %.0f by wall-clock time, %.0f by CPU time\n", ew / fw, ec / (fc > 0 ? fc : 0.005)
  printf "  peak resident memory of a fast conversion: %d KiB\n", peak
}'
