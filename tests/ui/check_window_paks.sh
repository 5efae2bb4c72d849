#!/usr/bin/env bash
# Runs the logo export tests through the real window, keeping every .pak they
# write with its RAW, then has Python's own zlib check each pair: the "good_"
# ones must unpack to exactly their RAW, the "bad_" ones must be refused.
#   check_window_paks.sh BUILD_DIR SOURCE_DIR UI_TESTS_EXE
set -eu
build=$1 source=$2 tests=$3
kept=$build/pak-check
rm -rf "$kept"
mkdir -p "$kept"
TESSARK_PAK_CHECK_DIR="Z:${kept//\//\\}" "$source/tools/wine-run" --build-dir "$build" "$tests" \
  --gtest_filter='LogoExportTest.*' --gtest_brief=1
check="python3 $source/tests/tools/check_pak.py"
good=0 bad=0
for pak in "$kept"/good_*.pak; do
  [ -e "$pak" ] || break
  $check "$pak" "${pak%.pak}.raw"
  good=$((good + 1))
done
for pak in "$kept"/bad_*.pak; do
  [ -e "$pak" ] || break
  if $check "$pak" "${pak%.pak}.raw" 2>/dev/null; then
    echo "$pak: Python's zlib reads a .pak that should be damaged" >&2
    exit 1
  fi
  bad=$((bad + 1))
done
echo "Python's zlib: $good good .pak files unpack to their RAW, $bad damaged one(s) refused"
[ "$good" -ge 2 ] && [ "$bad" -ge 1 ]
