#!/usr/bin/env bash
# Merges 200 ten-page PDFs and 1000 one-page PDFs with the program's combiner (merge_bench),
# pdfunite and qpdf, and prints the wall time and peak memory of each.
# Usage: bench/merge_bench.sh [path to merge_bench]   (build it with the release preset)
set -euo pipefail

BENCH=${1:-build/release/bin/merge_bench}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# One page of text and lines, a little heavier than an empty page. Written without a
# cross-reference table, which qpdf rebuilds (exit code 3: repaired with warnings).
one_page() {
    local content="BT /F1 9 Tf 40 800 Td 11 TL"
    for i in $(seq 1 60); do content+=" (Line $i of the page: some words to fill it up.) '"; done
    content+=" ET 0.5 w 40 40 m 555 40 l S"
    cat > "$WORK/raw.pdf" <<PDF
%PDF-1.4
1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj
2 0 obj << /Type /Pages /Kids [3 0 R] /Count 1 >> endobj
3 0 obj << /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents 4 0 R
  /Resources << /Font << /F1 5 0 R >> >> >> endobj
4 0 obj << /Length ${#content} >> stream
$content
endstream endobj
5 0 obj << /Type /Font /Subtype /Type1 /BaseFont /Helvetica >> endobj
trailer << /Root 1 0 R /Size 6 >>
%%EOF
PDF
    qpdf "$WORK/raw.pdf" "$WORK/page.pdf" 2>/dev/null || [ $? -eq 3 ]
}

# count pages name
make_set() {
    local pages=$1 files=$2 name=$3 ranges
    ranges=$(seq -s, 1 "$pages" | sed 's/[0-9]\+/1/g')
    qpdf --empty --pages "$WORK/page.pdf" "$ranges" -- "$WORK/$name.pdf"
    mkdir -p "$WORK/$name"
    : > "$WORK/$name.list"
    for i in $(seq -w 1 "$files"); do
        cp "$WORK/$name.pdf" "$WORK/$name/$i.pdf"
        printf '%s\r\n' "$WORK/$name/$i.pdf" >> "$WORK/$name.list"
    done
}

# label set command...
measure() {
    local label=$1 set=$2
    shift 2
    sync
    /usr/bin/time -f '%e %M' -o "$WORK/time" "$@" > /dev/null
    read -r wall kib < "$WORK/time"
    printf '%-12s %-14s %8s %10d\n' "$label" "$set" "$wall" $((kib / 1024))
}

one_page
make_set 10 200 "200x10pages"
make_set 1 1000 "1000x1page"

printf '%-12s %-14s %8s %10s\n' tool inputs "wall s" "peak MiB"
for set in "200x10pages" "1000x1page"; do
    mapfile -t files < <(tr -d '\r' < "$WORK/$set.list")
    measure merge_bench "$set" "$BENCH" "$WORK/$set.list" "$WORK/out-ours.pdf"
    measure pdfunite "$set" pdfunite "${files[@]}" "$WORK/out-pdfunite.pdf"
    measure qpdf "$set" qpdf --empty --pages "${files[@]}" -- "$WORK/out-qpdf.pdf"
    qpdf --check "$WORK/out-ours.pdf" > /dev/null
done
