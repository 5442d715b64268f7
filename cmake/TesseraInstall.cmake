# cmake --install: the executables in bin/, the shipped data in share/tessera/ (the root
# folder's files beside program/, which holds the program folder's files), and the desktop
# integration: desktop entry, icons, record file types, AppStream metadata. At its first start
# the installed program makes the user's copy of share/tessera/ (src/platform/installed_layout.h).

set(TESSERA_APP_ID org.tessera.Tessera)
set(TESSERA_HOMEPAGE "https://tessera.example.org" CACHE STRING "Home page named in the AppStream metadata")
set(tessera_share ${CMAKE_INSTALL_DATADIR}/tessera)
set(desktop_sources ${PROJECT_SOURCE_DIR}/data/desktop)

install(TARGETS tessera tessera-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Shipped data, laid out as in the build's portable folder.
install(FILES ${TESSERA_DIST_DIR}/vantor.ini ${TESSERA_DIST_DIR}/rule.ini ${TESSERA_DIST_DIR}/lang.ini
        DESTINATION ${tessera_share})
install(DIRECTORY ${TESSERA_DIST_DIR}/BoardTemplate DESTINATION ${tessera_share})
install(FILES ${TESSERA_PROGRAM_DIR}/dic.db ${TESSERA_PROGRAM_DIR}/TPBs.ini ${TESSERA_PROGRAM_DIR}/GoMDB.ini
        DESTINATION ${tessera_share}/program)
install(DIRECTORY ${TESSERA_PROGRAM_DIR}/board ${TESSERA_PROGRAM_DIR}/translations ${TESSERA_PROGRAM_DIR}/icons
        DESTINATION ${tessera_share}/program)

# Desktop integration.
install(FILES ${desktop_sources}/${TESSERA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop_sources}/${TESSERA_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size ${TESSERA_ICON_SIZES})
  install(FILES ${TESSERA_PROGRAM_DIR}/icons/${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${TESSERA_APP_ID}.png)
endforeach()
install(FILES ${desktop_sources}/${TESSERA_APP_ID}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${TESSERA_APP_ID}.xml)
configure_file(${desktop_sources}/${TESSERA_APP_ID}.metainfo.xml.in ${CMAKE_BINARY_DIR}/${TESSERA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${TESSERA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
