# A Debian package of what `cmake --install` puts: the program, the shared
# library, its headers, the CMake package and the pkg-config file. `make
# paquete` configures with the /usr prefix (so GNUInstallDirs picks the
# multiarch library folder) and runs `cpack -G DEB` in that build.

set(CPACK_PACKAGE_NAME promorlaqel)
set(CPACK_PACKAGE_VENDOR "ProMorlaQel")
set(CPACK_PACKAGE_CONTACT "ProMorlaQel maintainers <maintainers@users.noreply.c-seed-e4fb5655.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Construction cost estimating: unit-price breakdown, monthly work program, estimates summary")
set(CPACK_PACKAGE_DESCRIPTION
    "Loads a construction work from its project database (SQLite or PostgreSQL), breaks unit prices
into priced inputs, spreads each budget line over the months of the work and writes the monthly
work program and the estimates summary as .xlsx workbooks. Holds the promorlaqel program, the
shared library libpromorlaqel with its C++20 headers, a CMake package and a pkg-config file.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Run-time dependencies are read from the binaries by dpkg-shlibdeps (libsqlite3,
# libpq when built with it, libxlsxwriter, libfmt, libstdc++); the headers need
# only the standard library, so a host needs nothing else to build against it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A shlibs file for packages built against the library; with it CPack also
# adds the ldconfig calls on install and removal.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_GENERATOR DEB)
include(CPack)
