#!/usr/bin/env bash
# Builds Tessark and runs every test: the OS-free core natively under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the Windows build
# (core and UI tests) under Wine on a virtual display, its release zip, the
# Windows build with the second compiler, clang, with a smoke test, and last
# the guided tour of the demo installation, which drives every tool as a user
# would. Compiler warnings are errors throughout.
set -eu
cd "$(dirname "$0")/.."
tools/deps.sh
jobs=$(nproc)

SECONDS=0
step() { echo "== $1 (at ${SECONDS} s)"; }
step "native core (ASan + UBSan)"
# The benchmarks are built once, by the Windows build below, which tools/bench.sh runs.
cmake --preset native -G Ninja -DTESSARK_WERROR=ON -DTESSARK_BENCHES=OFF >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

# The clang build runs at the lowest priority while the tests under Wine
# run, which leave most of the machine idle: they wait on windows and
# timers, one at a time.
clang_log=build/mingw-clang-build.log
start_clang_build() {
  # The Wine prefix of the first build serves the second: no second wineboot.
  if [ -f build/mingw/wine-build/system.reg ] && [ ! -e build/mingw-clang/wine-build ]; then
    # Once the build's own Wine server has written the registry and quit.
    WINEPREFIX=$PWD/build/mingw/wine-build wineserver -w
    mkdir -p build/mingw-clang && cp -a build/mingw/wine-build build/mingw-clang/wine-build
  fi
  cmake --preset mingw-clang -G Ninja -DTESSARK_WERROR=ON -DTESSARK_BENCHES=OFF >/dev/null
  # In a process group of its own, so that a failed test run stops all of it.
  setsid nice -n 19 cmake --build --preset mingw-clang -j "$jobs" >"$clang_log" 2>&1 &
  clang_build=$!
}
finish_clang_build() {
  if ! wait "$clang_build"; then
    clang_build=""
    tail -n 60 "$clang_log"
    echo "== the clang build failed (its whole output: $clang_log)"
    exit 1
  fi
  clang_build=""
  tail -n 1 "$clang_log"
}
trap '[ -n "${clang_build:-}" ] && kill -- -"$clang_build" 2>/dev/null; true' EXIT

step "Windows build under Wine"
cmake --preset mingw -G Ninja -DTESSARK_WERROR=ON >/dev/null
cmake --build --preset mingw -j "$jobs"
start_clang_build
ctest --preset mingw -j 1 --timeout 300

step "release zip"
cmake --build --preset mingw -j "$jobs" --target package
tools/check-release.sh build/mingw

step "Windows build with clang and lld (built during the tests under Wine)"
finish_clang_build
# Smoke test under Wine: the core tests, and the about box of the program
# built by clang with its version resource.
ctest --preset mingw-clang -j 1 --timeout 300 -L core
ctest --preset mingw-clang -j 1 --timeout 300 -R '^AboutBoxTest\.'

step "guided tour of the demo (screenshots in build/demo)"
tools/demo-tour build/mingw

echo "== all tests passed (${SECONDS} s)"
