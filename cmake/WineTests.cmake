# Win32 behaviour, built with GoogleTest from Debian's sources. Cross-built,
# the tests run under Wine; one CTest entry per executable, since every Wine
# start costs time.
set(TAVRIN_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
if(NOT EXISTS ${TAVRIN_GTEST_SOURCE}/CMakeLists.txt)
    message(WARNING "No GoogleTest sources at ${TAVRIN_GTEST_SOURCE}: Win32 tests skipped")
    return()
endif()
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${TAVRIN_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
math(EXPR TAVRIN_BITS "${CMAKE_SIZEOF_VOID_P} * 8")

if(CMAKE_CROSSCOMPILING)
    set(TAVRIN_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix CACHE PATH "Wine prefix for the tests")
    configure_file(${CMAKE_SOURCE_DIR}/tests/wine/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
    add_test(NAME wine_prefix
             COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/boot-prefix.sh ${TAVRIN_WINEPREFIX} ${TAVRIN_BITS})
    set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine LABELS "win32;e2e")
endif()

# Every Windows layer, for the tests.
add_library(tavrin_win INTERFACE)
target_link_libraries(tavrin_win INTERFACE tavrin_mainwindow tavrin_updater tavrin_preview)

add_library(win_test_support STATIC
    tests/win32/BrowserRecorder.cpp tests/win32/HookTestWindow.cpp tests/win32/OperatorServer.cpp
    tests/win32/ScriptedBrowser.cpp tests/win32/TestWindows.cpp tests/win32/WinTestMain.cpp)
target_link_libraries(win_test_support PUBLIC tavrin_win gtest version)
target_include_directories(win_test_support PUBLIC ${CMAKE_SOURCE_DIR})

# tavrin_win32_entry(name timeout): an entry of the Win32 layer, run in the
# test prefix when cross-built.
function(tavrin_win32_entry name timeout)
    set_tests_properties(${name} PROPERTIES TIMEOUT ${timeout} LABELS win32)
    if(CMAKE_CROSSCOMPILING)
        set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine)
    endif()
endfunction()

# tavrin_win_test(name [WITH_OPERATOR] sources...): WITH_OPERATOR runs it
# beside a stand-in operator server.
function(tavrin_win_test name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "WITH_OPERATOR" "" "")
    add_executable(${name} ${arg_UNPARSED_ARGUMENTS})
    target_link_libraries(${name} PRIVATE win_test_support ${TAVRIN_ENGINE})
    tavrin_resources(${name})
    if(arg_WITH_OPERATOR)
        add_test(NAME ${name} COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/with_operator.py
                                      ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}>)
    else()
        add_test(NAME ${name} COMMAND ${name})
    endif()
    tavrin_win32_entry(${name} 300)
endfunction()

