#!/bin/sh
# Compares the program's JPEG compression with the reference encoder on the same 12-megapixel
# picture: cjpeg -quality 75 -dct float -baseline (libjpeg-turbo-progs). cjpeg's time includes
# reading the BMP file (about 36 MB), so it is a slight overestimate of its encoding time.
#
#   bench/compare_cjpeg.sh BUILD_DIR [RUNS]
set -eu
build=${1:?usage: $0 BUILD_DIR [RUNS]}
runs=${2:-5}
bench="$build/bin/pdf_image_bench"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$bench" --write-input="$work/input.bmp"
best=""
i=0
while [ "$i" -lt "$runs" ]; do
    start=$(date +%s%N)
    cjpeg -quality 75 -dct float -baseline -outfile "$work/ref.jpg" "$work/input.bmp"
    end=$(date +%s%N)
    ms=$(( (end - start) / 1000000 ))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
    i=$((i + 1))
done
echo "cjpeg: best of $runs runs: ${best} ms for 12 MP ($(awk "BEGIN { printf \"%.1f\", $best / 12 }") ms/MP), $(stat -c %s "$work/ref.jpg") bytes"
"$bench" --benchmark_filter=BM_JpegCompress12MP --benchmark_repetitions="$runs" \
    --benchmark_report_aggregates_only=true
