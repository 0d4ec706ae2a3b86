# The Debian package (cpack -G DEB, see scripts/package.sh): everything `cmake --install` lays
# out, under /usr, with the dependencies dpkg-shlibdeps finds in the programs and libraries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME morva)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Morva developers <morva@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "configuration utility for gaming keyboards, mice, mouse pads and headsets")
set(CPACK_PACKAGE_DESCRIPTION
    "Edits key assignments, lighting, macros, DPI and headset audio of USB HID gaming
peripherals and keeps them in named profiles. Includes the GUI (morva) and the
command-line companion (morvactl).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${MORVA_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at the first download rather than linked, so dpkg-shlibdeps cannot see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libcurl4")
# The Chinese interface texts need glyphs the shipped font lacks.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-wqy-microhei)
include(CPack)
