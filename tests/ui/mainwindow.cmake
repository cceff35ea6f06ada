# Whole sessions on the main window, the wizard and the start-up sequence, in their own program.
add_executable(gavelry_main_window_tests
    ${CMAKE_CURRENT_LIST_DIR}/main.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UiTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_look.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_main_window.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_menus.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_new_auction.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_startup.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_wizard.cpp)
target_link_libraries(gavelry_main_window_tests PRIVATE gavelry_ui Qt6::Test GTest::gtest)
target_compile_definitions(gavelry_main_window_tests PRIVATE
    GAVELRY_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    GAVELRY_SCREENSHOT_DIR="${CMAKE_BINARY_DIR}/screenshots")
gtest_discover_tests(gavelry_main_window_tests
    TEST_PREFIX "mainwindow."
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 120 ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
