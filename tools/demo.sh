#!/usr/bin/env bash
# Builds Tessark and starts it on the bundled demo installation. On the
# current display when there is one; otherwise under a virtual display,
# saving a screenshot to build/demo-screenshot.png.
set -eu
cd "$(dirname "$0")/.."
tools/deps.sh
cmake --preset mingw -G Ninja >/dev/null
cmake --build --preset mingw -j "$(nproc)"
demo=$PWD/build/mingw/demo
tools=$PWD/tools
run() { "$tools/wine-run" "$demo/Tessark.exe" "$@"; }

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "Starting Tessark on $DISPLAY ($demo)"
  cd "$demo" && run
  exit 0
fi

shot=$PWD/build/demo-screenshot.png
export DISPLAY=:93
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
(cd "$demo" && run) &
app=$!
# Wait for the main window, then give it a moment to paint.
for _ in $(seq 150); do xdotool search --name '^Tessark' >/dev/null 2>&1 && break; sleep 0.2; done
sleep 2
xwd -root -silent | convert xwd:- "$shot"
echo "No display: Tessark ran under Xvfb; screenshot saved to $shot"
WINEPREFIX=${WINEPREFIX:-$HOME/.cache/tessark/wine} wineserver -k 2>/dev/null || true
wait $app 2>/dev/null || true
