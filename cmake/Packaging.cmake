# The Debian package: `cpack -G DEB` in the build directory makes
# aerokit_<version>_<arch>.deb from the install rules (share/CMakeLists.txt).
set(CPACK_PACKAGE_NAME aerokit)
set(CPACK_PACKAGE_VENDOR "The Aerokit developers")
set(CPACK_PACKAGE_CONTACT "The Aerokit developers <aerokit@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "pilot logbook, preflight planner and weight and balance")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/aerokit/aerokit")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_NAME aerokit)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Dependencies computed by dpkg-shlibdeps from the installed programs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The extended description; the synopsis is the summary above, and CPack
# indents the lines as Debian's control file wants them.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Aerokit is a desktop program for pilots with three tools behind one main
menu: a pilot logbook (certificates and ratings, flights, a viewer with
removal, total times, the FAR 61.57 currency figures and a one-line-per-flight
list), a preflight planner (the FAA flight plan form and a navigation log of up
to ten checkpoints) and a weight and balance calculator (aircraft definitions
and the loading calculation).
.
Its files are fixed-length record files, byte-compatible with the logbooks,
flight plans and aircraft files pilots already have.")
include(CPack)
