# cmake --install: the programs in bin/, the language file (and help/ the help collections) under share/rps360t/
# (the programs find them from their own folder: ../share/rps360t), and the desktop entry,
# icon and data-file type so a data file opens in the application from a file manager.
include(GNUInstallDirs)

set(RPS_INSTALL_PROGRAMS rps360t-cli rps360t-sim)
if(TARGET rps360t)
    list(APPEND RPS_INSTALL_PROGRAMS rps360t)
endif()
install(TARGETS ${RPS_INSTALL_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/lang/rps360t.lng DESTINATION ${CMAKE_INSTALL_DATADIR}/rps360t)
install(FILES ${CMAKE_SOURCE_DIR}/dist/linux/rps360t.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/dist/linux/rps360t.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/dist/linux/rps360t-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME rps360t.xml)
