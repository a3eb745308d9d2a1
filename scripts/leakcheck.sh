#!/usr/bin/env bash
# Leak check of the window side: a scripted session of the real program under
# valgrind, on an X server of its own (Xvfb), driven with xdotool: Generate
# before any Open (a message), Open a description through the file dialog,
# Generate its PDF, open help windows and close one with its Close button and
# hide another with Escape, then close the main window.
#
# Passes when valgrind reports no definite leak, and no invalid memory access,
# whose stack passes through the program's own sources (shell/ and engine/);
# leaks inside the toolkit and the X libraries alone do not count.
#
# Usage: bash scripts/leakcheck.sh [QUILLORY [SEND_WM_DELETE]]
#   QUILLORY        default: build/shell/quillory
#   SEND_WM_DELETE  the helper that asks a window to close (WM_DELETE_WINDOW),
#                   as a window manager's close box does; by default
#                   tests/shell/send_wm_delete of the same build
# Exit status: 0 passed, 1 failed, 77 a tool it needs is missing.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
QUILLORY=${1:-$root/build/shell/quillory}
SEND_WM_DELETE=${2:-$(dirname "$QUILLORY")/../tests/shell/send_wm_delete}

LIMIT=240          # the whole session; valgrind makes the program slow
KEEP_WORK=${LEAKCHECK_KEEP:-}

fail() {
    echo "FAIL: $*" >&2
    if [ -n "$work" ] && [ -f "$work/valgrind.log" ]; then
        echo "--- valgrind's report (last 80 lines):" >&2
        tail -n 80 "$work/valgrind.log" >&2
    fi
    exit 1
}

# shellcheck source=../tests/shell/x_session.sh
source "$root/tests/shell/x_session.sh"

for tool in Xvfb xdotool valgrind; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ -x "$QUILLORY" ] || fail "no program at $QUILLORY"
[ -x "$SEND_WM_DELETE" ] || fail "no helper at $SEND_WM_DELETE"

make_scratch quillory-leakcheck
cat >"$album" <<'EOF'
ALBUM_PAGES_SIZE (210 297)
ALBUM_PAGES_MARGINS (25 12 15 15)
ALBUM_PAGES_BORDER (0.5 0.1 1.0)
ALBUM_PAGES_SPACING (6 6)
ALBUM_PAGES_TITLE (TB 16 "Leak check")
PAGE_START
PAGE_TEXT (HN 10 "A paragraph long enough to be wrapped at least once across the page's element area.")
PAGE_TEXT_CENTRE (HS 12 "Centred\nTwo lines")
ROW_START_ES (HN 6 0.1)
STAMP_ADD (25 30 "1d" "red" "" "L" "C" "R")
STAMP_ADDX (25 30 "2d" "" "" "" "" "" "a" "b" "c")
PAGE_START
ROW_ALIGN_BOTTOM
ROW_START_FS (HN 6 0.1 3)
STAMP_ADD_TRIANGLE (30 25 "3d" "" "" "" "" "")
EOF

start_xvfb

step "starting $QUILLORY under valgrind"
HOME="$work/home" valgrind --leak-check=full --errors-for-leak-kinds=definite --show-leak-kinds=definite \
    --num-callers=50 --log-file="$work/valgrind.log" "$QUILLORY" >"$work/app.log" 2>&1 &
app_pid=$!

wait_until 90 count_is visible "$MAIN" 1 || fail "the main window did not appear"
main=$(visible "$MAIN")

step "Generate before any Open: a message"
focus "$main" || fail "cannot focus the main window"
xdotool key alt+g
sleep 2

step "Open: Alt+O, the path, Return"
open_through_dialog 60

step "Generate: Alt+G"
generate_pdf 60

step "Help twice: Close with Return on one, Escape on the other"
for press in 1 2; do
    focus "$main" || fail "cannot focus the main window for Help"
    xdotool key alt+h
    wait_until 60 count_is visible "$HELP" "$press" || fail "Help press $press gave no new help window"
done
mapfile -t helps < <(visible "$HELP")
focus "${helps[0]}" || fail "cannot focus a help window"
xdotool key Return  # Close is the focused default button
wait_until 30 count_is existing "$HELP" 1 || fail "Return on Close did not remove the help window"
focus "${helps[1]}" || fail "cannot focus the other help window"
xdotool key Escape
wait_until 30 count_is visible "$HELP" 0 || fail "Escape did not hide the help window"

step "a third help window left open at exit"
focus "$main" || fail "cannot focus the main window for Help"
xdotool key alt+h
wait_until 60 count_is visible "$HELP" 1 || fail "Help gave no new help window"

step "closing the main window"
"$SEND_WM_DELETE" "$main" || fail "could not send WM_DELETE_WINDOW"
wait_until 90 program_ended || fail "the program did not end when its main window closed"
wait "$app_pid"
status=$?
app_pid=""
step "the program ended with status $status"
grep -q "ERROR SUMMARY" "$work/valgrind.log" || fail "valgrind wrote no summary"

# valgrind's report in blocks, one per error or loss record. The blocks that
# count are definite losses and invalid accesses or frees with a frame in one
# of our own source files. (Reads of uninitialised bytes are left out: the X
# libraries make them from padding whenever an icon is created.) Every stack of the event loop passes through main(), so a
# frame in main.cpp counts only as the first frame after the allocator:
# otherwise the toolkit's own leaks would all be charged to it.
ours=$(python3 - "$work/valgrind.log" "$root" <<'PY'
import glob, os, re, sys
log, root = sys.argv[1], sys.argv[2]
sources = {os.path.basename(f) for d in ("shell", "engine") for f in glob.glob(os.path.join(root, d, "*.[ch]*"))}
kinds = re.compile(r"definitely lost in loss record|^(Invalid (read|write|free)|Mismatched free|"
                   r"Source and destination overlap)")
frame = re.compile(r"^\s+(at|by) 0x[0-9A-F]+: .*\((?:in )?([^():]+)(?::\d+)?\)$")
blocks, block = [], []
for line in open(log, errors="replace"):
    line = re.sub(r"^==\d+== ?", "", line.rstrip("\n"))
    if line.strip():
        block.append(line)
    elif block:
        blocks.append(block)
        block = []
if block:
    blocks.append(block)
for b in blocks:
    if not kinds.search(b[0]):
        continue
    files = [m.group(2).strip() for m in map(frame.match, b[1:]) if m]
    first = next((f for f in files if f != "vg_replace_malloc.c"), "")
    if any(f in sources and f != "main.cpp" for f in files) or first == "main.cpp":
        print("\n".join(b) + "\n")
PY
)

grep -E "definitely lost:|indirectly lost:|ERROR SUMMARY" "$work/valgrind.log" | sed 's/^==[0-9]*== */  /'
if [ -n "$ours" ]; then
    echo "$ours" >&2
    fail "valgrind reports leaks or invalid accesses in the program's own code"
fi
[ "$status" -eq 0 ] || fail "the program ended with status $status"
step "passed: no definite leak and no invalid access in the program's own code"
