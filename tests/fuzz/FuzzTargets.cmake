# libFuzzer targets for the portable core's parsers of outside input; the
# core itself is built with the fuzz preset's coverage and sanitizer flags.
foreach(target Manifest PageCommand PageScan StoredFont CommandLine)
    add_executable(${target}Fuzz ${CMAKE_CURRENT_LIST_DIR}/${target}Fuzz.cpp)
    target_link_libraries(${target}Fuzz PRIVATE tavrin_core)
    target_link_options(${target}Fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
endforeach()
