# One edit in the calculator, from the field to every label refreshed. Run headless:
#   QT_QPA_PLATFORM=offscreen build-bench/bin/gavelry_bench_ui
find_package(Qt6 REQUIRED COMPONENTS Widgets Test)

add_executable(gavelry_bench_ui bench_ui.cpp)
target_link_libraries(gavelry_bench_ui PRIVATE gavelry_ui Qt6::Test benchmark::benchmark)
target_compile_definitions(gavelry_bench_ui PRIVATE GAVELRY_DATA_DIR="${CMAKE_SOURCE_DIR}/data")
