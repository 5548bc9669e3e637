#!/usr/bin/env bash
# Installs what is missing, builds the plain C++ libraries without Qt and runs their tests, and
# the L-system tests under ThreadSanitizer. Then builds everything (warnings as errors) and runs
# every test: unit and widget tests headless, the end-to-end tests in Xvfb, the bounded fuzz runs
# and the packaging checks. Then builds the unit and widget tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
export QT_QPA_PLATFORM=offscreen

# Every source file as the repository's .clang-format writes it.
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

# The plain libraries and their tests where Qt cannot be found: none of them may need it.
cmake -S . -B build/plain -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DLSYS_WERROR=ON -DLSYS_QT=OFF \
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

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DLSYS_WERROR=ON
cmake --build build/test
ctest --test-dir build/test --output-on-failure --no-tests=error --timeout 600

cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DLSYS_WERROR=ON -DLSYS_SANITIZE=ON \
    -DLSYS_FUZZERS=OFF -DLSYS_BENCHMARKS=OFF
cmake --build build/asan
ctest --test-dir build/asan --output-on-failure --no-tests=error --timeout 600 \
    --label-exclude 'e2e|packaging'
