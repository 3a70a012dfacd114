#!/usr/bin/env bash
# Creates (or brings up to date) the cups-pdf queue "KorventPDF" on the local CUPS server.
# The queue's device is cups-pdf:/KorventPDF, so cups-pdf reads its own configuration file
# /etc/cups/cups-pdf-KorventPDF.conf (made from the shared cups-pdf.conf the first time) in
# which two settings are fixed: TitlePref 1 names each PDF after the document's title that
# KorventPDF sends, and Label 2 appends "-job_N" to every file, by which KorventPDF finds the PDF
# of each of its print jobs. Running it again changes nothing else.
set -euo pipefail

queue=${1:-KorventPDF}
conf=/etc/cups/cups-pdf-$queue.conf
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

SUDO=()
[ "$(id -u)" -eq 0 ] || SUDO=(sudo)

base=$conf
[ -f "$base" ] || base=/etc/cups/cups-pdf.conf
new=$(mktemp)
trap 'rm -f "$new"' EXIT
{
  if [ -f "$base" ]; then
    grep -v -E '^[[:space:]]*(Label|TitlePref)([[:space:]]|$)' "$base" || true
  fi
  printf 'Label 2\nTitlePref 1\n'
} > "$new"
"${SUDO[@]}" install -m 0644 "$new" "$conf"

"${SUDO[@]}" lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -P "$ppd" \
  -D "KorventPDF (PDF files)"
echo "Queue $queue ready; its settings are in $conf"
