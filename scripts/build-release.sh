#!/usr/bin/env bash
# Installs what the program needs, builds the Release program alone (no tests) in build/release
# and prints the executable's path.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run >&2
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ \
    -DBUILD_TESTING=OFF >&2
cmake --build build/release --target Lindenmayer >&2
echo "$PWD/build/release/app/Lindenmayer"
