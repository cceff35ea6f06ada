# Widget tests of the movies, the splash window and the about box, in their own program.
add_executable(gavelry_window_tests
    ${CMAKE_CURRENT_LIST_DIR}/main.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UiTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_about.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_movie.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_splash.cpp)
target_link_libraries(gavelry_window_tests PRIVATE gavelry_ui Qt6::Test GTest::gtest)
target_compile_definitions(gavelry_window_tests PRIVATE
    GAVELRY_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    GAVELRY_SCREENSHOT_DIR="${CMAKE_BINARY_DIR}/screenshots")
gtest_discover_tests(gavelry_window_tests
    TEST_PREFIX "windows."
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 60 ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
