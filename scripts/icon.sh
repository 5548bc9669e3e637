#!/usr/bin/env bash
# Makes the program's icon, packaging/io.github.lindenmayer.Lindenmayer.svg: "Plant 1" at four
# substitutions, framed by the command line's --fit, as the program itself draws it.
# Usage: scripts/icon.sh [PROGRAM]; PROGRAM defaults to the Release build, built first.
set -euo pipefail
cd "$(dirname "$0")/.."

program=${1:-}
if [ -z "$program" ]; then
    scripts/install-deps.sh run
    cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++ \
        -DBUILD_TESTING=OFF
    cmake --build build/release --target Lindenmayer
    program=build/release/app/Lindenmayer
fi
"$program" --render packaging/io.github.lindenmayer.Lindenmayer.svg --preset "Plant 1" --subst 4 \
    --fit
