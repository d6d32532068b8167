# SPDX-License-Identifier: GPL-3.0-or-later
# What a package adds to the installed program: the manual pages, the software-centre
# metadata, the tool's bash completion and the Debian documents, and the CPack settings
# for `cpack -G DEB` (scripts/package runs it).

# Debian keeps manual pages and changelogs compressed, without a time stamp inside.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(QUILLERY_PACKAGED_DOCS)
foreach(source desktop/quillery.1 desktop/quillery-cli.1 cmake/debian/changelog)
  get_filename_component(name ${source} NAME)
  set(compressed ${CMAKE_BINARY_DIR}/packaged/${name}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaged
    COMMAND ${GZIP_PROGRAM} -9 -n -c ${CMAKE_SOURCE_DIR}/${source} > ${compressed}
    DEPENDS ${CMAKE_SOURCE_DIR}/${source} VERBATIM)
  list(APPEND QUILLERY_PACKAGED_DOCS ${compressed})
endforeach()
add_custom_target(quillery_packaged_docs ALL DEPENDS ${QUILLERY_PACKAGED_DOCS})

install(FILES ${CMAKE_BINARY_DIR}/packaged/quillery.1.gz ${CMAKE_BINARY_DIR}/packaged/quillery-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES desktop/io.github.quillery.Quillery.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES desktop/quillery-cli.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME quillery-cli)
install(FILES cmake/debian/copyright ${CMAKE_BINARY_DIR}/packaged/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillery)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillery)
set(CPACK_PACKAGE_VENDOR "Tamsin Orde")
set(CPACK_PACKAGE_CONTACT "Tamsin Orde <feedback@quillery.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keeps documents, pictures and sounds in one binder file")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Quillery keeps many documents in one file, the binder (.qly): rich text,\n"
    "plain text, HTML, pictures, sounds and any other file, as an ordered list\n"
    "of pages. Several binders open at once, each with its page list and a\n"
    "viewer. Pages are edited in the built-in text editor or in other programs,\n"
    "imported from files, folders and other binders, exported, printed,\n"
    "protected by a password and scanned.\n"
    "\n"
    "quillery-cli makes, lists, extracts and checks binders from scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries the programs and the browser module link (so Qt WebEngine) come from
# dpkg-shlibdeps; what Qt loads at run time is named here: the SVG plugins that draw every icon, and the plugins for sounds,
# more picture formats and Wayland. Binders name Times New Roman, Courier New and Arial;
# the Liberation fonts have their measures, so pages keep their layout and plain text its
# fixed pitch.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The editor's document layout extends a class of Qt's that is not public interface and may
# change in any release, so the package asks for the very Qt it was built against.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, fonts-liberation2, qt6-base-abi (= ${Qt6_VERSION})")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, qt6-image-formats-plugins, qt6-translations-l10n, qt6-wayland, xdg-utils")
include(CPack)
