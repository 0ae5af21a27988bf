# The desktop program: its command line and display checks, and the installed files.
target_sources(velmora_app PRIVATE command_line.cpp command_line.h display.cpp display.h
    platform_choice.cpp platform_choice.h)
# libxcb tells whether an X display is reachable before Qt opens one.
find_package(PkgConfig REQUIRED)
pkg_check_modules(XCB REQUIRED IMPORTED_TARGET xcb)
target_link_libraries(velmora_app PUBLIC Qt6::Core PRIVATE PkgConfig::XCB velmora_qt_options)

qt_add_executable(velmora-kanji main.cpp)
target_link_libraries(velmora-kanji PRIVATE velmora_app velmora_build_options velmora_qt_options)
set_target_properties(velmora-kanji PROPERTIES WIN32_EXECUTABLE OFF)

include(GNUInstallDirs)
set(packaging ${PROJECT_SOURCE_DIR}/packaging)
install(TARGETS velmora-kanji RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The desktop entry's Exec depends on the prefix given to `cmake --install`, known only then.
install(CODE "
    set(VELMORA_DESKTOP_SOURCE [[${packaging}/org.velmora.Kanji.desktop]])
    set(VELMORA_DESKTOP_STAGED [[${CMAKE_CURRENT_BINARY_DIR}/desktop/org.velmora.Kanji.desktop]])
    set(VELMORA_BINDIR [[${CMAKE_INSTALL_BINDIR}]])
    set(VELMORA_APPLICATIONS_DIR [[${CMAKE_INSTALL_DATADIR}/applications]])
")
install(SCRIPT ${packaging}/desktop-entry.cmake)
install(FILES ${packaging}/org.velmora.Kanji.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${packaging}/org.velmora.Kanji.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
