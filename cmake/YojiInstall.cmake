# Install layout (GNUInstallDirs) and the Debian package.
#   bin/yojidrill, bin/yoji-idiomfile      the program and its tools
#   share/yojidrill/template/              a layout-1 installation tree without the program;
#                                          the first start copies it to the user's data folder
#   share/applications, share/metainfo, share/icons/hicolor, share/man/man1
#   share/doc/yojidrill/copyright          the licences (data/copyright)
include(GNUInstallDirs)
set(YOJI_APP_ID org.yojidrill.Yojidrill)
set(YOJI_DESKTOP_DIR ${PROJECT_SOURCE_DIR}/data/desktop)

# The template is the demo installation written without the program; it is written again
# only when its sources or the tools that write it change.
set(YOJI_TEMPLATE_DIR ${CMAKE_BINARY_DIR}/template)
file(GLOB YOJI_TEMPLATE_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/*.txt
     ${PROJECT_SOURCE_DIR}/data/*.csv)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/template.stamp
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
          bash ${PROJECT_SOURCE_DIR}/tools/make-demo.sh ${PROJECT_SOURCE_DIR}/data
          ${YOJI_TEMPLATE_DIR} "" $<TARGET_FILE:yoji-textfile> $<TARGET_FILE:yoji-cuetones>
          $<TARGET_FILE:yoji-idiomfile>
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/template.stamp
  DEPENDS ${YOJI_TEMPLATE_SOURCES} ${PROJECT_SOURCE_DIR}/tools/make-demo.sh yoji-textfile
          yoji-cuetones yoji-idiomfile
  COMMENT "Writing the installation template"
  VERBATIM)

set(YOJI_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/icons.stamp
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:yoji-icons>
          ${YOJI_ICON_DIR} ${YOJI_APP_ID}
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/icons.stamp
  DEPENDS yoji-icons
  COMMENT "Drawing the icons"
  VERBATIM)
add_custom_target(install-data ALL
  DEPENDS ${CMAKE_BINARY_DIR}/template.stamp ${CMAKE_BINARY_DIR}/icons.stamp)

install(TARGETS yojidrill yoji-idiomfile RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${YOJI_TEMPLATE_DIR}/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/yojidrill/template)
install(FILES ${YOJI_DESKTOP_DIR}/${YOJI_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${YOJI_DESKTOP_DIR}/${YOJI_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${YOJI_DESKTOP_DIR}/${YOJI_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${YOJI_ICON_DIR}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${PROJECT_SOURCE_DIR}/docs/man/yojidrill.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The licences, in Debian's machine-readable form: the stroke table built into the program is
# shared under its source's licence, which asks for its text and attribution with every copy.
install(FILES ${PROJECT_SOURCE_DIR}/data/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The Debian package: cpack -G DEB in the build folder.
set(CPACK_PACKAGE_NAME yojidrill)
set(CPACK_PACKAGE_VENDOR "四字熟語ドリルの開発者")
set(CPACK_PACKAGE_CONTACT "四字熟語ドリルの開発者 <yojidrill@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "four-character idiom drill for Japanese pupils")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "A drill program for pupils who learn Japanese four-character idioms (yoji-jukugo).\n"
    "A pupil picks a name and runs practice walks and timed tests over ten ranges of\n"
    "idioms, building the reading from kana tiles and the idiom from kanji tiles. Results,\n"
    "points and rankings are recorded; teachers print worksheets with blanks. Several\n"
    "machines may share one installation folder on a file server.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# Drawn with these fonts; the desktop would otherwise fall back to any Japanese font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, fonts-ipafont-mincho")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://example.org/yojidrill/")
include(CPack)
