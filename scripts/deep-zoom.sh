#!/usr/bin/env bash
# Makes the README's deep zoom as docs/deep-zoom/koch-K.png of SIZE pixels (default 240), K from 0
# to 6: the Koch curve as --explore draws it, zoomed 10^K times about the tip of its middle spike,
# (1/2, √3/6), a point the curve passes through at every count. Prints the substitutions each
# view used.
# Usage: scripts/deep-zoom.sh [PROGRAM] [SIZE]; PROGRAM defaults to the Release build, built first.
set -euo pipefail
cd "$(dirname "$0")/.."

program=${1:-$(scripts/build-release.sh)}
size=${2:-240}

# Half the width of the view at zoom 1, where it shows the whole curve as the preset's window does.
half=0.6
mkdir -p docs/deep-zoom
for k in 0 1 2 3 4 5 6; do
    h="$half/10^$k"
    stats=$("$program" --render "docs/deep-zoom/koch-$k.png" --preset "Koch Curve" --explore \
        --size "$size" --window "0.5-$h,0.5+$h,SQRT(3)/6-$h,SQRT(3)/6+$h" --stats)
    echo "docs/deep-zoom/koch-$k.png: zoom 10^$k, $stats"
done
