#!/usr/bin/env bash
# Makes the README's pictures of the help on the screen: help_screenshots.sh PROGRAM FOLDER starts
# PROGRAM on a private Xvfb, types the book's plant with square brackets into the F field and
# saves the top of the panel with the hint that appears (FOLDER/notation-hint.png), then opens
# the Help window with F1 and saves it (FOLDER/help-window.png). The tests do not run it.
set -euo pipefail

[ $# -eq 2 ] || { echo "usage: $0 PROGRAM FOLDER" >&2; exit 2; }
E2E_DIR=$(cd "$(dirname "$0")" && pwd)
E2E_PROGRAM=$1
folder=$2
source "$E2E_DIR/lib.sh"
source "$E2E_DIR/cases.sh"

E2E_WORK=$(mktemp -d)
trap e2e_cleanup EXIT
e2e_start_xvfb
E2E_PROGRAM_ARGS=()
e2e_start_program

panel=$(e2e_wait_for_window "Control Panel")
e2e_click "$panel" 280 102 # the F field
xdotool key ctrl+a
xdotool type 'F[+X]F[-X]+X'
sleep 0.5
import -window root -crop 480x160+0+36 +repage -strip "$folder/notation-hint.png" \
    || e2e_fail "could not capture the hint"
xdotool key F1
help=$(e2e_wait_for_window "Lindenmayer Help")
sleep 0.5
import -window "$help" -strip "$folder/help-window.png" || e2e_fail "could not capture the Help"
echo "wrote $folder/notation-hint.png and $folder/help-window.png"
