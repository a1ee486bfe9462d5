# The Debian package: `cpack -G DEB` in the build folder makes
# korvane_<version>_<arch>.deb. Installed below /usr with DESTDIR, so that the
# desktop entry and the links name the final paths. The libraries it needs
# are found by dpkg-shlibdeps; only the Python module's interpreter and NumPy,
# which no shared library names, are given here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvane)
set(CPACK_PACKAGE_VENDOR "Korvane developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Korvane developers <korvane@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Korvane developers <korvane@example.org>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://korvane.example.org/")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "estimate the stresses in silos and bins")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Korvane calculates, along the height of a silo or bin, the mean vertical
stress, the wall normal stress and the bulk density for the filling or the
discharge state: Janssen slices in the vertical sections, Motzkus or Jenike
in the hopper, with a mass flow check. Desktop program in German and
English, the batch tool korvane-calc for scripts and parameter studies, and
the Python 3 module korvane on the same engine.")
if(KORVANE_PYTHON_VERSION)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "python3 (>= ${KORVANE_PYTHON_VERSION}~), python3 (<< ${KORVANE_PYTHON_NEXT}), python3-numpy")
endif()
include(CPack)
