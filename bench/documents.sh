#!/usr/bin/env bash
# Small documents through each Linux writer with korventpdf: documents per minute, and where
# the time goes (LibreOffice's start per document against one LibreOffice for all of them).
# The cups-pdf queue is a private one (with_pdf_queue), so this needs root for the scheduler.
#   bench/documents.sh BUILD_BIN_DIR [COUNT]
set -euo pipefail
bin=$(cd "$1" && pwd)
count=${2:-20}
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=fodt_documents.sh
. "$here/fodt_documents.sh"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/docs"
make_documents "$dir/docs" "$count" 文書
printf '[OutPut]\nDir=\nMode=0\n[OverWrite]\nMode=2\n[Option]\nMessage=0\n' > "$dir/bench.ini"
export HOME="$dir/home" XDG_CONFIG_HOME="$dir/config" XDG_DATA_HOME="$dir/data"
mkdir -p "$HOME/Desktop"
queue=KorventBench$$

now() { date +%s.%N; }
# Converts every document through the writer into a fresh folder; prints the seconds taken.
through() {
  local writer=$1 out=$2
  shift 2
  local t0 t1
  t0=$(now)
  "$@" "$bin/korventpdf" --ini "$dir/bench.ini" --writer "$writer" --out "$out" \
    "$dir"/docs/*.fodt >"$out.log" 2>&1 || { cat "$out.log" >&2; exit 1; }
  t1=$(now)
  [ "$(ls "$out" | wc -l)" -eq "$count" ] || { echo "$writer: PDFs missing" >&2; exit 1; }
  echo "$t1 - $t0" | bc
}
report() {
  printf '%-16s %2d documents in %6.1f s: %5.1f documents per minute\n' \
    "$1" "$count" "$2" "$(echo "$count * 60 / $2" | bc -l)"
}

report "LibreOffice PDF" "$(through "LibreOffice PDF" "$dir/lo")"
report "cups-pdf queue" "$(through "$queue" "$dir/queue" "$bin/with_pdf_queue" "$queue")"
echo "where the time goes (soffice alone):"
"$here/soffice_export.sh" "$count"
