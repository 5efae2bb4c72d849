#!/usr/bin/env bash
# Runs the benchmarks of the Windows build under Wine on a virtual display and
# prints their figures (they are measurements, not tests).
#   bench.sh [script [MB] | copy]    (no argument: both)
set -eu
cd "$(dirname "$0")/.."
build=$PWD/build/mingw
cmake --build "$build" --target script_open_bench copy_bench | grep -E "error|warning" || true
tools/wine-session start "$build" 92 >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"; tools/wine-session stop "$build" 92' EXIT
run() { tools/wine-run --build-dir "$build" "$@"; }

which=${1:-all}
[ $# -gt 0 ] && shift

script_bench() {
  echo "== opening a ${1:-20} MB script, and find-next over all of it"
  run "$build/tests/bench/script_open_bench.exe" "$@"
}

best_cp() {  # best of three cp runs, in seconds
  local best=999 start end t
  for _ in 1 2 3; do
    rm -f "$work/cp-copy"
    start=$(date +%s.%N); cp "$1" "$work/cp-copy"; end=$(date +%s.%N)
    t=$(echo "$end - $start" | bc -l)
    best=$(echo "if ($t < $best) $t else $best" | bc -l)
  done
  echo "$best"
}

copy_bench() {
  echo "== copying a file: CopyOneFile beside cp, same files, page cache warm"
  for mib in 2 200; do
    source=$work/source-$mib
    head -c $((mib * 1024 * 1024)) /dev/urandom >"$source"
    cat "$source" >/dev/null
    t=$(best_cp "$source")
    printf "cp          %8.1f MiB: best of 3 %7.3f s = %7.1f MiB/s\n" "$mib" "$t" "$(echo "$mib / $t" | bc -l)"
    run "$build/tests/bench/copy_bench.exe" "Z:${source//\//\\}" "Z:${work//\//\\}\\tessark-copy" 3
    rm -f "$work/cp-copy" "$work/tessark-copy" "$source"
  done
}

case $which in
  script) script_bench "$@" ;;
  [0-9]*) script_bench "$which" "$@" ;;
  copy) copy_bench ;;
  all) script_bench "$@"; copy_bench ;;
  *) echo "usage: bench.sh [script [MB] | copy]" >&2; exit 2 ;;
esac
