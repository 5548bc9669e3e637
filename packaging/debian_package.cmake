# `cpack -G DEB` in the build folder makes lindenmayer_<version>_<arch>.deb from the install
# rules. The library dependencies are computed from the executable by dpkg-shlibdeps; the
# desktop, icon and MIME caches are refreshed by the triggers of the packages that own them,
# so the package needs no maintainer scripts.
set(CPACK_PACKAGE_NAME lindenmayer)
# The version the program reports with --version.
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT
    "Lindenmayer maintainers <maintainers@users.noreply.c-seed-c140b924.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "draws Lindenmayer-system figures with turtle graphics")
set(CPACK_PACKAGE_DESCRIPTION [[
An interactive desktop program that rewrites an L-system's axiom with its
production rules and walks the word with a turtle, drawing Koch curves,
Sierpinski curves, plants and other figures, and animates their growth and
drawing. Figures are saved as L-system files and exported as PNG, SVG, PDF or
animated GIF, also from the command line without a display.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The control panel's captions are laid out for the DejaVu faces, condensed ones included.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, fonts-dejavu-extra")

include(CPack)
