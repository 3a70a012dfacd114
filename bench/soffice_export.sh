#!/usr/bin/env bash
# Seconds per small document for a headless LibreOffice export: the first document on a fresh
# profile, later documents one soffice each, and the same documents in one soffice. Decides
# whether keeping one LibreOffice running for a whole run would pay.
set -euo pipefail
# shellcheck source=fodt_documents.sh
. "$(dirname "$0")/fodt_documents.sh"
count=${1:-20}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/docs" "$dir/out1" "$dir/outN"
make_documents "$dir/docs" "$count" doc
profile="-env:UserInstallation=file://$dir/profile"
now() { date +%s.%N; }
seconds() { echo "$2 - $1" | bc; }

t0=$(now)
soffice --headless "$profile" --convert-to pdf --outdir "$dir/out1" "$dir/docs/doc1.fodt" >/dev/null 2>&1
t1=$(now)
echo "first document, fresh profile: $(seconds "$t0" "$t1") s"

t0=$(now)
for i in $(seq 1 "$count"); do
  soffice --headless "$profile" --convert-to pdf --outdir "$dir/out1" "$dir/docs/doc$i.fodt" >/dev/null 2>&1
done
t1=$(now)
echo "$count documents, one soffice each: $(seconds "$t0" "$t1") s"

t0=$(now)
soffice --headless "$profile" --convert-to pdf --outdir "$dir/outN" "$dir"/docs/*.fodt >/dev/null 2>&1
t1=$(now)
echo "$count documents, one soffice: $(seconds "$t0" "$t1") s"
echo "PDFs: $(ls "$dir/out1" | wc -l) and $(ls "$dir/outN" | wc -l)"
