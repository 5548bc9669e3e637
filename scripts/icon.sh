#!/usr/bin/env bash
# Makes the program's icon, packaging/io.github.lindenmayer.Lindenmayer.svg: "Plant 1" at four
# substitutions, framed by the command line's --fit, as the program itself draws it.
# Usage: scripts/icon.sh [PROGRAM]; PROGRAM defaults to the Release build, built first.
set -euo pipefail
cd "$(dirname "$0")/.."

program=${1:-$(scripts/build-release.sh)}
"$program" --render packaging/io.github.lindenmayer.Lindenmayer.svg --preset "Plant 1" --subst 4 \
    --fit
