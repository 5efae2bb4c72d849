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

step "Windows build under Wine"
cmake --preset mingw -G Ninja -DTESSARK_WERROR=ON >/dev/null
cmake --build --preset mingw -j "$jobs"
ctest --preset mingw -j 1 --timeout 300

step "release zip"
cmake --build --preset mingw -j "$jobs" --target package
tools/check-release.sh build/mingw

step "Windows build with clang and lld"
# The Wine prefix of the first build serves the second: no second wineboot.
if [ -f build/mingw/wine-build/system.reg ] && [ ! -e build/mingw-clang/wine-build ]; then
  mkdir -p build/mingw-clang && cp -a build/mingw/wine-build build/mingw-clang/wine-build
fi
cmake --preset mingw-clang -G Ninja -DTESSARK_WERROR=ON -DTESSARK_BENCHES=OFF >/dev/null
cmake --build --preset mingw-clang -j "$jobs"
# Smoke test under Wine: the core tests, and the about box of the program
# built by clang with its version resource.
ctest --preset mingw-clang -j 1 --timeout 300 -L core
ctest --preset mingw-clang -j 1 --timeout 300 -R '^AboutBoxTest\.'

step "guided tour of the demo (screenshots in build/demo)"
tools/demo-tour build/mingw

echo "== all tests passed (${SECONDS} s)"
