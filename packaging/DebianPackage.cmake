# The Debian package of the installed files: cpack -G DEB in the build
# folder writes quilvane_<version>_<architecture>.deb there. cpack packs what
# the build made; it does not build (build first).
#
# Runtime dependencies: dpkg-shlibdeps (package dpkg-dev) finds the Debian
# packages of the shared libraries the program loads (SDL2, cairo, pango,
# X11, the C++ runtime); the font the dialog font maps to is added by hand,
# since fontconfig finds it at run time rather than by linking.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quilvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "quilvane maintainers <maintainers@users.noreply.c-seed-6f4cb45c.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "front-end of a multi-channel data-acquisition recorder")
# Debian shows the description as written: lines of fewer than 80 characters.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "quilvane shows the settings of a multi-channel data-acquisition recorder"
  "in one classic dialog window: one of 18 channels, a sample rate in kHz, a"
  "recording time in ms, an output file name and one of four file formats"
  "(Text, Binary, CSV, Matlab). Detect Hardware looks for acquisition"
  "hardware; recording stays disabled while none is found.")

# Only the program's component: files other folders may install for
# development never end up in the package.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};${QV_INSTALL_COMPONENT};/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Debian ships stripped programs.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation)

find_program(QV_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(NOT QV_DPKG_SHLIBDEPS)
  message(STATUS "dpkg-shlibdeps not found: install dpkg-dev to build the Debian package")
endif()

include(CPack)
