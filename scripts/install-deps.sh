#!/usr/bin/env bash
# Installs the Debian packages that a task needs, when any is missing:
#   install-deps.sh run       building and running the program
#   install-deps.sh package   building its Debian package
#   install-deps.sh [test]    building and running everything, tests included (the default)
set -euo pipefail

# The program ships built by GCC; the tests build it with clang as well, under the sanitizers.
build=(cmake ninja-build g++ qt6-base-dev libgl-dev libgif-dev zlib1g-dev)
run=("${build[@]}" fonts-dejavu-core fonts-dejavu-extra)
# dpkg-shlibdeps computes the package's dependencies; cpack finds executables with file.
package=("${build[@]}" dpkg-dev file)
# libclang-rt-14-dev holds clang's runtimes for AddressSanitizer, UndefinedBehaviorSanitizer,
# ThreadSanitizer and libFuzzer (clang is clang 14 on Debian 12).
test=(
    "${run[@]}" "${package[@]}"
    clang clang-format libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth xdotool x11-utils imagemagick python3
    desktop-file-utils libxml2-utils librsvg2-bin poppler-utils
)

case ${1:-test} in
run) packages=("${run[@]}") ;;
package) packages=("${package[@]}") ;;
test) packages=("${test[@]}") ;;
*)
    echo "usage: $0 [run|package|test]" >&2
    exit 2
    ;;
esac

missing=()
for package in $(printf '%s\n' "${packages[@]}" | sort -u); do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
        || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
