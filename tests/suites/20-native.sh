# packages: cmake ninja-build g++ libcli11-dev googletest libgtest-dev git libcairo2-dev pkg-config
# The native release build: unit tests of the core, platform tests, and the
# end-to-end tests of the command-line tool.
source "$(dirname "$0")/common.bash"
cmake --preset release -DLARKFOLD_BUILD_TESTS=ON -DLARKFOLD_WARNINGS_AS_ERRORS="$warnings_as_errors"
cmake --build --preset release
ctest --preset release -j "$jobs"
