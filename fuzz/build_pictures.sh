#!/usr/bin/env bash
# Builds the picture decoders' fuzz target with clang's libFuzzer:
#   bash fuzz/build_pictures.sh [output-dir]
#   build-fuzz/fuzz_pictures -max_total_time=300 CORPUS_DIR
set -euo pipefail
TOP=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
OUT=${1:-$TOP/build-fuzz}
mkdir -p "$OUT"
CXX=${CXX:-clang++}
# shellcheck disable=SC2046
"$CXX" -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined \
    -I"$TOP/src" $(pkg-config --cflags Qt6Gui) \
    "$TOP/fuzz/fuzz_pictures.cpp" \
    "$TOP/src/platform/JpegDecoder.cpp" "$TOP/src/platform/PictureErrors.cpp" \
    "$TOP/src/platform/PictureFit.cpp" "$TOP/src/platform/PictureIntegrity.cpp" \
    "$TOP/src/platform/PictureKinds.cpp" "$TOP/src/platform/QtPictureDecoder.cpp" \
    $(pkg-config --libs Qt6Gui libjpeg) -o "$OUT/fuzz_pictures"
echo "$OUT/fuzz_pictures"
