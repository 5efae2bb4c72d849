#!/usr/bin/env bash
# Runs the benchmarks of the Windows build under Wine on a virtual display and
# prints their figures (they are measurements, not tests).
#   bench.sh [script [MB] | copy | image | fit | sounds | convert | pak | check | compile | lexer]    (no argument: all)
set -eu
cd "$(dirname "$0")/.."
build=$PWD/build/mingw
cmake --build "$build" --target script_open_bench copy_bench sound_list_bench script_check_bench picture_open_bench | grep -E "error|warning" || true
# TESSARK_BENCH_DISPLAY picks the virtual display, so that runs beside other jobs keep apart.
display=${TESSARK_BENCH_DISPLAY:-92}
tools/wine-session start "$build" "$display" >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"; tools/wine-session stop "$build" "$display"' EXIT
run() { tools/wine-run --build-dir "$build" "$@"; }

which=${1:-all}
[ $# -gt 0 ] && shift

script_bench() {
  echo "== opening a ${1:-20} MB script, and find-next over all of it"
  run "$build/tests/bench/script_open_bench.exe" "$@"
}

best_of_5_ms() {  # the best of five runs of a command, its output dropped, in milliseconds
  local best=999 start end t
  for _ in 1 2 3 4 5; do
    start=$(date +%s.%N); "$@" >/dev/null; end=$(date +%s.%N)
    t=$(echo "$end - $start" | bc -l)
    best=$(echo "if ($t < $best) $t else $best" | bc -l)
  done
  echo "$best * 1000" | bc -l
}

# Builds a benchmark of the plain C++ core natively, optimised; prints its path.
native_bench() {
  local native=$PWD/build/bench-native
  cmake -S . -B "$native" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$native" --target "$1" | grep -E "error|warning" >&2 || true
  echo "$native/tests/bench/$1"
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

# The codec is plain C++: measured natively, optimised, beside ImageMagick.
image_bench() {
  echo "== a 1024 x 1024 picture, BMP to RAW and RAW to picture: our codec beside convert (best of 5)"
  "$(native_bench image_codec_bench)" "$work" 5
  printf "convert BMP -> RAW file    %8.2f ms\n" "$(best_of_5_ms convert "$work/in.bmp" -depth 8 "rgb:$work/convert.raw")"
  printf "convert RAW file -> BMP    %8.2f ms\n" \
    "$(best_of_5_ms convert -size 1024x1024 -depth 8 "rgb:$work/in.raw" "$work/convert.bmp")"
  cmp -s "$work/ours.raw" "$work/convert.raw" && echo "both RAW files are the same bytes" || echo "the RAW files DIFFER"
}

# The fitting is plain C++: measured natively, optimised, beside ImageMagick
# resizing the same picture, in linear light as ours does and as it does by default.
fit_bench() {
  echo "== a 4000 x 3000 picture fitted to 512 x 256: ours beside convert -resize (best of 5)"
  local bench
  bench=$(native_bench picture_fit_bench)
  "$bench" "$work" 5
  printf "convert, reading the PPM only          %8.2f ms\n" "$(best_of_5_ms convert "$work/in.ppm" null:)"
  printf "convert -resize, linear light, Lanczos %8.2f ms\n" "$(best_of_5_ms convert "$work/in.ppm" -colorspace RGB \
    -filter Lanczos -resize '512x256!' -colorspace sRGB -depth 8 "$work/convert.ppm")"
  printf "convert -resize, its default           %8.2f ms\n" "$(best_of_5_ms convert "$work/in.ppm" -resize '512x256!' \
    "$work/convert-default.ppm")"
  "$bench" --psnr "$work/ours.ppm" "$work/convert.ppm"
  echo "== the same picture as a 4000 x 3000 JPEG, opened and fitted: the Windows build under Wine beside convert"
  convert "$work/in.ppm" -quality 90 "$work/big.jpg"
  run "$build/tests/bench/picture_open_bench.exe" "Z:${work//\//\\}\\big.jpg" 5
  printf "convert, reading the JPEG only         %8.2f ms\n" "$(best_of_5_ms convert "$work/big.jpg" null:)"
  printf "convert big.jpg -resize 512x256!       %8.2f ms\n" \
    "$(best_of_5_ms convert "$work/big.jpg" -resize '512x256!' "$work/convert-jpeg.ppm")"
}

sounds_bench() {
  echo "== listing a folder of 5000 WAV files in the sound area and picking one, beside ls"
  local folder=$work/sons
  mkdir -p "$folder"
  run "$build/tests/bench/sound_list_bench.exe" "Z:${folder//\//\\}" 5000
  printf "ls of the same folder: best of 5 %.1f ms\n" "$(best_of_5_ms ls "$folder")"
}

# The conversion is plain C++: measured natively, optimised, beside sox.
convert_bench() {
  echo "== 10 s of 44,100 Hz stereo 16-bit to 22,050 Hz mono 16-bit: our converter beside sox (best of 5)"
  local bench
  bench=$(native_bench wave_conversion_bench)
  "$bench" "$work" 5
  printf "sox, same conversion, whole process: best of 5 %8.2f ms\n" \
    "$(best_of_5_ms sox "$work/in.wav" -r 22050 -c 1 -b 16 "$work/sox.wav")"
  "$bench" --snr "$work/sox.wav"
}

# The .pak is plain C++ with zlib: measured natively, optimised, beside gzip -9.
pak_bench() {
  echo "== the .pak of a 512 x 256 title logo, written and checked: ours beside gzip -9 of the same RAW (best of 5)"
  "$(native_bench pak_bench)" "$work" 5
  printf "gzip -9 of the RAW, whole process  %8.2f ms, %d bytes\n" \
    "$(best_of_5_ms gzip -9 -k -f "$work/logo.raw")" "$(stat -c %s "$work/logo.raw.gz")"
  python3 tests/tools/check_pak.py "$work/logo.pak" "$work/logo.raw" && echo "Python's zlib unpacks the .pak to the RAW"
}

# The check is plain C++: measured natively, optimised, and in the Windows build under Wine.
check_bench() {
  echo "== the check of a 200 KB level script (best of 10)"
  printf "native:  "; "$(native_bench script_check_bench)" 200 10
  printf "Wine:    "; run "$build/tests/bench/script_check_bench.exe" 200 10
}

# The built-in compiler is plain C++: measured natively, optimised.
compile_bench() {
  echo "== the built-in compilation of a 200 KB level script with its language file (best of 20)"
  printf "native:  "; "$(native_bench script_compile_bench)" 200 20
}

# The editor's colouring is plain C++: measured natively, optimised.
lexer_bench() {
  echo "== colouring a 20 MB script line by line, and the section look-up at its end (best of 5)"
  "$(native_bench script_lexer_bench)" - 20 5
}

case $which in
  script) script_bench "$@" ;;
  [0-9]*) script_bench "$which" "$@" ;;
  copy) copy_bench ;;
  image) image_bench ;;
  fit) fit_bench ;;
  sounds) sounds_bench ;;
  convert) convert_bench ;;
  pak) pak_bench ;;
  check) check_bench ;;
  compile) compile_bench ;;
  lexer) lexer_bench ;;
  all) script_bench "$@"; copy_bench; image_bench; fit_bench; sounds_bench; convert_bench; pak_bench; check_bench; compile_bench; lexer_bench ;;
  *) echo "usage: bench.sh [script [MB] | copy | image | fit | sounds | convert | pak | check | compile | lexer]" >&2; exit 2 ;;
esac
