# The end-to-end test cases: each function test_NAME is one test, run by "run.sh NAME" on a fresh
# X server with the program started; register a new one in CMakeLists.txt. Positions are those
# of the control panel's layout at 96 dots per inch, which Xvfb reports.

# Clicks the middle of a button of the control panel, given its layout rectangle.
click_button() {
    local panel=$1 left=$2 top=$3 width=$4 height=$5
    e2e_click "$panel" $((left + width / 2)) $((top + height / 2))
}

test_exit_button() {
    local panel plane
    panel=$(e2e_wait_for_window "Control Panel")
    plane=$(e2e_wait_for_window "2D Graphic Plane")
    [ "$(e2e_window_size "$plane")" = "700x700" ] \
        || e2e_fail "plane client area is $(e2e_window_size "$plane"), not 700x700"
    [ "$(e2e_window_position "$plane")" = "415,1" ] \
        || e2e_fail "plane window at $(e2e_window_position "$plane"), not 415,1"
    [ "$(e2e_window_position "$panel")" = "-1,36" ] \
        || e2e_fail "control panel at $(e2e_window_position "$panel"), not -1,36"
    [ "$(e2e_window_size "$panel")" = "415x448" ] \
        || e2e_fail "control panel is $(e2e_window_size "$panel"), not 415x448"
    click_button "$panel" 264 16 75 25 # "Exit"
    e2e_wait_for_exit 5
    [ "$E2E_PROGRAM_STATUS" -eq 0 ] || e2e_fail "exit status $E2E_PROGRAM_STATUS after Exit"
}

test_close_plane_window() {
    local plane
    e2e_wait_for_window "Control Panel" >/dev/null
    plane=$(e2e_wait_for_window "2D Graphic Plane")
    e2e_close_window "$plane"
    e2e_wait_for_exit 5
    [ "$E2E_PROGRAM_STATUS" -eq 0 ] || e2e_fail "exit status $E2E_PROGRAM_STATUS after closing the plane"
}

test_close_control_panel() {
    local panel plane tries=0
    panel=$(e2e_wait_for_window "Control Panel")
    plane=$(e2e_wait_for_window "2D Graphic Plane")
    e2e_close_window "$panel"
    while e2e_window_shown "Control Panel"; do
        [ $((tries += 1)) -le 50 ] || e2e_fail "the control panel is still shown 5 s after closing it"
        sleep 0.1
    done
    sleep 1
    e2e_program_running || e2e_fail "closing the control panel ended the program"
    e2e_window_shown "2D Graphic Plane" || e2e_fail "closing the control panel hid the plane"
    e2e_close_window "$plane"
    e2e_wait_for_exit 5
    [ "$E2E_PROGRAM_STATUS" -eq 0 ] || e2e_fail "exit status $E2E_PROGRAM_STATUS after closing the plane"
}
