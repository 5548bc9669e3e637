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

# The plane's raster as the plane window shows it: raster pixel (px, py) is client pixel
# (px + 1, py + 1), and the raster's last column and row lie beyond the 700 x 700 client area.
capture_raster() {
    e2e_capture_ppm "$1" 699x699+1+1 "$2"
}

# Prints the raster pixel "COLUMN ROW" of a world point under the world window x1..x2 by y1..y2,
# mapped as the plane maps it and rounded half to even: world_to_raster X1 X2 Y1 Y2 X Y. X and
# Y may be Python expressions over the math module, such as "sqrt(3)/6".
world_to_raster() {
    python3 -c '
import sys
from math import *
x1, x2, y1, y2 = map(float, sys.argv[1:5])
x, y = (float(eval(value)) for value in sys.argv[5:7])
scale_x, scale_y = 700 / (x2 - x1), 700 / (y2 - y1)
offset_x, offset_y = -x1 * scale_x, y2 * scale_y
print(round(scale_x * x + offset_x), round(offset_y - scale_y * y))
' "$@" || e2e_fail "could not map world ($5, $6)"
}

# Prints pixels.py's query for the square of side 2 x SLACK + 1 around a pixel:
# around "COLUMN ROW" SLACK
around() {
    local column row
    read -r column row <<<"$1"
    echo "count:$((column - $2)),$((row - $2)),$((column + $2)),$((row + $2))"
}

# Answers pixels.py's queries about one colour in a capture, one answer an element, in the array
# ANSWERS: measure CAPTURE RED,GREEN,BLUE QUERY...
measure() {
    local output
    output=$(python3 "$E2E_DIR/pixels.py" "$@") || e2e_fail "could not measure $1"
    mapfile -t ANSWERS <<<"$output"
}

# Captures the raster until the figure has stopped growing and CHECK accepts it: two captures in
# a row are the same and "CHECK CAPTURE" succeeds. A check that fails leaves its reason in
# PROBLEM; the last reason ends the test once LIMIT seconds have passed.
# wait_for_drawing PLANE CHECK LIMIT
wait_for_drawing() {
    local plane=$1 check=$2 limit=$3
    local capture="$E2E_WORK/raster.ppm" previous="$E2E_WORK/raster-previous.ppm"
    local deadline=$((SECONDS + limit))
    PROBLEM="the plane was still changing"
    rm -f "$previous"
    while :; do
        capture_raster "$plane" "$capture"
        if [ -f "$previous" ] && cmp -s "$capture" "$previous" && "$check" "$capture"; then
            return
        fi
        [ "$SECONDS" -lt "$deadline" ] || e2e_fail "after $limit s: $PROBLEM"
        mv "$capture" "$previous"
        sleep 0.2
    done
}

# True when a whole number lies in an interval: within NUMBER MIN MAX
within() {
    [ "$1" -ge "$2" ] && [ "$1" -le "$3" ]
}

# The start-up figure: the Koch curve after two substitutions, turned to run from world (0, 0)
# to (1, 0) with its bumps upwards, drawn red and one pixel wide on a white plane. Its box is
# the base line up to the peak at (0.5, sqrt(3)/6); the middle third of the base line, under
# the peak, stays open; the first ninth is a plain stretch of the base line.
KOCH_RED=255,0,0

check_koch_curve() {
    local plain="count:$KOCH_PLAIN_COLUMN,0,$KOCH_PLAIN_COLUMN,698"
    measure "$1" "$KOCH_RED" stray bbox "$(around "$KOCH_START" 2)" "$(around "$KOCH_END" 2)" \
        "$(around "$KOCH_PEAK" 2)" "$(around "$KOCH_GAP" 2)" "$plain"
    local stray=${ANSWERS[0]} bbox=${ANSWERS[1]} at_start=${ANSWERS[2]} at_end=${ANSWERS[3]}
    local at_peak=${ANSWERS[4]} at_gap=${ANSWERS[5]} across=${ANSWERS[6]}
    local left top right bottom start_x start_y end_x peak_y
    read -r start_x start_y <<<"$KOCH_START"
    read -r end_x _ <<<"$KOCH_END"
    read -r _ peak_y <<<"$KOCH_PEAK"
    read -r left top right bottom <<<"$bbox"
    if [ "$stray" -ne 0 ]; then
        PROBLEM="$stray pixels are neither red nor white"
    elif [ "$bbox" = none ]; then
        PROBLEM="no red pixel"
    elif [ "$at_start" -eq 0 ] || [ "$at_end" -eq 0 ] || [ "$at_peak" -eq 0 ]; then
        PROBLEM="red pixels near the start ($KOCH_START), the end ($KOCH_END) and the peak"
        PROBLEM+=" ($KOCH_PEAK): $at_start, $at_end and $at_peak"
    elif [ "$left" -lt $((start_x - 3)) ] || [ "$top" -lt $((peak_y - 3)) ] \
        || [ "$right" -gt $((end_x + 3)) ] || [ "$bottom" -gt $((start_y + 3)) ]; then
        PROBLEM="red pixels span ($left, $top) to ($right, $bottom), beyond the curve's box"
        PROBLEM+=" ($start_x, $peak_y) to ($end_x, $start_y)"
    elif [ "$at_gap" -ne 0 ]; then
        PROBLEM="the base line under the peak, near ($KOCH_GAP), is drawn"
    elif [ "$across" -ne 1 ]; then
        PROBLEM="column $KOCH_PLAIN_COLUMN crosses the base line in $across red pixels, not 1"
    else
        return 0
    fi
    return 1
}

