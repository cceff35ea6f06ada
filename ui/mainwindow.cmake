# The main window, the wizard, the window-side common services, the start-up sequence and
# the gavelry program with its install rules.
target_sources(gavelry_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/basStartupSequence.cpp
    ${CMAKE_CURRENT_LIST_DIR}/basWindows.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ctlWizard.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmMain.cpp)

add_executable(gavelry ${CMAKE_CURRENT_LIST_DIR}/program/gavelry.cpp)
target_link_libraries(gavelry PRIVATE gavelry_ui)
add_dependencies(gavelry gavelry_data gavelry_graphics)
add_custom_command(TARGET gavelry POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/data/gavelry.svg
            $<TARGET_FILE_DIR:gavelry>/gavelry.svg)

# Installed: the program in bin, its data in share/gavelry (found from bin/../share/gavelry),
# and the desktop entry and icon where desktops look for them.
include(GNUInstallDirs)
install(TARGETS gavelry RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${GAVELRY_DATA_FILES} ${CMAKE_SOURCE_DIR}/data/gavelry.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/gavelry)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/Graphics DESTINATION ${CMAKE_INSTALL_DATADIR}/gavelry)
install(FILES ${CMAKE_SOURCE_DIR}/data/gavelry.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/gavelry.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
