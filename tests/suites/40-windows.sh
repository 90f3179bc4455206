# packages: cmake ninja-build g++ libcli11-dev googletest libgtest-dev git g++-mingw-w64-x86-64 wine64 fonts-ipafont-gothic fonts-wine
# The Windows programs, cross-built with mingw-w64 into build/windows: the
# unit suite, the Windows platform tests and the checks of the executables
# run under Wine (the windows test preset), then the Windows command-line tool
# and the native one convert a corpus of DAT files and must agree byte for
# byte.
source "$(dirname "$0")/common.bash"
source tests/windows/wine_session.bash

# A fresh Wine prefix every time: nothing an earlier run left can matter.
rm -rf build/windows/wine build/windows/wine.lock
cmake --preset windows -DLARKFOLD_WARNINGS_AS_ERRORS="$warnings_as_errors"
cmake --build --preset windows
wine_session_start build/windows/wine
ctest --preset windows -j "$jobs"

# The native tool to compare with (the native suite builds the same one).
if [[ ! -f build/release/CMakeCache.txt ]]; then
  cmake --preset release -DLARKFOLD_WARNINGS_AS_ERRORS="$warnings_as_errors"
fi
cmake --build --preset release --target larkfold-cli
tests/windows/byte_parity.sh build/release/cli/larkfold build/windows/cli/larkfold-cli.exe \
  build/windows/wine build/windows/parity
tests/windows/interrupt.sh build/windows/cli/larkfold-cli.exe build/windows/wine \
  build/windows/interrupt
