#!/usr/bin/env bash
# Installs what is missing, checks the formatting, then builds and tests with both compilers:
# the plain C++ libraries without Qt, and then everything (warnings as errors), built as the
# program ships (GCC, Release), every test run: unit and widget tests headless, the end-to-end
# tests in Xvfb and the packaging checks; the L-system tests under ThreadSanitizer; and last the
# unit and widget tests and the bounded fuzz runs built by clang under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
export QT_QPA_PLATFORM=offscreen

# Every source file as the repository's .clang-format writes it.
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

# The plain libraries and their tests where Qt cannot be found (none of them may need it), built
# with the compiler and flags the program ships with.
cmake -S . -B build/plain -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_COMPILER=g++ -DLSYS_WERROR=ON -DLSYS_QT=OFF \
    -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON --no-warn-unused-cli
cmake --build build/plain
ctest --test-dir build/plain --output-on-failure --no-tests=error --timeout 600

# The walk and its lookahead thread under ThreadSanitizer; any report fails its test
# (TSAN_OPTIONS=halt_on_error=1, set by the tests' configure).
cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DLSYS_WERROR=ON -DLSYS_QT=OFF -DLSYS_TSAN=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON --no-warn-unused-cli
cmake --build build/tsan --target lsystem_tests
ctest --test-dir build/tsan -R '^lsystem\.' --output-on-failure --no-tests=error --timeout 600

# Everything as it ships (the fuzz targets need clang and run under the sanitizers below).
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_COMPILER=g++ -DLSYS_WERROR=ON
cmake --build build/test
ctest --test-dir build/test --output-on-failure --no-tests=error --timeout 600

cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DLSYS_WERROR=ON -DLSYS_SANITIZE=ON -DLSYS_BENCHMARKS=OFF
cmake --build build/asan
ctest --test-dir build/asan --output-on-failure --no-tests=error --timeout 600 \
    --label-exclude 'e2e|packaging'
