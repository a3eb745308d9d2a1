#!/usr/bin/env bash
# End-to-end session with the real program, driven through the keyboard as a
# user would drive it: Open a description, Generate its PDF, open three help
# windows, hide one with Escape, close one with its Close button, and close
# the main window while a help window is still open.
#
# Usage: e2e_session.sh QUILLORY [SEND_WM_DELETE [DESCRIPTION]]
#   QUILLORY        the program under test
#   SEND_WM_DELETE  the helper that asks a window to close (WM_DELETE_WINDOW);
#                   by default tests/shell/send_wm_delete of the same build
#   DESCRIPTION     an album description that generates without errors;
#                   by default the sample album in examples/
#
# The session runs on an X server of its own (Xvfb), so that no other test
# running at the same time can take the keyboard focus, and with HOME set to a
# scratch directory, so that the toolkit's settings of the user stay untouched.
# Every wait polls with a deadline; the whole session ends within about 60 s.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
QUILLORY=${1:?usage: e2e_session.sh QUILLORY [SEND_WM_DELETE [DESCRIPTION]]}
SEND_WM_DELETE=${2:-$(dirname "$QUILLORY")/../tests/shell/send_wm_delete}
DESCRIPTION=${3:-$here/../../examples/sample-album.txt}

LIMIT=60

fail() {
    echo "FAIL: $*" >&2
    # With E2E_SCREENSHOT set to a file name, keep a picture of the screen.
    if [ -n "${E2E_SCREENSHOT:-}" ] && [ -n "${DISPLAY:-}" ] && command -v import >/dev/null; then
        import -window root "$E2E_SCREENSHOT" 2>/dev/null && echo "screen saved in $E2E_SCREENSHOT" >&2
    fi
    if [ -n "$work" ] && [ -f "$work/app.log" ]; then
        echo "--- program output:" >&2
        cat "$work/app.log" >&2
    fi
    exit 1
}

# shellcheck source=x_session.sh
source "$here/x_session.sh"

for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done
[ -x "$QUILLORY" ] || fail "no program at $QUILLORY"
[ -x "$SEND_WM_DELETE" ] || fail "no helper at $SEND_WM_DELETE"
[ -f "$DESCRIPTION" ] || fail "no description at $DESCRIPTION"

make_scratch quillory-e2e
cp "$DESCRIPTION" "$album" || fail "cannot copy $DESCRIPTION"

start_xvfb

start_program

step "Open: Alt+O, Alt+F, type the path, Enter"
open_through_dialog 10

step "Generate: Alt+G"
generate_pdf 15
step "PDF written: $pdf ($(stat -c %s "$pdf") bytes)"

step "Help: Alt+H three times"
for press in 1 2 3; do
    focus "$main" || fail "cannot focus the main window for Help"
    xdotool key alt+h
    wait_until 10 count_is visible "$HELP" "$press" || fail "Help press $press gave no new help window"
done

step "Escape hides one help window"
mapfile -t helps < <(visible "$HELP")
focus "${helps[0]}" || fail "cannot focus a help window"
xdotool key Escape
wait_until 10 count_is visible "$HELP" 2 || fail "Escape did not hide the help window"
count_is existing "$HELP" 3 || fail "Escape destroyed the help window instead of hiding it"

step "Close removes another"
focus "${helps[1]}" || fail "cannot focus the second help window"
xdotool key alt+c
wait_until 10 count_is existing "$HELP" 2 || fail "Close did not remove the help window"
count_is visible "$HELP" 1 || fail "Close left the wrong help windows on screen"
kill -0 "$app_pid" 2>/dev/null || fail "the program ended when a help window closed"

step "closing the main window with a help window open"
"$SEND_WM_DELETE" "$main" || fail "could not send WM_DELETE_WINDOW to the main window"
wait_until 10 program_ended || fail "the program did not end when its main window closed"
wait "$app_pid"
status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"

step "passed"
