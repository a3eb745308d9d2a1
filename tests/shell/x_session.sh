# Shared by the scripts that drive the real program on an X server of their
# own (the end-to-end session, the leak check): the session clock, polling
# with deadlines, the scratch directory, the X server, window lookup and
# keyboard focus. Source it after setting LIMIT (seconds for the whole
# session) and defining fail(); on exit it stops only the processes it was
# told of (xvfb_pid, app_pid) and removes the scratch directory unless
# KEEP_WORK is set.

SECONDS=0
xvfb_pid=""
app_pid=""
work=""

step() { echo "[$SECONDS s] $*"; }

cleanup() {
    if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then kill "$app_pid" 2>/dev/null; fi
    if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then kill "$xvfb_pid" 2>/dev/null; fi
    wait 2>/dev/null
    if [ -n "$work" ] && [ -z "${KEEP_WORK:-}" ]; then rm -rf "$work"; fi
}
trap cleanup EXIT

# Polls a condition (a command) every 0.1 s until it holds, for at most the
# given number of seconds, and never past the session's limit.
wait_until() {
    local seconds=$1; shift
    local deadline=$((SECONDS + seconds))
    while ! "$@" >/dev/null 2>&1; do
        if [ "$SECONDS" -ge "$deadline" ] || [ "$SECONDS" -ge "$LIMIT" ]; then return 1; fi
        sleep 0.1
    done
}

# A scratch directory in work, with album (a description's path), pdf (the
# PDF Generate makes of it) and a HOME for the toolkit's settings.
make_scratch() {
    work=$(mktemp -d "/tmp/$1-XXXXXX") || fail "cannot make a scratch directory"
    album="$work/album.txt"
    pdf="$work/album.pdf"
    mkdir "$work/home"
}

# Starts Xvfb on a free display and exports DISPLAY once it answers. With
# -noreset the server does not reset when its last client leaves (as the
# probe below does), a reset during which the program could not connect.
start_xvfb() {
    step "starting Xvfb"
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    exec 3>&-
    display_known() { [ -s "$work/display" ]; }
    wait_until 10 display_known || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    export DISPLAY=":$(head -n1 "$work/display")"
    wait_until 10 xdotool getmouselocation || fail "cannot reach the X server on $DISPLAY"
}

# Window ids of mapped windows whose title matches the regular expression.
visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null; }
# Window ids of all windows whose title matches, mapped or not.
existing() { xdotool search --name "$1" 2>/dev/null; }
count_is() { [ "$("$1" "$2" | grep -c .)" -eq "$3" ]; }

MAIN='^Quillory$'
HELP='^Quillory Help$'
DIALOG='^Open Album Description Text File$'

# No window manager runs here: give a window the keyboard focus explicitly
# before typing into it, with the pointer inside it.
focus() {
    xdotool mousemove --window "$1" 20 20 && xdotool windowfocus --sync "$1"
}

program_ended() { ! kill -0 "$app_pid" 2>/dev/null; }

# Starts $QUILLORY with the scratch HOME and waits for its main window, whose
# id it leaves in main.
start_program() {
    step "starting $QUILLORY on $DISPLAY"
    HOME="$work/home" "$QUILLORY" >"$work/app.log" 2>&1 &
    app_pid=$!
    wait_until 15 count_is visible "$MAIN" 1 || fail "the main window did not appear"
    main=$(visible "$MAIN")
}

# Open: Alt+O in the main window, the path typed into the file dialog, Return;
# waits at most the given number of seconds for each window to come and go.
open_through_dialog() {
    local seconds=$1 dialog
    focus "$main" || fail "cannot focus the main window"
    xdotool key alt+o
    wait_until "$seconds" count_is visible "$DIALOG" 1 || fail "Alt+O did not open the file dialog"
    dialog=$(visible "$DIALOG")
    focus "$dialog" || fail "cannot focus the file dialog"
    # The dialog starts with its file list focused; Alt+F ("&File Name")
    # moves to the name field.
    xdotool key alt+f
    xdotool type --delay 20 "$album"
    xdotool key Return
    wait_until "$seconds" count_is visible "$DIALOG" 0 || fail "the file dialog did not accept $album"
}

# Generate: Alt+G in the main window, then waits for the PDF to be written.
generate_pdf() {
    focus "$main" || fail "cannot focus the main window"
    xdotool key alt+g
    pdf_written() { [ -s "$pdf" ] && [ "$(head -c 5 "$pdf")" = "%PDF-" ]; }
    wait_until "$1" pdf_written || fail "Generate wrote no PDF at $pdf"
}
