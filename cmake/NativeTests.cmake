# The portable core's tests and the tests of our Python tools, on the host.
option(TAVRIN_FUZZ "Build the libFuzzer targets (clang)" OFF)
if(TAVRIN_FUZZ)
    include(${CMAKE_SOURCE_DIR}/tests/fuzz/FuzzTargets.cmake)
endif()
if(NOT BUILD_TESTING)
    return()
endif()
find_package(GTest REQUIRED)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

file(GLOB NATIVE_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
add_executable(native_tests ${NATIVE_TEST_SOURCES})
target_link_libraries(native_tests PRIVATE tavrin_core GTest::gtest GTest::gtest_main)
add_test(NAME native_core COMMAND native_tests)

# The artwork script and the stand-in operator server.
add_test(NAME tool_scripts
         COMMAND ${Python3_EXECUTABLE} -m unittest discover -s ${CMAKE_SOURCE_DIR}/tests/tools)
set_tests_properties(native_core tool_scripts PROPERTIES LABELS native)
