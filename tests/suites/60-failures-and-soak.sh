# packages: cmake ninja-build g++ libcli11-dev googletest libgtest-dev git
# The failure matrix on its own, row by row, and the soak: 2000 conversions
# in one run of the release tool, with the tool's memory after the first
# hundred files and during the last. (The matrix also runs inside the native
# and sanitizer suites; here its rows are listed with their outcomes.)
source "$(dirname "$0")/common.bash"
cmake --preset release -DLARKFOLD_BUILD_TESTS=ON -DLARKFOLD_WARNINGS_AS_ERRORS="$warnings_as_errors"
cmake --build --preset release --target larkfold_e2e_tests larkfold_soak_test
build/release/tests/larkfold_e2e_tests --gtest_filter='Rows/FailureMatrix.*'
build/release/tests/larkfold_soak_test
