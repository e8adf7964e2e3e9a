# The desktop program `kestrio` (Qt 6), its desktop entry and its icon.
add_executable(kestrio ${CMAKE_CURRENT_LIST_DIR}/kestrio_main.cpp)
target_link_libraries(kestrio PRIVATE kestrio_platform)
target_compile_definitions(kestrio PRIVATE KESTRIO_VERSION_TEXT="${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
set_target_properties(kestrio PROPERTIES WIN32_EXECUTABLE ON MACOSX_BUNDLE OFF)

include(GNUInstallDirs)
install(TARGETS kestrio RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/platform/kestrio.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/platform/resources/kestrio.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
