#!/usr/bin/env bash
# Makes the Debian package from this checkout: installs what is missing, builds the Release
# program alone in build/package, runs cpack and prints the path of the .deb.
set -euo pipefail
cd "$(dirname "$0")/.."
# Everything but the path goes to standard error, so `deb=$(scripts/package.sh)` works.
exec 3>&1 1>&2
scripts/install-deps.sh package
cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ \
    -DBUILD_TESTING=OFF
cmake --build build/package
rm -f build/package/*.deb
(cd build/package && cpack -G DEB)
realpath build/package/lindenmayer_*.deb >&3
