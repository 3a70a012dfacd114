#!/usr/bin/env bash
# The real program started with three pictures and a PDF on its command line and the auto-run
# setting on: it converts them without a click and ends by itself. Every PDF it writes must
# pass qpdf's check and render.
set -euo pipefail
program="$1"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/app" "$work/home/Desktop" "$work/config" "$work/out"
cp "$program" "$work/app/KorventPDF"
cp "$(dirname "$program")"/*.spi "$work/app/"
# The inputs: pictures rendered by Ghostscript, a one-pixel GIF, a blank PDF.
gs -q -sDEVICE=png16m -r30 -o "$work/home/a.png" -c "1 0 0 setrgbcolor 0 0 200 200 rectfill showpage"
gs -q -sDEVICE=jpeg -r30 -o "$work/home/b.jpg" -c "0 0 1 setrgbcolor 0 0 300 100 rectfill showpage"
printf 'GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02D\x01\x00;' \
    > "$work/home/c.gif"
gs -q -sDEVICE=pdfwrite -o "$work/home/d.pdf" -c showpage
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb
unset LPDEST PRINTER

cat > "$work/app/KorventPDF.ini" <<INI
[OutPut]
Dir=$work/out
Mode=1
[Option]
D&D=1
Message=0
INI

timeout 120 xvfb-run -a -s "-screen 0 1024x768x24" "$work/app/KorventPDF" \
    "$work/home/a.png" "$work/home/b.jpg" "$work/home/c.gif" "$work/home/d.pdf" ||
    { echo "the program did not end by itself" >&2; exit 1; }

for name in a b c; do
    pdf="$work/out/$name.pdf"
    [ -f "$pdf" ] || { echo "no $name.pdf" >&2; ls -l "$work/out" >&2; exit 1; }
    qpdf --check "$pdf" >/dev/null || { echo "$name.pdf fails qpdf --check" >&2; exit 1; }
    pdftoppm -r 20 -png "$pdf" "$work/out/$name" || { echo "$name.pdf does not render" >&2; exit 1; }
done
# The given PDF passes through: nothing is written for it.
[ ! -e "$work/out/d.pdf" ] || { echo "a PDF was copied" >&2; exit 1; }
echo "auto run ok"
