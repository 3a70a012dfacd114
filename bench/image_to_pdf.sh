#!/bin/sh
# Pictures to PDF, our converter against ImageMagick and img2pdf on the same inputs in one run:
# a 12-megapixel JPEG, a 12-megapixel PNG, and 100 phone-sized JPEGs (1080 x 1920) converted to
# one PDF each. Wall time and peak memory (maximum resident set size) come from /usr/bin/time -v.
#
#   bench/image_to_pdf.sh BUILD_DIR [WORK_DIR]
#
# BUILD_DIR is a release build with the korventpdf target built. Our converter, korventpdf,
# makes A4 pages at quality 75 with 10 mm margins given as options (one call for all files of a
# case, with its own empty settings); the start-up row is the same call converting nothing, so
# a case's conversion time is its wall time less the start-up's. ImageMagick runs
# "convert IN -quality 75 -page A4 OUT.pdf"; img2pdf runs "img2pdf --pagesize A4" (it embeds a
# JPEG as it is and stores a PNG losslessly, so it never re-encodes). ImageMagick and img2pdf
# convert one file per process; korventpdf takes all files of a case in one process.
#
# Debian's ImageMagick refuses to write PDF by policy. The policy is lifted for the benchmark's
# own ImageMagick processes only: they run in a private mount namespace (unshare -m) in which an
# edited copy of the policy file is bind-mounted over the system's; /etc is never changed. That
# needs root. Missing peers (imagemagick, img2pdf, time) are installed with apt-get.
set -eu

build=${1:?usage: $0 BUILD_DIR [WORK_DIR]}
cli=$(cd "$build" && pwd)/bin/korventpdf
[ -x "$cli" ] || { echo "no $cli: build korventpdf" >&2; exit 2; }
convert=/usr/bin/convert  # not a wrapper that may stand first on PATH
policy=/etc/ImageMagick-6/policy.xml

if [ "$(id -u)" -ne 0 ]; then
    echo "needs root for the private mount of the ImageMagick policy" >&2
    exit 2
fi
missing=""
[ -x "$convert" ] || missing="$missing imagemagick"
command -v img2pdf >/dev/null 2>&1 || missing="$missing img2pdf"
[ -x /usr/bin/time ] || missing="$missing time"
if [ -n "$missing" ]; then
    echo "installing:$missing" >&2
    # shellcheck disable=SC2086  # one word per package
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing >&2
fi

if [ $# -ge 2 ]; then
    work=$2
    mkdir -p "$work"
else
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
fi
in=$work/in
mkdir -p "$in"

# korventpdf starts as on a first start: its settings, registry and trash stay in the work folder.
mkdir -p "$work/home"
printf '[Option]\nMessage=0\n' >"$work/korventpdf.ini"
# Runs korventpdf under measure().
measure_cli() {
    measure env HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
        XDG_DATA_HOME="$work/home/.local" \
        "$cli" --ini "$work/korventpdf.ini" --paper A4 --quality 75 --margins 10 "$@"
}

# The policy with only its PDF refusal taken out.
sed '/pattern="PDF"/d' "$policy" >"$work/policy.xml"

# Photograph-like inputs, made once: fractal plasma has the fine detail of a photograph.
if [ ! -f "$in/photo12.jpg" ]; then
    echo "making inputs in $in" >&2
    "$convert" -seed 7 -size 4000x3000 plasma:fractal -blur 0x1 -depth 8 "$in/photo12.png"
    "$convert" "$in/photo12.png" -quality 92 "$in/photo12.jpg"
    "$convert" -seed 11 -size 1080x1920 plasma:fractal -blur 0x1 -depth 8 "$work/phone.png"
    i=0
    while [ "$i" -lt 100 ]; do
        "$convert" "$work/phone.png" -roll "+$((i * 37))+$((i * 53))" -quality 90 \
            "$in/phone$(printf %03d "$i").jpg"
        i=$((i + 1))
    done
    rm -f "$work/phone.png"
fi

# Runs a command under /usr/bin/time -v and prints "wall seconds, peak MB".
measure() {
    stats=$work/time.txt
    /usr/bin/time -v -o "$stats" "$@" >/dev/null 2>"$work/stderr.txt" || {
        echo "failed: $*" >&2
        cat "$work/stderr.txt" >&2
        exit 1
    }
    awk -F': ' '
        /Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + t[i] }
        /Maximum resident set size/ { kb = $2 }
        END { printf "%8.2f s %8.1f MB", s, kb / 1024 }' "$stats"
}

# ImageMagick over a list of files, one process each, with the PDF policy lifted inside.
magick() {
    out=$1
    shift
    # shellcheck disable=SC2016  # expanded by the inner shell, from its arguments
    measure unshare -m sh -c '
        mount --bind "$1" "$2" || exit 1
        convert=$3 out=$4
        shift 4
        for f in "$@"; do
            base=${f##*/}
            "$convert" "$f" -quality 75 -page A4 "$out/${base%.*}.pdf" || exit 1
        done' sh "$work/policy.xml" "$policy" "$convert" "$out" "$@"
}

img2pdfs() {
    out=$1
    shift
    # shellcheck disable=SC2016  # expanded by the inner shell, from its arguments
    measure sh -c '
        out=$1
        shift
        for f in "$@"; do
            base=${f##*/}
            img2pdf --pagesize A4 -o "$out/${base%.*}.pdf" "$f" || exit 1
        done' sh "$out" "$@"
}

run_case() {
    name=$1
    shift
    for tool in cli magick img2pdf; do
        out=$work/out-$tool-$name
        rm -rf "$out"
        mkdir -p "$out"
        case $tool in
            cli) result=$(measure_cli --out "$out" "$@") ;;
            magick) result=$(magick "$out" "$@") ;;
            img2pdf) result=$(img2pdfs "$out" "$@") ;;
        esac
        size=$(du -sk "$out" | cut -f1)
        printf '%-16s %-8s %s %8.1f MB out\n' "$name" "$tool" "$result" "$(echo "$size" | awk '{ print $1 / 1024 }')"
    done
}

# korventpdf's start-up and end without a conversion: the same call planning one picture.
startup() {
    rm -rf "$work/out-startup"
    printf '%-16s %-8s %s\n' start-up cli "$(measure_cli --dry-run --out "$work/out-startup" "$1")"
}

printf '%-16s %-8s %10s %11s %11s\n' case tool wall peak output
startup "$in/photo12.jpg"
run_case jpeg-12MP "$in/photo12.jpg"
run_case png-12MP "$in/photo12.png"
run_case phone-jpeg-x100 "$in"/phone*.jpg
