# The main window, the wizard, the window-side common services, the start-up sequence and
# the gavelry program (installed by packaging/).
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
