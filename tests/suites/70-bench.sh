# packages: cmake ninja-build g++ libcli11-dev libbenchmark-dev
# The benchmarks build and run (briefly: no figure is judged here; see
# bench/whole_file_timing.sh and the README's performance section).
source "$(dirname "$0")/common.bash"
cmake --preset bench -DLARKFOLD_WARNINGS_AS_ERRORS="$warnings_as_errors" >/dev/null
cmake --build --preset bench
build/bench/bench/larkfold_solver_bench --benchmark_min_time=0.01 --benchmark_filter='fast|exhaustive/[3-6]/'
