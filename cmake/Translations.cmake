# SPDX-License-Identifier: GPL-3.0-or-later
# The program's translations. The catalogues in translations/ are kept in the tree;
# `cmake --build build --target update_translations` runs lupdate over the core and the
# user interface to refresh them, and every build compiles them into .qm files in
# build/translations, where the program finds them when it runs from the build tree.
find_package(Qt6 REQUIRED COMPONENTS LinguistTools)

set(QUILLERY_TS_FILES ${CMAKE_SOURCE_DIR}/translations/quillery_de.ts)
set(QUILLERY_QM_BUILD_DIR ${CMAKE_BINARY_DIR}/translations)
set(QUILLERY_QM_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/quillery/translations)
set_source_files_properties(${QUILLERY_TS_FILES} PROPERTIES OUTPUT_LOCATION ${QUILLERY_QM_BUILD_DIR})

# The command-line tool is left out: its output stays English, as scripts read it.
set(QUILLERY_TRANSLATED_SOURCES ${QUILLERY_CORE_SOURCES} ${QUILLERY_UI_SOURCES})
list(FILTER QUILLERY_TRANSLATED_SOURCES INCLUDE REGEX "\\.(cpp|h)$")
qt_add_lupdate(quillery_ui TS_FILES ${QUILLERY_TS_FILES}
  SOURCES ${QUILLERY_TRANSLATED_SOURCES}
  OPTIONS -no-obsolete -locations none)
qt_add_lrelease(quillery_ui TS_FILES ${QUILLERY_TS_FILES}
  QM_FILES_OUTPUT_VARIABLE QUILLERY_QM_FILES)
install(FILES ${QUILLERY_QM_FILES} DESTINATION ${QUILLERY_QM_INSTALL_DIR})

file(RELATIVE_PATH QUILLERY_QM_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${QUILLERY_QM_INSTALL_DIR})
set_source_files_properties(shell/Translations.cpp TARGET_DIRECTORY quillery_ui PROPERTIES
  COMPILE_DEFINITIONS
  "QUILLERY_QM_FROM_BIN=\"${QUILLERY_QM_FROM_BIN}\";QUILLERY_QM_BUILD_DIR=\"${QUILLERY_QM_BUILD_DIR}\"")
