# The client, the updater and the tests that run under Wine.
enable_language(RC)

set(TAVRIN_BIN ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${TAVRIN_BIN})
foreach(config ${CMAKE_CONFIGURATION_TYPES})
    string(TOUPPER ${config} config)
    set(CMAKE_RUNTIME_OUTPUT_DIRECTORY_${config} ${TAVRIN_BIN})
endforeach()

add_compile_definitions(UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
if(MINGW)
    # Runs on a bare Windows: no MinGW DLLs beside the executable.
    add_link_options(-static -static-libgcc -static-libstdc++ $<$<CONFIG:Release,MinSizeRel>:-s>)
    set(TAVRIN_WIDE_ENTRY -municode)
else()
    add_link_options(/MANIFEST:NO)
    set(TAVRIN_WIDE_ENTRY "")
endif()

add_subdirectory(${CMAKE_SOURCE_DIR}/toolchain ${CMAKE_BINARY_DIR}/toolchain)

# The browser engine the client ships: the platform's control (ie), the
# preview that shows a page's links as buttons (preview), the WebView2
# runtime's (webview2), or WebView2 where a runtime is found at start and
# the platform's control otherwise (auto). ie stays the default until the
# WebView2 engine has been run on Windows.
set(TAVRIN_BROWSER_ENGINE ie CACHE STRING "Browser engine: ie, preview, webview2 or auto")
set_property(CACHE TAVRIN_BROWSER_ENGINE PROPERTY STRINGS ie preview webview2 auto)
if(NOT TAVRIN_BROWSER_ENGINE MATCHES "^(ie|preview|webview2|auto)$")
    message(FATAL_ERROR
        "TAVRIN_BROWSER_ENGINE must be ie, preview, webview2 or auto: ${TAVRIN_BROWSER_ENGINE}")
endif()
set(TAVRIN_ENGINE tavrin_engine_${TAVRIN_BROWSER_ENGINE})


# The resource script takes the updater's bytes, so the updater builds first.
set(UPDATER_EXE ${TAVRIN_BIN}/Update.exe)
configure_file(resources/UpdateResource.rc.in ${TAVRIN_GENERATED}/UpdateResource.rc @ONLY)
file(GLOB TAVRIN_ART CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/art/*)
set(TAVRIN_RC ${CMAKE_SOURCE_DIR}/resources/Tavrin.rc)
set(TAVRIN_RC_VERSION TAVRIN_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
    TAVRIN_VERSION_MINOR=${PROJECT_VERSION_MINOR} TAVRIN_VERSION_PATCH=${PROJECT_VERSION_PATCH})

function(tavrin_resources target)
    target_sources(${target} PRIVATE ${TAVRIN_RC})
    # Seen from the target's own folder: a source property is per folder.
    # The version block takes the project's version, as the setup does.
    set_source_files_properties(${TAVRIN_RC} TARGET_DIRECTORY ${target} PROPERTIES
        OBJECT_DEPENDS "${UPDATER_EXE};${TAVRIN_ART};${CMAKE_SOURCE_DIR}/resources/Tavrin.manifest"
        COMPILE_DEFINITIONS "${TAVRIN_RC_VERSION}")
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/resources ${TAVRIN_GENERATED})
    add_dependencies(${target} Update)
endfunction()
