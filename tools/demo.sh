#!/usr/bin/env bash
# Builds Tessark and shows it on the bundled demo installation. On the
# current display when there is one; otherwise takes the guided tour of
# tools/demo-tour under a virtual display, saving one screenshot per step to
# build/demo/.
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

exec "$tools/demo-tour" "$PWD/build/mingw"
