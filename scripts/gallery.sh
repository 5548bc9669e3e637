#!/usr/bin/env bash
# Makes the README's gallery as docs/gallery/NAME.png of SIZE pixels (default 350): each of the
# eight presets as the command line draws it, at the preset's own number of substitutions (Plant
# 4, which keeps the count, at 6), and the examples that use rules for other symbols, each from
# its file.
# Usage: scripts/gallery.sh [PROGRAM] [SIZE]; PROGRAM defaults to the Release build, built first.
set -euo pipefail
cd "$(dirname "$0")/.."

program=${1:-$(scripts/build-release.sh)}
size=${2:-350}

presets=(
    "koch-curve:Koch Curve"
    "koch-island:Koch Island"
    "sierpinski-curve-1:Sierp. Curve 1"
    "sierpinski-curve-2:Sierp. Curve 2"
    "plant-1:Plant 1"
    "plant-2:Plant 2"
    "plant-3:Plant 3"
    "plant-4:Plant 4:6"
)
examples=(
    plant-d plant-e plant-f stochastic-plant
    islands-and-lakes hilbert-curve fass-curve-a fass-curve-b dragon-curve-xy
)
mkdir -p docs/gallery
for entry in "${presets[@]}"; do
    IFS=: read -r file preset count <<<"$entry"
    "$program" --render "docs/gallery/$file.png" --preset "$preset" --size "$size" \
        ${count:+--subst "$count"}
    echo "docs/gallery/$file.png: $preset"
done
for file in "${examples[@]}"; do
    "$program" --render "docs/gallery/$file.png" "examples/$file.lsys" --size "$size"
    echo "docs/gallery/$file.png: examples/$file.lsys"
done
