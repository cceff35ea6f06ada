# Movies, the splash window and the about box, with the Graphics folder beside the programs.
find_package(Qt6 REQUIRED COMPONENTS Svg Multimedia Xml)

target_sources(gavelry_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/basSplash.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ctlMovie.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmAbout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmSplash.cpp)
target_link_libraries(gavelry_ui PUBLIC Qt6::Svg Qt6::Multimedia Qt6::Xml)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/frmAbout.cpp PROPERTIES
    COMPILE_DEFINITIONS "GAVELRY_VERSION_MAJOR=${PROJECT_VERSION_MAJOR};GAVELRY_VERSION_MINOR=${PROJECT_VERSION_MINOR};GAVELRY_VERSION_PATCH=${PROJECT_VERSION_PATCH}")

file(GLOB_RECURSE GAVELRY_GRAPHICS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/Graphics/*)
add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/graphics.stamp
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Graphics
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/data/Graphics
            ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Graphics
    COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_CURRENT_BINARY_DIR}/graphics.stamp
    DEPENDS ${GAVELRY_GRAPHICS}
    COMMENT "Copying the Graphics folder beside the programs")
add_custom_target(gavelry_graphics ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/graphics.stamp)
add_dependencies(gavelry_ui gavelry_graphics)
