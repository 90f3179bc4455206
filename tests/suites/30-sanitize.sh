# packages: cmake ninja-build g++ libcli11-dev googletest libgtest-dev git
# The whole native unit and end-to-end suite again, built with AddressSanitizer
# and UndefinedBehaviorSanitizer (the sanitize preset): an access out of
# bounds, a leak or an undefined operation anywhere in the core, the platform
# or the tool ends the test that met it. The end-to-end tests run the
# sanitized tool. The solvers' agreement test checks fewer frames here. The
# preset silences -Warray-bounds and -Wmaybe-uninitialized, which GCC 12
# reports wrongly in std::sort and std::regex once the sanitizers instrument
# them; the release build keeps both on for the same sources.
source "$(dirname "$0")/common.bash"
cmake --preset sanitize -DLARKFOLD_BUILD_TESTS=ON -DLARKFOLD_WARNINGS_AS_ERRORS="$warnings_as_errors"
cmake --build --preset sanitize
ctest --preset sanitize -j "$jobs"
