#!/usr/bin/env bash
# Runs the benchmarks of the Windows build under Wine on a virtual display and
# prints their figures (they are measurements, not tests).
set -eu
cd "$(dirname "$0")/.."
build=$PWD/build/mingw
cmake --build "$build" --target script_open_bench | grep -E "error|warning" || true
tools/wine-session start "$build" 92 >/dev/null
trap 'tools/wine-session stop "$build" 92' EXIT
echo "== opening a ${1:-20} MB script, and find-next over all of it"
tools/wine-run --build-dir "$build" "$build/tests/bench/script_open_bench.exe" "$@"
