#!/usr/bin/env bash
# End to end: the real program under an X server (DISPLAY) maps its main
# window titled "Quillory", and a file named on its command line is ignored.
# Usage: e2e_window.sh path/to/quillory
set -euo pipefail

program=$1
if [ -z "${DISPLAY:-}" ]; then
    echo "no X display; skipped"
    exit 77
fi

scratch=$(mktemp -d)
pid=
cleanup() {
    if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
    rm -rf "$scratch"
}
trap cleanup EXIT
# The toolkit keeps its settings under HOME; keep the user's own untouched.
export HOME=$scratch

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Waits for the program's main window and prints its id.
main_window() {
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --name '^Quillory$' 2>/dev/null | head -n 1 || true)
        if [ -n "$window" ]; then
            echo "$window"
            return 0
        fi
        kill -0 "$pid" 2>/dev/null || fail "the program ended before mapping its window"
        sleep 0.1
    done
    fail "no window titled Quillory appeared"
}

stop() {
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    pid=
}

# Started plainly: one window titled Quillory, 420 by 440.
"$program" &
pid=$!
window=$(main_window)
[ "$(xdotool getwindowname "$window")" = "Quillory" ] || fail "wrong title"
xdotool getwindowgeometry "$window" | grep -q "Geometry: 420x440" ||
    fail "window is not 420x440: $(xdotool getwindowgeometry "$window")"
stop

# Started with a description file as argument: the file is not opened, no
# PDF appears, and the message pane stays empty.
album=$scratch/europe.txt
printf 'ALBUM_PAGES_SIZE (210 297)\nALBUM_PAGES_MARGINS (20 20 20 20)\nALBUM_PAGES_SPACING (5 5)\nPAGE_START\n' >"$album"
"$program" "$album" &
pid=$!
window=$(main_window)
sleep 0.5
for fd in /proc/"$pid"/fd/*; do
    [ "$(readlink "$fd" || true)" != "$album" ] || fail "the program opened its argument"
done
[ ! -e "$scratch/europe.pdf" ] || fail "a PDF was written"
import -window "$window" "$scratch/window.png"
# The inside of the pane, below the tool bar: one colour when empty.
colours=$(convert "$scratch/window.png" -crop 390x350+14+74 +repage -format %k info:)
[ "$colours" = "1" ] || fail "the message pane is not empty ($colours colours)"
stop

echo "PASS"
