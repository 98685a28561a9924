# Installing Ferolune where a Linux desktop program's files go, and its Debian package.
#
#   cmake --install build --prefix /usr/local      # or: cd build && cpack -G DEB
#
# The program finds its own data relative to its executable (so the whole prefix can
# move) and the ephemeris in the system's data directory, which Debian's swe-basic-data
# fills whatever the prefix.
include(GNUInstallDirs)

set(FEROLUNE_INSTALL_DATADIR "${CMAKE_INSTALL_DATADIR}/ferolune")
file(RELATIVE_PATH FEROLUNE_DATADIR_FROM_BINDIR
     "${CMAKE_INSTALL_FULL_BINDIR}" "${CMAKE_INSTALL_FULL_DATADIR}/ferolune")

# Linked by the library that holds common/data_paths.cpp.
add_library(ferolune_data_paths INTERFACE)
target_compile_definitions(ferolune_data_paths INTERFACE
  FEROLUNE_INSTALL_DATADIR="${FEROLUNE_DATADIR_FROM_BINDIR}"
  FEROLUNE_BUILD_DATADIR="${PROJECT_SOURCE_DIR}/resources"
  FEROLUNE_SYSTEM_EPHE_DIR="${FEROLUNE_SYSTEM_EPHE_DIR}")

set(FEROLUNE_RESOURCES "${PROJECT_SOURCE_DIR}/resources")
# The window program and, beside it, the command line.
install(TARGETS ferolune ferolune-cli RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(FILES "${FEROLUNE_RESOURCES}/ferolune.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${FEROLUNE_RESOURCES}/org.example.ferolune.metainfo.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
foreach(size 32 64)
  install(FILES "${FEROLUNE_RESOURCES}/ferolune-icon-${size}.png" RENAME ferolune.png
          DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
endforeach()
install(FILES "${FEROLUNE_RESOURCES}/ferolune-icon.svg" RENAME ferolune.svg
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
# The data directory exists even while it holds nothing: the program tells an installed
# copy from one in its build tree by it.
install(DIRECTORY DESTINATION "${FEROLUNE_INSTALL_DATADIR}")
# The atlas as the build made it into a block the program maps (src/core/atlas).
install(FILES "${FEROLUNE_ATLAS_INDEX}" DESTINATION "${FEROLUNE_INSTALL_DATADIR}")
install(FILES "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION "${CMAKE_INSTALL_DOCDIR}")

# Installs into a scratch prefix and checks what landed there.
if(NOT DEFINED BUILD_TESTING OR BUILD_TESTING)
  add_test(NAME install_smoke
    COMMAND "${PROJECT_SOURCE_DIR}/tests/install/install_smoke.sh" "${CMAKE_BINARY_DIR}"
            "${CMAKE_BINARY_DIR}/install-smoke" "${CMAKE_INSTALL_BINDIR}" "${CMAKE_INSTALL_DATADIR}")
  set_tests_properties(install_smoke PROPERTIES LABELS install TIMEOUT 120)
endif()

# The Debian package: cpack -G DEB (or cmake --build build --target package).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ferolune)
set(CPACK_PACKAGE_VENDOR "Ferolune")
set(CPACK_PACKAGE_CONTACT "Ferolune maintainers <maintainers@ferolune.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "one-year fertility calendar from the natal chart")
set(CPACK_PACKAGE_DESCRIPTION
    "Ferolune computes the natal chart from the birth data, keeps the angle from the Sun \
forward to the Moon, and marks every day of a chosen year on which that angle returns, \
the fertile days before it and the days that are not fertile. ferolune opens the window; \
ferolune-cli writes the same calendar as PDF, iCalendar or CSV without one. The program \
speaks Hungarian.")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# dpkg-shlibdeps names the Qt and Swiss Ephemeris libraries; the data files and the
# fonts the window metrics are laid out in, the zone history of the birthplace atlas and
# Qt's Hungarian translation of its dialogs are no libraries, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "swe-basic-data, fonts-liberation, tzdata, qt6-translations-l10n")
include(CPack)