# Where the start-up Koch curve lies on the raster, for check_koch_curve.
locate_koch_curve() {
    local window=(-0.1 1.1 -0.5 0.7)
    KOCH_START=$(world_to_raster "${window[@]}" 0 0)
    KOCH_END=$(world_to_raster "${window[@]}" 1 0)
    KOCH_PEAK=$(world_to_raster "${window[@]}" 0.5 "sqrt(3)/6")
    KOCH_GAP=$(world_to_raster "${window[@]}" 0.5 0)
    read -r KOCH_PLAIN_COLUMN _ <<<"$(world_to_raster "${window[@]}" "1/18" 0)"
}

test_draw_koch_curve() {
    local panel plane
    locate_koch_curve
    panel=$(e2e_wait_for_window "Control Panel")
    plane=$(e2e_wait_for_window "2D Graphic Plane")
    click_button "$panel" 16 16 75 25 # "Draw"
    wait_for_drawing "$plane" check_koch_curve 20
}

# "Plant 1" as the preset sets it: five substitutions of F -> G(+F)G(-F)+F at 20 degrees with
# the length scale 2/3, in green. The first step, the trunk's foot at world (0, 0), is drawn
# with the starting pen of 2 x 5 = 10 pixels; the "(" after it narrows the pen by 3 twice, so
# the trunk's second step is 4 pixels wide. The highest tip ends eleven steps up a path whose
# heading alternates between 0 and 20 degrees: six steps upright, five at 20 degrees; the pen
# there is at most 4 pixels wide.
PLANT_GREEN=4,123,22

check_plant_1() {
    local foot_x foot_y second_x second_y tip_y
    read -r foot_x foot_y <<<"$PLANT_FOOT"
    read -r second_x second_y <<<"$PLANT_SECOND_STEP"
    read -r _ tip_y <<<"$PLANT_TIP"
    measure "$1" "$PLANT_GREEN" stray bbox "span:$foot_x,$((foot_y - 5))" \
        "span:$second_x,$second_y"
    local stray=${ANSWERS[0]} bbox=${ANSWERS[1]} trunk=${ANSWERS[2]} second=${ANSWERS[3]}
    local top bottom trunk_left trunk_right second_left second_right
    read -r _ top _ bottom <<<"$bbox"
    read -r trunk_left trunk_right <<<"$trunk"
    read -r second_left second_right <<<"$second"
    if [ "$stray" -ne 0 ]; then
        PROBLEM="$stray pixels are neither green nor white"
    elif [ "$bbox" = none ]; then
        PROBLEM="no green pixel"
    elif [ "$trunk" = none ] || [ "$second" = none ]; then
        PROBLEM="the trunk misses ($foot_x, $((foot_y - 5))) above its foot or ($PLANT_SECOND_STEP)"
        PROBLEM+=" in its second step"
    elif ! within $((trunk_right - trunk_left + 1)) 8 12 \
        || ! within $((trunk_left + trunk_right - 2 * foot_x)) -2 2; then
        PROBLEM="above its foot the trunk covers columns $trunk_left to $trunk_right, not about 10"
        PROBLEM+=" pixels around column $foot_x"
    elif [ "$bottom" -gt $((foot_y + 6)) ]; then
        PROBLEM="green reaches row $bottom, below the trunk's foot at row $foot_y"
    elif ! within $((second_right - second_left + 1)) 3 6; then
        PROBLEM="the trunk's second step covers columns $second_left to $second_right, not about"
        PROBLEM+=" 4 pixels"
    elif ! within "$top" $((tip_y - 4)) $((tip_y + 4)); then
        PROBLEM="the crown's top is at row $top, not near row $tip_y of the highest tip"
    else
        return 0
    fi
    return 1
}

