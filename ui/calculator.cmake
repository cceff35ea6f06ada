# The selling costs summary, the profit chart and the calculator that hosts them with the
# section panels.
target_sources(gavelry_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/clsRefreshPasses.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ctlCalculator.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ctlProfitChart.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ctlSellingCosts.cpp)
