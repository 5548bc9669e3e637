# Shell functions for end-to-end tests: a private X server, the program under test, and the
# windows found by title and driven with xdotool. Sourced by run.sh; every wait is bounded.

E2E_XVFB_PID=""
E2E_PROGRAM_PID=""
E2E_PROGRAM_STATUS=""

e2e_fail() {
    echo "FAIL: $*" >&2
    exit 1
}

e2e_log() {
    echo "e2e: $*" >&2
}

# Starts Xvfb on a display number that it picks itself among the free ones, and exports
# DISPLAY for the commands that follow.
e2e_start_xvfb() {
    local display_file="$E2E_WORK/display"
    : >"$display_file"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
        3>"$display_file" >"$E2E_WORK/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    local tries=0
    until [ -s "$display_file" ]; do
        kill -0 "$E2E_XVFB_PID" 2>/dev/null || e2e_fail "Xvfb did not start: $(cat "$E2E_WORK/xvfb.log")"
        [ $((tries += 1)) -le 100 ] || e2e_fail "Xvfb gave no display number within 10 s"
        sleep 0.1
    done
    export DISPLAY=":$(head -n 1 "$display_file")"
    e2e_log "Xvfb on $DISPLAY"
}

# Starts the program under test on the X server, whatever platform the caller's environment
# names.
e2e_start_program() {
    mkdir -m 700 "$E2E_WORK/runtime"
    QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$E2E_WORK/runtime" "$E2E_PROGRAM" "${E2E_PROGRAM_ARGS[@]}" \
        >"$E2E_WORK/program.log" 2>&1 &
    E2E_PROGRAM_PID=$!
}

e2e_program_running() {
    kill -0 "$E2E_PROGRAM_PID" 2>/dev/null
}

# Prints the id of the one visible window with exactly this title; waits up to 10 s for it.
e2e_wait_for_window() {
    local title=$1 ids tries=0
    while :; do
        ids=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null || true)
        if [ -n "$ids" ]; then
            [ "$(wc -l <<<"$ids")" -eq 1 ] || e2e_fail "more than one window titled \"$title\""
            echo "$ids"
            return
        fi
        e2e_program_running || e2e_fail "the program ended before showing \"$title\""
        [ $((tries += 1)) -le 100 ] || e2e_fail "no window titled \"$title\" within 10 s"
        sleep 0.1
    done
}

# True while a visible window with exactly this title exists.
e2e_window_shown() {
    [ -n "$(xdotool search --onlyvisible --name "^${1}\$" 2>/dev/null || true)" ]
}

# Prints "WIDTHxHEIGHT" of the window's own area; without a window manager that is the
# client area.
e2e_window_size() {
    xwininfo -id "$1" | awk '/^  Width:/ { w = $2 } /^  Height:/ { h = $2 } END { print w "x" h }'
}

# Prints "X,Y", the window's position on the screen.
e2e_window_position() {
    xwininfo -id "$1" | awk '/Absolute upper-left X:/ { x = $4 } /Absolute upper-left Y:/ { y = $4 }
        END { print x "," y }'
}

# Clicks the left button at (x, y) in the window's coordinates.
e2e_click() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
}

# Asks the window to close, as a window manager's close button does.
e2e_close_window() {
    python3 "$E2E_DIR/wm_delete.py" "$1" || e2e_fail "could not send WM_DELETE_WINDOW to $1"
}

# Saves a picture of the window.
e2e_screenshot() {
    import -window "$1" "$2" || e2e_fail "could not take a screenshot of window $1"
}

# Saves an area of a window as a binary PPM with 8-bit samples, the form that pixels.py reads:
# e2e_capture_ppm WINDOW GEOMETRY FILE, GEOMETRY being "WIDTHxHEIGHT+X+Y" in window coordinates.
e2e_capture_ppm() {
    import -window "$1" -crop "$2" +repage -depth 8 "ppm:$3" \
        || e2e_fail "could not capture $2 of window $1"
}

# Waits up to $1 seconds for the program to end and keeps its exit status in
# E2E_PROGRAM_STATUS.
e2e_wait_for_exit() {
    local limit=$1 tries=0
    while e2e_program_running; do
        [ $((tries += 1)) -le $((limit * 10)) ] || e2e_fail "the program still runs after $limit s"
        sleep 0.1
    done
    E2E_PROGRAM_STATUS=0
    wait "$E2E_PROGRAM_PID" || E2E_PROGRAM_STATUS=$?
    E2E_PROGRAM_PID=""
}

# Ends what the test started: the program, if it still runs, and the X server.
e2e_cleanup() {
    if [ -n "$E2E_PROGRAM_PID" ] && e2e_program_running; then
        kill "$E2E_PROGRAM_PID" 2>/dev/null || true
        wait "$E2E_PROGRAM_PID" 2>/dev/null || true
    fi
    if [ -n "$E2E_XVFB_PID" ]; then
        kill "$E2E_XVFB_PID" 2>/dev/null || true
        wait "$E2E_XVFB_PID" 2>/dev/null || true
    fi
    if [ -s "$E2E_WORK/program.log" ]; then
        e2e_log "program output:"
        cat "$E2E_WORK/program.log" >&2
    fi
    rm -rf "$E2E_WORK"
}
