# A fuzz driver program: the drivers of fuzz_parsers.cpp with the common module and the fee
# model compiled in again, so that the caller's instrumentation reaches all of them. The
# caller adds the driver's choice and its compile and link options.
function(gavelry_add_fuzz_program sName)
    set(asSources)
    foreach(sLibrary gavelry_common gavelry_model)
        get_target_property(asLibrarySources ${sLibrary} SOURCES)
        get_target_property(sDir ${sLibrary} SOURCE_DIR)
        list(TRANSFORM asLibrarySources PREPEND ${sDir}/)
        list(APPEND asSources ${asLibrarySources})
    endforeach()
    add_executable(${sName} ${ARGN} ${CMAKE_SOURCE_DIR}/bench/fuzz/fuzz_parsers.cpp ${asSources})
    target_include_directories(${sName} PRIVATE
        ${CMAKE_SOURCE_DIR}/common ${CMAKE_SOURCE_DIR}/model ${CMAKE_SOURCE_DIR}/bench/fuzz)
    target_compile_definitions(${sName} PRIVATE
        GAVELRY_REGION=${GAVELRY_REGION}
        GAVELRY_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
        GAVELRY_VERSION_MINOR=${PROJECT_VERSION_MINOR}
        GAVELRY_VERSION_PATCH=${PROJECT_VERSION_PATCH}
        GAVELRY_DATA_DIR="${CMAKE_SOURCE_DIR}/data")
endfunction()
