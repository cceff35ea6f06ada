# The selling costs, the profit chart, the calculator and whole sessions played on it.
target_sources(gavelry_ui_tests PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/test_calculator.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_profit_chart.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_selling_costs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_sessions.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_today.cpp)
