# The selling costs summary and the calculator that hosts the section panels.
target_sources(gavelry_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ctlCalculator.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ctlSellingCosts.cpp)
