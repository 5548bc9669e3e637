#!/usr/bin/env bash
# Makes the README's picture: screenshot.sh PROGRAM OUTPUT starts PROGRAM on a private Xvfb,
# draws "Plant 3" and saves both windows, cut out of the screen and set on a slate ground,
# as the PNG file OUTPUT. The tests do not run it.
set -euo pipefail

[ $# -eq 2 ] || { echo "usage: $0 PROGRAM OUTPUT.png" >&2; exit 2; }
E2E_DIR=$(cd "$(dirname "$0")" && pwd)
E2E_PROGRAM=$1
output=$2
source "$E2E_DIR/lib.sh"
source "$E2E_DIR/cases.sh"

for tool in Xvfb xdotool xwininfo import convert python3; do
    command -v "$tool" >/dev/null || e2e_fail "$tool is missing: run scripts/install-deps.sh"
done

# Accepts the figure once it has green in it; wait_for_drawing sees to it that it has stopped
# growing.
check_drawn() {
    measure "$1" 4,123,22 bbox
    [ "${ANSWERS[0]}" != none ] && return
    PROBLEM="no green pixel"
    return 1
}

# Prints "WIDTH HEIGHT X Y" of the part of a window that lies on the screen.
screen_area() {
    local size position width height x y
    size=$(e2e_window_size "$1")
    position=$(e2e_window_position "$1")
    width=${size%x*} height=${size#*x} x=${position%,*} y=${position#*,}
    [ "$x" -ge 0 ] || { width=$((width + x)); x=0; }
    [ "$y" -ge 0 ] || { height=$((height + y)); y=0; }
    echo "$width $height $x $y"
}

E2E_WORK=$(mktemp -d)
trap e2e_cleanup EXIT
e2e_start_xvfb
e2e_start_program

panel=$(e2e_wait_for_window "Control Panel")
plane=$(e2e_wait_for_window "2D Graphic Plane")
click_button "$panel" 192 347 81 25 # "Plant 3"
click_button "$panel" 16 16 75 25   # "Draw"
# Off both windows, so that no button shows the pointer's hover.
xdotool mousemove 1270 1010
wait_for_drawing "$plane" check_drawn 60

read -r panel_width panel_height panel_x panel_y <<<"$(screen_area "$panel")"
read -r plane_width plane_height plane_x plane_y <<<"$(screen_area "$plane")"
import -window root "$E2E_WORK/screen.png" || e2e_fail "could not capture the screen"
# The plane lies right of the panel and reaches lower, so its far corner bounds the picture.
convert -size "$((plane_x + plane_width))x$((plane_y + plane_height))" xc:'#5b6573' \
    \( "$E2E_WORK/screen.png" -crop "${panel_width}x${panel_height}+${panel_x}+${panel_y}" \) \
    \( "$E2E_WORK/screen.png" -crop "${plane_width}x${plane_height}+${plane_x}+${plane_y}" \) \
    -flatten -strip -define png:compression-level=9 "$output" \
    || e2e_fail "could not write $output"
echo "wrote $output"
