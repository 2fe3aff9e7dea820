# Install rules, desktop integration and the Debian package (included from the top-level CMakeLists.txt).
include(GNUInstallDirs)

set(GONILUX_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
set(GONILUX_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${GONILUX_PACKAGING_OUT})

# The PNG icons are rendered from the SVG at build time.
add_executable(gonilux-icon-render ${GONILUX_PACKAGING_DIR}/icon_render.cpp)
target_link_libraries(gonilux-icon-render PRIVATE Qt6::Gui Qt6::Svg)
set(GONILUX_ICON_PNGS "")
foreach(size 48 256)
  set(png ${GONILUX_PACKAGING_OUT}/gonilux-${size}.png)
  add_custom_command(OUTPUT ${png}
                     COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                             $<TARGET_FILE:gonilux-icon-render> ${GONILUX_PACKAGING_DIR}/gonilux.svg ${size} ${png}
                     DEPENDS gonilux-icon-render ${GONILUX_PACKAGING_DIR}/gonilux.svg
                     COMMENT "Rendering the ${size} px icon" VERBATIM)
  list(APPEND GONILUX_ICON_PNGS ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME gonilux.png)
endforeach()

# Manual pages carry the version; they are installed compressed, as Debian keeps them.
set(GONILUX_MANPAGES "")
foreach(page gonilux gonilux-cli)
  configure_file(${GONILUX_PACKAGING_DIR}/${page}.1.in ${GONILUX_PACKAGING_OUT}/${page}.1 @ONLY)
  set(gz ${GONILUX_PACKAGING_OUT}/${page}.1.gz)
  add_custom_command(OUTPUT ${gz}
                     COMMAND gzip -9n -c ${GONILUX_PACKAGING_OUT}/${page}.1 > ${gz}
                     DEPENDS ${GONILUX_PACKAGING_OUT}/${page}.1 ${GONILUX_PACKAGING_DIR}/${page}.1.in
                     COMMENT "Compressing the manual page ${page}.1")
  list(APPEND GONILUX_MANPAGES ${gz})
  install(FILES ${gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(gonilux_desktop_files ALL DEPENDS ${GONILUX_ICON_PNGS} ${GONILUX_MANPAGES})

install(TARGETS gonilux gonilux-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# gonilux-cli hands its drawing commands over to the drawing program in ../lib/gonilux beside its own folder.
install(TARGETS gonilux-cli-draw RUNTIME DESTINATION lib/gonilux)
install(FILES ${GONILUX_PACKAGING_DIR}/gonilux.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${GONILUX_PACKAGING_DIR}/gonilux.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${GONILUX_PACKAGING_DIR}/gonilux.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/gonilux)
# The copyright file (machine-readable format) and the changelog, compressed, as Debian keeps them.
set(GONILUX_CHANGELOG_GZ ${GONILUX_PACKAGING_OUT}/changelog.gz)
add_custom_command(OUTPUT ${GONILUX_CHANGELOG_GZ}
                   COMMAND gzip -9n -c ${GONILUX_PACKAGING_DIR}/changelog > ${GONILUX_CHANGELOG_GZ}
                   DEPENDS ${GONILUX_PACKAGING_DIR}/changelog
                   COMMENT "Compressing the changelog")
add_custom_target(gonilux_doc_files ALL DEPENDS ${GONILUX_CHANGELOG_GZ})
install(FILES ${GONILUX_PACKAGING_DIR}/copyright ${GONILUX_CHANGELOG_GZ} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/gonilux)

# Debian package. The desktop, MIME, icon and manual databases are refreshed by the file triggers of
# desktop-file-utils, shared-mime-info, hicolor-icon-theme and man-db: no maintainer scripts are needed.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME gonilux)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for IES and EULUMDAT photometric files")
set(CPACK_PACKAGE_CONTACT "Gonilux developers <gonilux@users.noreply.github.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Gonilux shows IES LM-63 and EULUMDAT (.ldt) photometric files: the header,\n\
the goniogram of each vertical plane and a rendered picture of the light.\n\
gonilux-cli reports on and checks files and draws the same pictures without\n\
a window.")
# Only gonilux-icon-render is a build tool; the package holds the two programs and their files.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};Gonilux;ALL;/")
include(CPack)
