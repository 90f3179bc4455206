# packages: cmake ninja-build clang libclang-rt-14-dev libcli11-dev git
# The libFuzzer targets of fuzz/, built with clang and the sanitizers: first
# every committed regression input of a target, then the target itself for
# fuzz_seconds, growing a working corpus under build/fuzz/corpus from the
# committed seeds. A finding fails the suite and leaves its input under
# build/fuzz/findings/TARGET/; commit it to fuzz/regressions/TARGET/ with the fix.
source "$(dirname "$0")/common.bash"

# Seconds each target runs (LARKFOLD_FUZZ_SECONDS overrides).
if [[ "${CI:-}" == "true" ]]; then default_seconds=60; else default_seconds=10; fi
fuzz_seconds="${LARKFOLD_FUZZ_SECONDS:-$default_seconds}"

cmake --preset fuzz -DLARKFOLD_WARNINGS_AS_ERRORS="$warnings_as_errors"
cmake --build --preset fuzz

build=build/fuzz
# The longest input of each target: a conversion of up to 312 frames, two
# frames of eight channels for the solvers, a long line of text.
declare -A max_len=([conversion]=20000 [solver]=128 [number_readers]=512 [path_rules]=512)

failed=()
for target in conversion solver number_readers path_rules; do
  fuzzer="$build/fuzz/${target}_fuzzer"
  work="$build/corpus/$target"
  findings="$build/findings/$target"
  log="$build/$target.log"
  mkdir -p "$work" "$findings"

  shopt -s nullglob
  regressions=(fuzz/regressions/"$target"/*)
  shopt -u nullglob
  if ((${#regressions[@]})); then
    if ! "$fuzzer" "${regressions[@]}" >"$log" 2>&1; then
      tail -n 30 "$log"
      echo "$target: a committed regression input fails again"
      failed+=("$target")
      continue
    fi
    echo "$target: ${#regressions[@]} regression inputs pass"
  fi

  if "$fuzzer" -max_total_time="$fuzz_seconds" -max_len="${max_len[$target]}" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" \
    "$work" "fuzz/corpus/$target" >"$log" 2>&1; then
    executions="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
    echo "$target: ${executions:-?} executions in $fuzz_seconds s, no finding ($(ls "$work" | wc -l) inputs in the corpus)"
  else
    tail -n 40 "$log"
    echo "$target: FINDING, kept in $findings/:"
    ls -l "$findings"
    failed+=("$target")
  fi
done

if ((${#failed[@]})); then
  echo "fuzz targets with findings: ${failed[*]}"
  exit 1
fi
