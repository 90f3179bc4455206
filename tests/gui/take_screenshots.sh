#!/usr/bin/env bash
# Takes the README's pictures of the dialog program under Wine: the main
# dialog, and a conversion's progress window showing its text. The GUI driver
# poses the program inside Wine's own virtual desktop, which draws window
# frames without a window manager; this script takes each picture from the X
# screen when the driver says it is ready.
#
#   take_screenshots.sh PREFIX DRIVER OUTPUT_FOLDER
# Needs DISPLAY (an X server such as Xvfb) and xwd, xwininfo and convert.
set -euo pipefail

if (($# != 3)); then
  echo "usage: take_screenshots.sh PREFIX DRIVER OUTPUT_FOLDER" >&2
  exit 2
fi
prefix="$1"
driver="$(realpath -- "$2")"
out="$(realpath -m -- "$3")"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
wine_run="$here/../../cmake/wine-run"
desktop=larkfold-screenshots

rm -rf "$out"
mkdir -p "$out"
export LARKFOLD_SCREENSHOTS="Z:${out//\//\\}"
"$wine_run" "$prefix" explorer "/desktop=$desktop,1024x600" "$driver" \
  --gtest_filter='Screenshots.*' >"$out/driver.log" 2>&1 &
driver_pid=$!

# Where the virtual desktop lies on the X screen.
origin() {
  xwininfo -name "$desktop - Wine desktop" 2>/dev/null \
    | sed -n 's/.*Absolute upper-left \([XY]\): *\(-\?[0-9]*\).*/\2/p' | tr '\n' ' '
}

status=0
for name in main-dialog progress-window; do
  waited=0
  until [[ -f "$out/$name.ready" ]]; do
    if ! kill -0 "$driver_pid" 2>/dev/null || ((waited >= 1200)); then
      echo "take_screenshots: the driver did not pose the $name (log: $out/driver.log)" >&2
      cat "$out/driver.log" >&2
      kill "$driver_pid" 2>/dev/null || true
      exit 1
    fi
    sleep 0.1
    waited=$((waited + 1))
  done
  read -r x y w h <"$out/$name.ready"
  read -r left top <<<"$(origin)"
  xwd -root -silent | convert xwd:- -crop "${w}x${h}+$((left + x))+$((top + y))" +repage \
    "$out/$name.png"
  echo "take_screenshots: $out/$name.png (${w}x${h})"
  touch "$out/$name.done"
done

wait "$driver_pid" || status=$?
if ((status != 0)); then
  cat "$out/driver.log" >&2
fi
exit "$status"