test_draw_plant_1() {
    local panel plane window=(-1 1 -0.1 1.9) step="(2/3)**5"
    PLANT_FOOT=$(world_to_raster "${window[@]}" 0 0)
    PLANT_SECOND_STEP=$(world_to_raster "${window[@]}" 0 "1.5*$step")
    PLANT_TIP=$(world_to_raster "${window[@]}" 0 "$step*(6+5*cos(radians(20)))")

    panel=$(e2e_wait_for_window "Control Panel")
    plane=$(e2e_wait_for_window "2D Graphic Plane")
    click_button "$panel" 120 348 81 25 # "Plant 1"
    click_button "$panel" 16 16 75 25   # "Draw"
    wait_for_drawing "$plane" check_plant_1 20
}

# A figure of 282 475 249 steps, opened from a file named on the command line: Draw starts it,
# and Exit ends the program at once, with status 0, while it is being drawn.
arguments_exit_during_a_long_draw() {
    cat >"$E2E_WORK/long.lsys" <<'LSYSTEM'
Lindenmayer L-system 1
axiom = F
rule-f = FFFFFFF
rule-g = GG
length = 1/7
substitutions = 10
x1 = -1
x2 = 1
y1 = -0.1
y2 = 1.9
preset = Plant 2
LSYSTEM
    E2E_PROGRAM_ARGS=("$E2E_WORK/long.lsys")
}

test_exit_during_a_long_draw() {
    local panel plane capture="$E2E_WORK/raster.ppm"
    panel=$(e2e_wait_for_window "Control Panel")
    plane=$(e2e_wait_for_window "2D Graphic Plane")
    click_button "$panel" 16 16 75 25 # "Draw"
    sleep 1
    capture_raster "$plane" "$capture"
    measure "$capture" "$PLANT_GREEN" bbox
    [ "${ANSWERS[0]}" != none ] || e2e_fail "nothing green is drawn a second after Draw"
    e2e_program_running || e2e_fail "the program ended while drawing"
    click_button "$panel" 264 16 75 25 # "Exit"
    e2e_wait_for_exit 1
    [ "$E2E_PROGRAM_STATUS" -eq 0 ] || e2e_fail "exit status $E2E_PROGRAM_STATUS after Exit"
}

# Prints the ids of the visible windows, one a line, sorted.
visible_windows() {
    xdotool search --onlyvisible --name '' 2>/dev/null | sort
}

# The book's plant typed as books print it shows the notation hint at the field: a tooltip, a
# new window just below the F field. The same plant pasted as rules in the panel's notation fills
# the panel and the Rules window; Draw draws it, and Undo gives back the fields before the paste.
test_paste_the_books_plant() {
    local panel plane before hint position owner capture="$E2E_WORK/raster.ppm"
    panel=$(e2e_wait_for_window "Control Panel")
    plane=$(e2e_wait_for_window "2D Graphic Plane")
    before=$(visible_windows)
    e2e_click "$panel" 280 102 # the F field; without a window manager the pointer's window types
    xdotool key ctrl+a
    xdotool type 'F[+X]F[-X]+X'
    sleep 0.5
    hint=$(comm -13 <(echo "$before") <(visible_windows) | head -n 1)
    [ -n "$hint" ] || e2e_fail "no hint is shown after typing square brackets"
    position=$(e2e_window_position "$hint")
    within "${position#*,}" $((36 + 100)) $((36 + 160)) \
        || e2e_fail "the hint is at $position, not below the F field"

    python3 "$E2E_DIR/set_clipboard.py" $'axiom X\nangle 25\nF=FF\nX=F(+X)F(-X)+X\n' 20 &
    owner=$!
    sleep 0.5
    xdotool key ctrl+shift+v
    e2e_wait_for_window "Control Panel — 1 more rule" >/dev/null
    kill "$owner" && wait "$owner" 2>/dev/null || true
    e2e_wait_for_window "Rules" >/dev/null

    xdotool mousemove --window "$panel" 50 28 # Draw, which takes the focus from the field
    click_button "$panel" 16 16 75 25
    sleep 2
    capture_raster "$plane" "$capture"
    measure "$capture" "$KOCH_RED" bbox
    [ "${ANSWERS[0]}" != none ] || e2e_fail "Draw drew nothing red for the pasted plant"

    xdotool mousemove --window "$panel" 200 420 key ctrl+z
    e2e_wait_for_window "Control Panel" >/dev/null
}
