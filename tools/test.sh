#!/usr/bin/env bash
# Builds Tessark and runs every test: the OS-free core natively under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the Windows build
# (core and UI tests) under Wine on a virtual display, and the guided tour of
# the demo installation, which drives every tool as a user would.
set -eu
cd "$(dirname "$0")/.."
tools/deps.sh
jobs=$(nproc)

echo "== native core (ASan + UBSan)"
cmake --preset native -G Ninja >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

echo "== Windows build under Wine"
cmake --preset mingw -G Ninja >/dev/null
cmake --build --preset mingw -j "$jobs"
ctest --preset mingw -j 1 --timeout 300

echo "== guided tour of the demo (screenshots in build/demo)"
tools/demo-tour build/mingw

echo "== all tests passed"
