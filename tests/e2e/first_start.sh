#!/usr/bin/env bash
# The real program on a fresh machine: copied into an empty folder, started under Xvfb with two
# files on its command line. It must open its window, write the complete settings file beside
# itself on the first start, and keep it on the second.
set -euo pipefail
program="$1"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/app" "$work/home/Desktop" "$work/config" "$work/docs"
cp "$program" "$work/app/KorventPDF"
touch "$work/docs/a.doc" "$work/docs/b.txt"
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb
unset LPDEST PRINTER

run_once() {
    xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
        "$1" "$2" "$3" &
        pid=$!
        # Wait for the main window to be mapped, then end the program. The window is listed
        # from its creation on, before it is shown; only a viewable one has run its show step.
        for _ in $(seq 1 150); do
            id=$(xwininfo -root -tree 2>/dev/null | grep "KorventＰＤＦ" | awk "{print \$1}" | head -n 1)
            if [ -n "$id" ] && xwininfo -id "$id" 2>/dev/null | grep -q "IsViewable"; then
                echo mapped
                break
            fi
            if ! kill -0 "$pid" 2>/dev/null; then
                echo "the program ended early" >&2
                exit 1
            fi
            sleep 0.2
        done
        kill -0 "$pid"
        kill "$pid"
        wait "$pid" || true
    ' _ "$work/app/KorventPDF" "$work/docs/a.doc" "$work/docs/b.txt"
}

[ "$(run_once)" = mapped ] || { echo "no main window appeared" >&2; exit 1; }

ini="$work/app/KorventPDF.ini"
[ -f "$ini" ] || { echo "no settings file at $ini" >&2; exit 1; }
for line in "[OutPut]" "Dir=" "Mode=1" "[OverWrite]" "Mode=2" "Check=N" "New=_new" "Old=_old" \
            "D&D=0" "Message=1" "FileName=MergeFile" "AppedStr=Merge" "Compress=75" "Paper=1" \
            "Direction=0"; do
    grep -qxF "$line" "$ini" || { echo "settings file lacks '$line'" >&2; cat "$ini" >&2; exit 1; }
done
# Sections in the order of the first start.
order=$(grep '^\[' "$ini" | tr -d '\n')
[ "$order" = "[Driver][OutPut][OverWrite][AppendString][Option][Merge][Image]" ] ||
    { echo "section order $order" >&2; exit 1; }

# A second start reads the file and changes nothing.
before=$(cat "$ini")
[ "$(run_once)" = mapped ] || { echo "no main window on the second start" >&2; exit 1; }
[ "$(cat "$ini")" = "$before" ] || { echo "the second start changed the settings file" >&2; exit 1; }
echo "first start ok"
