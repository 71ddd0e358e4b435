# Installation: both programs, the desktop entry and the application icon at the usual sizes and
# as SVG (`make install`, PREFIX=/usr/local by default).
include(GNUInstallDirs)
if(TARGET kalvo)
  install(TARGETS kalvo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_SOURCE_DIR}/resources/kalvo.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/app/kalvo.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size 16 24 32 48 64 128 256)
    install(FILES ${CMAKE_SOURCE_DIR}/resources/app/kalvo-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME kalvo.png)
  endforeach()
endif()
install(TARGETS kalvo-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
