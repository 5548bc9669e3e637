#!/usr/bin/env bash
# Checks of the installed files and of the Debian package:
#   check_package.sh desktop-entry FILE.desktop
#   check_package.sh mime-entry FILE.xml
#   check_package.sh deb-CHECK DEB_PREFIX VERSION SOURCE_EXAMPLES APP_ID
# where DEB_PREFIX is the package's path up to its architecture (folder/name_version) and
# deb-CHECK one of the deb_* functions below.
set -euo pipefail

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# desktop-file-validate exits 0 on warnings too; only its hints are acceptable here.
check_desktop_entry() {
    local report
    report=$(desktop-file-validate "$1" 2>&1) || fail "desktop-file-validate: $report"
    ! grep -Ei ': (error|warning):' <<<"$report" || fail "desktop-file-validate: $report"
    [ -z "$report" ] || echo "$report"
}

check_mime_entry() {
    xmllint --noout "$1" || fail "$1 is not well-formed XML"
}

deb_contents() {
    local listing depends path package
    listing=$(dpkg-deb --contents "$DEB")
    for path in \
        usr/bin/Lindenmayer \
        "usr/share/applications/$APP_ID.desktop" \
        "usr/share/icons/hicolor/scalable/apps/$APP_ID.svg" \
        "usr/share/mime/packages/$APP_ID.xml"; do
        grep -q " \./$path\$" <<<"$listing" || fail "$path is not in the package"
    done
    [ "$(dpkg-deb --field "$DEB" Version)" = "$VERSION" ] \
        || fail "package version $(dpkg-deb --field "$DEB" Version), not $VERSION"
    # Computed by dpkg-shlibdeps from the executable, not written by hand.
    depends=$(dpkg-deb --field "$DEB" Depends)
    for package in libc6 libqt6core6 libqt6widgets6; do
        grep -q "\b$package\b" <<<"$depends" || fail "Depends lacks $package: $depends"
    done
}

deb_examples() {
    local listing example count=0
    listing=$(dpkg-deb --contents "$DEB")
    for example in "$SOURCE_EXAMPLES"/*.lsys; do
        [ -e "$example" ] || fail "no examples in $SOURCE_EXAMPLES"
        grep -q " \./usr/share/lindenmayer/examples/$(basename "$example")\$" <<<"$listing" \
            || fail "$(basename "$example") is not in the package"
        count=$((count + 1))
    done
    echo "$count examples packaged"
}

# Unpacks the package into a temporary folder, UNPACKED, removed on exit.
unpack() {
    UNPACKED=$(mktemp -d)
    trap 'rm -rf "$UNPACKED"' EXIT
    dpkg-deb -x "$DEB" "$UNPACKED"
}

# Runs the packaged program as on a machine without any display.
run_headless() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$UNPACKED/usr/bin/Lindenmayer" "$@"
}

deb_version() {
    local output
    unpack
    output=$(run_headless --version) || fail "--version failed: $output"
    grep -qwF -- "$VERSION" <<<"$output" || fail "--version printed \"$output\", not $VERSION"
}

deb_render() {
    local examples example png signature width height
    unpack
    examples=("$UNPACKED"/usr/share/lindenmayer/examples/*.lsys)
    example=${examples[0]}
    [ -e "$example" ] || fail "no examples in the package"
    png="$UNPACKED/figure.png"
    run_headless --render "$png" "$example" || fail "--render $png $(basename "$example") failed"
    [ -s "$png" ] || fail "--render wrote no $png"
    signature=$(od -An -tx1 -N8 "$png" | tr -d ' \n')
    [ "$signature" = 89504e470d0a1a0a ] || fail "$png is not a PNG"
    read -r width height < <(od -An -tu4 --endian=big -j16 -N8 "$png")
    [ "${width}x$height" = 700x700 ] || fail "$png is ${width}x$height, not 700x700"
}

case ${1:-} in
desktop-entry) check_desktop_entry "$2" ;;
mime-entry) check_mime_entry "$2" ;;
deb-contents | deb-examples | deb-version | deb-render)
    [ $# -eq 5 ] || fail "usage: $0 $1 DEB_PREFIX VERSION SOURCE_EXAMPLES APP_ID"
    debs=("$2"_*.deb)
    [ ${#debs[@]} -eq 1 ] && [ -e "${debs[0]}" ] || fail "not exactly one package $2_*.deb"
    DEB=${debs[0]} VERSION=$3 SOURCE_EXAMPLES=$4 APP_ID=$5
    case $1 in
    deb-contents) deb_contents ;;
    deb-examples) deb_examples ;;
    deb-version) deb_version ;;
    deb-render) deb_render ;;
    esac
    ;;
*) fail "usage: $0 desktop-entry|mime-entry|deb-contents|deb-examples|deb-version|deb-render ..." ;;
esac
