#!/usr/bin/env bash
# Runs the PNG saving tests through the real window, keeping every PNG they
# write with the RAW of what it should hold, then has ImageMagick decode each
# PNG on the host: the pixels must be exactly the RAW's.
#   check_window_pngs.sh BUILD_DIR SOURCE_DIR UI_TESTS_EXE CONVERT
set -eu
build=$1 source=$2 tests=$3 convert=$4
kept=$build/png-check
rm -rf "$kept"
mkdir -p "$kept"
TESSARK_PNG_CHECK_DIR="Z:${kept//\//\\}" "$source/tools/wine-run" --build-dir "$build" "$tests" \
  --gtest_filter='PngSaveTest.*' --gtest_brief=1
checked=0
for png in "$kept"/*.png; do
  [ -e "$png" ] || break
  if ! "$convert" "$png" -depth 8 rgb:- | cmp -s - "${png%.png}.raw"; then
    echo "$png: ImageMagick reads other pixels than the picture saved" >&2
    exit 1
  fi
  checked=$((checked + 1))
done
echo "ImageMagick: $checked PNG file(s) saved through the window hold exactly the pictures shown"
[ "$checked" -ge 2 ]
