#!/usr/bin/env bash
# Installs what is missing, builds the Release program alone (no tests) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++ \
    -DBUILD_TESTING=OFF
cmake --build build/release --target Lindenmayer
exec build/release/app/Lindenmayer "$@"
