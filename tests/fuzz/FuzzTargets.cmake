# libFuzzer targets for the portable core's parsers of outside input; the
# core itself is built with the fuzz preset's coverage and sanitizer flags.
# Each is a CTest entry (label fuzz) that runs it for TAVRIN_FUZZ_SECONDS.
enable_testing()
foreach(target Manifest PageCommand PageScan StoredFont CommandLine)
    add_executable(${target}Fuzz ${CMAKE_CURRENT_LIST_DIR}/${target}Fuzz.cpp)
    target_link_libraries(${target}Fuzz PRIVATE tavrin_core)
    target_link_options(${target}Fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
    add_test(NAME fuzz_${target}
             COMMAND ${CMAKE_CURRENT_LIST_DIR}/run-target.sh $<TARGET_FILE:${target}Fuzz> ${target}
                     ${CMAKE_CURRENT_LIST_DIR}/corpus/${target} ${CMAKE_BINARY_DIR})
    set_tests_properties(fuzz_${target} PROPERTIES LABELS fuzz TIMEOUT 900)
endforeach()
