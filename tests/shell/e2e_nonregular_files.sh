#!/usr/bin/env bash
# End to end: a description that is not a regular file (a FIFO, a link to
# /dev/zero) chosen in the Open dialog gets the read error in red at once on
# Generate, and the window still answers: Help opens a help window within a
# second. Runs on an X server of its own (Xvfb).
# Usage: e2e_nonregular_files.sh path/to/quillory
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
QUILLORY=${1:?usage: e2e_nonregular_files.sh QUILLORY}
LIMIT=40

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

for tool in Xvfb xdotool import convert; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done

# shellcheck source=x_session.sh
source "$here/x_session.sh"

now_ms() { date +%s%3N; }

# Polls a condition every 50 ms for at most the given milliseconds; prints
# the time it took.
within_ms() {
    local budget=$1 start elapsed; shift
    start=$(now_ms)
    while ! "$@" >/dev/null 2>&1; do
        elapsed=$(($(now_ms) - start))
        [ "$elapsed" -lt "$budget" ] || return 1
        sleep 0.05
    done
    echo "$(($(now_ms) - start)) ms"
}

# True when the message pane shows any text in pure red.
pane_has_red() {
    import -window "$main" "$work/window.png" || return 1
    # The inside of the pane, below the tool bar.
    [ "$(convert "$work/window.png" -crop 390x350+14+74 +repage \
        -fill black +opaque '#FF0000' -format '%[fx:maxima.r>0]' info:)" = 1 ]
}

make_scratch quillory-nonregular
mkfifo "$work/pipe.txt" || fail "cannot make a FIFO"
ln -s /dev/zero "$work/zero.txt" || fail "cannot link to /dev/zero"

start_xvfb
start_program

for album in "$work/pipe.txt" "$work/zero.txt"; do
    step "Open $album"
    open_through_dialog 10
    ! pane_has_red || fail "red text in the pane before Generate"

    focus "$main" || fail "cannot focus the main window"
    xdotool key alt+g
    took=$(within_ms 1000 pane_has_red) || fail "Generate on $album showed no error within 1 s"
    step "error shown after $took"

    focus "$main" || fail "cannot focus the main window for Help"
    xdotool key alt+h
    took=$(within_ms 1000 count_is visible "$HELP" 1) ||
        fail "Help opened no window within 1 s after Generate on $album"
    step "help window after $took"
    # Escape hides it again, so that it covers no part of the pane.
    focus "$(visible "$HELP")" || fail "cannot focus the help window"
    xdotool key Escape
    wait_until 10 count_is visible "$HELP" 0 || fail "Escape did not hide the help window"
done
program_ended && fail "the program ended"

step "passed"