# The portable core's own tests built for this width: what the core computes
# must not depend on the width (pointer size, floating point, time types).
file(GLOB core_test_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
add_executable(core_tests ${core_test_sources})
target_link_libraries(core_tests PRIVATE tavrin_core gtest gtest_main)
add_test(NAME core_tests COMMAND core_tests)
tavrin_win32_entry(core_tests 300)

if(MINGW)
    # The updater's stand-ins for the runtime's thread calls, on each width.
    add_executable(thread_primitives_check tests/win32/ThreadPrimitivesCheck.cpp
                                           toolchain/ThreadPrimitives.cpp)
    target_link_options(thread_primitives_check PRIVATE ${TAVRIN_WIDE_ENTRY})
    add_test(NAME thread_primitives COMMAND thread_primitives_check)
    tavrin_win32_entry(thread_primitives 120)
endif()

tavrin_win_test(win_forms_tests tests/win32/FormTest.cpp tests/win32/FormReleaseTest.cpp
    tests/win32/DelayLoadTest.cpp)
tavrin_delay_load(win_forms_tests comctl32 msimg32 bcrypt wininet)
tavrin_win_test(win_startup_tests
    tests/win32/PublicDataTest.cpp tests/win32/LoadFrmTest.cpp tests/win32/PictureJobTest.cpp
    tests/win32/ResourcesTest.cpp tests/win32/ClientInstanceTest.cpp
    tests/win32/ArtworkDpiTest.cpp)
add_dependencies(win_startup_tests Tavrin)
tavrin_win_test(win_login_tests tests/win32/LoginTest.cpp tests/win32/LoginUnloadTest.cpp)
tavrin_win_test(win_controls_tests
    tests/win32/ButtonTest.cpp tests/win32/FrameTest.cpp tests/win32/StyleTest.cpp)
tavrin_win_test(win_tabs_tests tests/win32/TabStripTest.cpp tests/win32/TabStripPaintTest.cpp)
tavrin_win_test(win_msghook_tests tests/win32/SubclassTest.cpp tests/win32/FormSubclassTest.cpp)
tavrin_win_test(win_mainwindow_tests
    tests/win32/MainWindowTest.cpp tests/win32/MainWindowCommandsTest.cpp
    tests/win32/MainWindowAccessTest.cpp tests/win32/ExitDialogTest.cpp tests/win32/CacheTest.cpp
    tests/win32/ShutdownTest.cpp)
tavrin_win_test(win_browser_tests WITH_OPERATOR
    tests/win32/IeBrowserTest.cpp tests/win32/EngineTrustTest.cpp tests/win32/PreviewBrowserTest.cpp)
tavrin_win_test(win_update_tests WITH_OPERATOR
    tests/win32/DownloadTest.cpp tests/win32/UpdateCheckTest.cpp)
tavrin_win_test(win_updater_tests WITH_OPERATOR tests/win32/UpdaterTest.cpp)
target_link_libraries(win_updater_tests PRIVATE tavrin_updater)

# The stand-in WebView2 runtime: this width's, where the variable or a
# client key leads, and the other width's, built by the other compiler, for
# the loader to refuse. The WebView2 engine's tests run against it.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(own_width x64)
    set(other_prefix i686-w64-mingw32)
else()
    set(own_width x86)
    set(other_prefix x86_64-w64-mingw32)
endif()
set(standin_source ${CMAKE_SOURCE_DIR}/tests/win32/webview2/StandInRuntime.cpp
    ${CMAKE_SOURCE_DIR}/tests/win32/webview2/StandInObjects.cpp)
add_library(webview2_standin SHARED ${standin_source})
target_include_directories(webview2_standin PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(webview2_standin PRIVATE ole32 uuid)
set_target_properties(webview2_standin PROPERTIES PREFIX "" OUTPUT_NAME EmbeddedBrowserWebView
    RUNTIME_OUTPUT_DIRECTORY ${TAVRIN_BIN}/standin/EBWebView/${own_width})
if(MINGW)
    # The entry point under its published name, not stdcall's decorated one.
    target_link_options(webview2_standin PRIVATE -Wl,--kill-at)
    find_program(TAVRIN_OTHER_CXX NAMES ${other_prefix}-g++-posix ${other_prefix}-g++)
    set(other_dll ${TAVRIN_BIN}/standin-other/EBWebView/${own_width}/EmbeddedBrowserWebView.dll)
    add_custom_command(OUTPUT ${other_dll}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${TAVRIN_BIN}/standin-other/EBWebView/${own_width}
        COMMAND ${TAVRIN_OTHER_CXX} -std=c++17 -Os -shared -static -DUNICODE -D_UNICODE
                -I${CMAKE_SOURCE_DIR} ${standin_source} -o ${other_dll} -Wl,--kill-at -lole32 -luuid
        DEPENDS ${standin_source} ${CMAKE_SOURCE_DIR}/tests/win32/webview2/StandIn.h
                ${CMAKE_SOURCE_DIR}/tests/win32/webview2/StandInState.h
                ${CMAKE_SOURCE_DIR}/browser/webview2/WebView2Api.h
        COMMENT "Stand-in WebView2 runtime of the other width")
    add_custom_target(webview2_standin_other DEPENDS ${other_dll})
endif()
add_executable(win_webview2_tests tests/win32/WebView2LoaderTest.cpp
    tests/win32/WebView2ContractTest.cpp tests/win32/WebView2SlotTest.cpp
    tests/win32/webview2/StandInFiles.cpp)
# The auto engine: CreateEngine is the process's choice at its first page.
target_link_libraries(win_webview2_tests PRIVATE win_test_support tavrin_engine_auto)
tavrin_resources(win_webview2_tests)
add_dependencies(win_webview2_tests webview2_standin)
if(TARGET webview2_standin_other)
    add_dependencies(win_webview2_tests webview2_standin_other)
endif()
add_test(NAME win_webview2_tests COMMAND win_webview2_tests)
tavrin_win32_entry(win_webview2_tests 300)

if(CMAKE_CROSSCOMPILING)
    # The windows at 120, 144 and 192 DPI, in a prefix of their own set to
    # that DPI, on a screen large enough for the login screen at 200 %; then
    # at 168 DPI on 1920x1080 and at 96 DPI on 1024x768, where it is fitted.
    add_executable(win_dpi_tests tests/win32/DpiTest.cpp)
    target_link_libraries(win_dpi_tests PRIVATE win_test_support ${TAVRIN_ENGINE})
    tavrin_resources(win_dpi_tests)
    add_test(NAME wine_dpi_scales
             COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/dpi-scales.sh $<TARGET_FILE:win_dpi_tests>
                     ${CMAKE_BINARY_DIR}/wineprefix-dpi ${TAVRIN_BITS})
    set_tests_properties(wine_dpi_scales PROPERTIES TIMEOUT 900 LABELS win32)
endif()

# Another program's DDE client, for the end-to-end tests.
add_executable(DdeSend tests/e2e/DdeSend.cpp)
target_link_options(DdeSend PRIVATE ${TAVRIN_WIDE_ENTRY})

# The shipped executables' headers: width, subsystem, manifest, imports.
add_test(NAME pe_headers
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/e2e/test_executable.py
                 --client ${TAVRIN_BIN}/Tavrin.exe --updater ${TAVRIN_BIN}/Update.exe
                 --bits ${TAVRIN_BITS})
set_tests_properties(pe_headers PROPERTIES LABELS e2e)

if(CMAKE_CROSSCOMPILING)
    # A client stand-in for the updater's tests, which notes being started.
    add_executable(StandInClient WIN32 tests/e2e/StandInClient.cpp)
    target_link_options(StandInClient PRIVATE ${TAVRIN_WIDE_ENTRY})

    # Each shipped executable does its one thing, before the long layers,
    # which are not run when it cannot.
    add_test(NAME smoke
             COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/e2e/test_smoke.py
                     --client ${TAVRIN_BIN}/Tavrin.exe --updater ${TAVRIN_BIN}/Update.exe
                     --stand-in $<TARGET_FILE:StandInClient> --prefix ${TAVRIN_WINEPREFIX})
    set_tests_properties(smoke PROPERTIES FIXTURES_REQUIRED wine FIXTURES_SETUP smoke TIMEOUT 300
                                          LABELS e2e)

    # The harness reports a crashing program at once.
    add_executable(CrashNow WIN32 tests/e2e/CrashNow.cpp)
    target_link_options(CrashNow PRIVATE ${TAVRIN_WIDE_ENTRY})
    add_test(NAME e2e_harness
             COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/e2e/test_harness.py
                     --crash $<TARGET_FILE:CrashNow> --prefix ${TAVRIN_WINEPREFIX})
    set_tests_properties(e2e_harness PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 120 LABELS e2e)

    # The updater and the whole update road.
    set(update_e2e ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/e2e/test_update.py
        --updater ${TAVRIN_BIN}/Update.exe --client ${TAVRIN_BIN}/Tavrin.exe
        --stand-in $<TARGET_FILE:StandInClient> --prefix ${TAVRIN_WINEPREFIX}
        --manifest-url ${UpdateManifestUrl})
    add_test(NAME e2e_updater COMMAND ${update_e2e} UpdaterTest HostileUpdateTest ElevationTest)
    # The manifest check built once more with a signing key the test makes.
    add_executable(ManifestCheck tests/e2e/ManifestCheck.cpp update/ManifestTrust.cpp)
    target_link_libraries(ManifestCheck PRIVATE tavrin_update)
    target_link_options(ManifestCheck PRIVATE ${TAVRIN_WIDE_ENTRY})
    add_test(NAME e2e_signed_manifest
             COMMAND ${update_e2e} --source ${CMAKE_SOURCE_DIR} --toolchain ${CMAKE_TOOLCHAIN_FILE}
                     --signed-build ${CMAKE_BINARY_DIR}/signed --check $<TARGET_FILE:ManifestCheck>
                     SignedManifestTest)
    set_tests_properties(e2e_signed_manifest PROPERTIES FIXTURES_REQUIRED "wine;smoke" TIMEOUT 900)
    # The client looks for its manifest on the demo port.
    add_test(NAME e2e_update_road COMMAND flock /tmp/tavrin-ports.lock ${update_e2e} WholeRoadTest)
    set_tests_properties(e2e_updater e2e_update_road PROPERTIES
        FIXTURES_REQUIRED "wine;smoke" TIMEOUT 900 RUN_SERIAL TRUE)

    # The real executable, started by Wine as a player would start it; it serves the manifest
    # on the demo port.
    add_test(NAME e2e_startup
             COMMAND flock /tmp/tavrin-ports.lock
                     ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/e2e/test_startup.py
                     --exe ${TAVRIN_BIN}/Tavrin.exe --prefix ${TAVRIN_WINEPREFIX}
                     --maker-url ${MakerSiteUrl} --manifest-url ${UpdateManifestUrl})
    set_tests_properties(e2e_startup PROPERTIES FIXTURES_REQUIRED "wine;smoke" TIMEOUT 600 RUN_SERIAL TRUE)

    # The login screen against the demo operator, whose fixed ports other
    # work trees share: the run holds their lock.
    if("${TAVRIN_BROWSER_ENGINE}" STREQUAL "preview")
        set(login_engine preview)
    else()
        set(login_engine ie)
    endif()
    add_test(NAME e2e_login
             COMMAND flock /tmp/tavrin-ports.lock
                     ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/e2e/test_login.py
                     --exe ${TAVRIN_BIN}/Tavrin.exe --prefix ${TAVRIN_WINEPREFIX} --engine ${login_engine})
    add_test(NAME e2e_login_preview
             COMMAND flock /tmp/tavrin-ports.lock
                     ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/e2e/test_login.py
                     --exe ${TAVRIN_BIN}/TavrinPreview.exe --prefix ${TAVRIN_WINEPREFIX} --engine preview)
    if(TARGET TavrinAuto)
        # The auto engine finds no WebView2 runtime here: the login as on the IE control.
        add_test(NAME e2e_login_auto
                 COMMAND flock /tmp/tavrin-ports.lock
                         ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/e2e/test_login.py
                         --exe ${TAVRIN_BIN}/TavrinAuto.exe --prefix ${TAVRIN_WINEPREFIX} --engine ie)
        set_tests_properties(e2e_login_auto PROPERTIES FIXTURES_REQUIRED "wine;smoke" TIMEOUT 600
                                                      RUN_SERIAL TRUE LABELS e2e)
    endif()
    # From the login page to the game window and out, on the login port.
    add_test(NAME e2e_game_preview
             COMMAND flock /tmp/tavrin-ports.lock
                     ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/e2e/test_game.py
                     --exe ${TAVRIN_BIN}/TavrinPreview.exe --prefix ${TAVRIN_WINEPREFIX}
                     --login-url ${LoginPageUrl} --dde-send $<TARGET_FILE:DdeSend>
                     --stand-in $<TARGET_FILE:StandInClient>)
    set_tests_properties(e2e_login e2e_login_preview e2e_game_preview PROPERTIES
        FIXTURES_REQUIRED "wine;smoke" TIMEOUT 600 RUN_SERIAL TRUE)
    set_tests_properties(e2e_signed_manifest e2e_updater e2e_update_road e2e_startup e2e_login
                         e2e_login_preview e2e_game_preview PROPERTIES LABELS e2e)

    # The players' setup, each test in a fresh prefix of its own; the second
    # signs in a side build of its own with a certificate it makes.
    if(TARGET installer)
        set(installer_e2e ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/e2e/test_installer.py
            --setup ${TAVRIN_SETUP} --client ${TAVRIN_BIN}/Tavrin.exe
            --other-client ${TAVRIN_BIN}/TavrinPreview.exe --updater ${TAVRIN_BIN}/Update.exe
            --makensis ${TAVRIN_MAKENSIS} --defines ${CMAKE_BINARY_DIR}/installer/defines.nsh
            --script ${CMAKE_SOURCE_DIR}/installer/Tavrin.nsi --prefix ${CMAKE_BINARY_DIR}/wineprefix
            --bits ${TAVRIN_BITS} --title ${TAVRIN_GAME_TITLE} --code ${TAVRIN_GAME_CODE}
            --version ${PROJECT_VERSION} --publisher ${Publisher})
        # The installed client looks for its manifest on the demo port.
        add_test(NAME e2e_installer COMMAND flock /tmp/tavrin-ports.lock ${installer_e2e} InstallTest)
        add_test(NAME e2e_installer_signed
                 COMMAND ${installer_e2e} --source ${CMAKE_SOURCE_DIR} --toolchain ${CMAKE_TOOLCHAIN_FILE}
                         --signed-build ${CMAKE_BINARY_DIR}/signed-setup SignedSetupTest)
        set_tests_properties(e2e_installer e2e_installer_signed PROPERTIES
            FIXTURES_REQUIRED "wine;smoke" TIMEOUT 1200 RUN_SERIAL TRUE LABELS e2e)
    endif()
endif()

if(CMAKE_CROSSCOMPILING)
    # Every test starts this build's own Wine loader through our wrapper.
    get_property(wine_tests DIRECTORY PROPERTY TESTS)
    set_property(TEST ${wine_tests} APPEND PROPERTY ENVIRONMENT TAVRIN_WINE_BITS=${TAVRIN_BITS})
    set_property(TEST ${wine_tests} APPEND PROPERTY ENVIRONMENT_MODIFICATION
                 PATH=path_list_prepend:${CMAKE_SOURCE_DIR}/tools/wine-shim)
endif()
