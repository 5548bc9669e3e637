#!/usr/bin/env bash
# Installs what is missing, builds everything (warnings as errors) and runs every test:
# unit and widget tests headless, the end-to-end tests in Xvfb, and the bounded fuzz runs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DLSYS_WERROR=ON
cmake --build build/test
cd build/test
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600
