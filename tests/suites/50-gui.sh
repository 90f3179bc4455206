# packages: cmake ninja-build g++ libcli11-dev googletest libgtest-dev git g++-mingw-w64-x86-64 wine64 xvfb x11-apps x11-utils imagemagick fonts-ipafont-gothic fonts-wine
# The dialog program larkfold.exe under Wine in an Xvfb of the suite's own,
# driven from outside by the Win32 driver of tests/gui; then the README's
# pictures of it, saved as build/windows/screenshots/*.png.
source "$(dirname "$0")/common.bash"
source tests/windows/wine_session.bash

if [[ ! -f build/windows/CMakeCache.txt ]]; then
  cmake --preset windows -DLARKFOLD_WARNINGS_AS_ERRORS="$warnings_as_errors"
fi
cmake --build --preset windows --target larkfold larkfold_gui_tests
if [[ ! -f build/release/CMakeCache.txt ]]; then
  cmake --preset release -DLARKFOLD_WARNINGS_AS_ERRORS="$warnings_as_errors"
fi
cmake --build --preset release --target larkfold-cli

# What the native tool makes of the example, for the dialog to match: each
# case is named SOURCE-CHANNELS-VOLUME-SPEED, as the driver reads it.
data=build/windows/gui-data
rm -rf "$data"
mkdir -p "$data"
for case in fm-6-120-0.95 pcm-3-80-1.05 pcm-5-100-1.0; do
  IFS=- read -r source channels volume speed <<<"$case"
  cp examples/crossing_partials.dat "$data/$case.dat"
  build/release/cli/larkfold convert -q --source "$source" --channels "$channels" \
    --volume "$volume" --speed "$speed" "$data/$case.dat" >/dev/null
  mv "$data/$case.voi" "$data/$case.expected.voi"
done

wine_session_start build/windows/wine display
export LARKFOLD_GUI_DATA="Z:$(realpath "$data" | tr / '\\')"
timeout 900 cmake/wine-run build/windows/wine build/windows/tests/gui/larkfold_gui_tests.exe \
  --gtest_output=xml:build/windows/gui-tests.xml
timeout 300 tests/gui/take_screenshots.sh build/windows/wine \
  build/windows/tests/gui/larkfold_gui_tests.exe build/windows/screenshots
