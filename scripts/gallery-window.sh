#!/usr/bin/env bash
# Makes the README's picture of the Gallery window over the examples, docs/gallery-window.png,
# without a display: builds the helper in the Release build folder and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/bench
[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLSYS_FUZZERS=OFF
ninja -C "$build" -j2 gallery_screenshot
QT_QPA_PLATFORM=offscreen "$build/bench/app/gallery_screenshot" docs/gallery-window.png
