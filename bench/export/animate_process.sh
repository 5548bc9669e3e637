#!/usr/bin/env bash
# The command line as a whole process, start-up to exit: `--animate` of the growth of Plant 3 to
# 7 substitutions (8 frames) and of the drawing of the Koch curve at 6 in 50 frames, 700 × 700;
# for each the wall time, the peak memory (maximum resident set size, from /usr/bin/time -v) and
# the size of the GIF.
# Usage: bench/export/animate_process.sh path/to/Lindenmayer
set -euo pipefail
program=$(realpath "${1:?usage: $0 path/to/Lindenmayer}")
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

run() {
    local name=$1
    shift
    /usr/bin/time -v "$program" --animate "$out/$name.gif" "$@" 2>"$out/$name.time"
    local wall peak
    wall=$(sed -n 's/.*Elapsed (wall clock) time.*: //p' "$out/$name.time")
    peak=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$out/$name.time")
    echo "$name: ${wall} wall, peak memory ${peak} KiB, file $(stat -c %s "$out/$name.gif") bytes"
}

run plant3-growth --preset "Plant 3" --subst 7
run koch-drawing --preset "Koch Curve" --subst 6 --frames 50
