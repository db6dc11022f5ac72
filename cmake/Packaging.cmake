# Installs Tiravo like any desktop program (cmake --install) and packs the
# same tree into a Debian package (cpack -G DEB; scripts/package does both).
include(GNUInstallDirs)

set(TIRAVO_APP_ID example.korvane.Tiravo)
set(TIRAVO_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

# The build keeps the program at src/Tiravo, where the scripts start it; the
# installed command is lower case like every other on the system. The rename
# follows the install of the target, so a stripped install stays stripped.
install(TARGETS Tiravo tiravo-db RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(CODE "
    set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(RENAME \"\${bin}/Tiravo\" \"\${bin}/tiravo\")
    message(STATUS \"Renamed: \${bin}/tiravo\")")

install(FILES ${TIRAVO_PACKAGING_DIR}/${TIRAVO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TIRAVO_PACKAGING_DIR}/${TIRAVO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${TIRAVO_PACKAGING_DIR}/icons/hicolor
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

# Manual pages go out compressed, without a time stamp, so that the package
# is the same on every build.
find_program(GZIP_EXECUTABLE gzip REQUIRED)
set(TIRAVO_MANUALS)
foreach(page tiravo.1 tiravo-db.1)
    set(compressed ${CMAKE_CURRENT_BINARY_DIR}/man/${page}.gz)
    add_custom_command(OUTPUT ${compressed}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/man
        COMMAND ${GZIP_EXECUTABLE} -9n -c ${TIRAVO_PACKAGING_DIR}/${page} > ${compressed}
        DEPENDS ${TIRAVO_PACKAGING_DIR}/${page}
        VERBATIM)
    list(APPEND TIRAVO_MANUALS ${compressed})
endforeach()
add_custom_target(tiravo-manuals ALL DEPENDS ${TIRAVO_MANUALS})
install(FILES ${TIRAVO_MANUALS} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# --- Debian package ---------------------------------------------------------
set(TIRAVO_DEB_RELEASE 1)
set(TIRAVO_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tiravo)
install(FILES ${TIRAVO_PACKAGING_DIR}/debian/copyright DESTINATION ${TIRAVO_DOC_DIR})
set(changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz)
add_custom_command(OUTPUT ${changelog}
    COMMAND ${GZIP_EXECUTABLE} -9n -c ${TIRAVO_PACKAGING_DIR}/debian/changelog > ${changelog}
    DEPENDS ${TIRAVO_PACKAGING_DIR}/debian/changelog
    VERBATIM)
add_custom_target(tiravo-changelog ALL DEPENDS ${changelog})
install(FILES ${changelog} DESTINATION ${TIRAVO_DOC_DIR})
install(FILES ${TIRAVO_PACKAGING_DIR}/debian/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME tiravo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tiravo)
set(CPACK_PACKAGE_VENDOR Korvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Korvane <tiravo@korvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "prize draws of numbers, names and photos at live events")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # tiravo_VERSION-RELEASE_ARCH.deb
set(CPACK_DEBIAN_PACKAGE_RELEASE ${TIRAVO_DEB_RELEASE})
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.korvane.example/tiravo.html)
# The libraries the binaries load, as dpkg-shlibdeps finds them (the
# spreadsheets' libzip4 and libxlsxwriter4, and libqt6multimedia6 with the
# plugins that play the draws' sounds, are named as well, so that the
# package asks for them even where shlibdeps is not run); the rest is what
# the program loads at run time without linking to it: Qt's plugins for TIFF
# and the other picture kinds the operator may choose, Qt's translations for
# its own file dialogs, and the fonts that stand in for the captions' own
# (Liberation keeps their widths).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libzip4, libxlsxwriter4, libqt6multimedia6, qt6-image-formats-plugins, qt6-translations-l10n, fonts-liberation, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
file(READ ${TIRAVO_PACKAGING_DIR}/debian/description TIRAVO_DEB_DESCRIPTION)
string(STRIP "${TIRAVO_DEB_DESCRIPTION}" TIRAVO_DEB_DESCRIPTION)
# The synopsis is the summary above; this is the extended description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "${TIRAVO_DEB_DESCRIPTION}")
include(CPack)

add_test(NAME install
    COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${PROJECT_BINARY_DIR}
            -DSCRATCH=${PROJECT_BINARY_DIR}/install-check -P ${PROJECT_SOURCE_DIR}/cmake/CheckInstall.cmake)
