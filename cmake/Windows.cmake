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
    # The shipped executables end with abort, without libstdc++'s demangler,
    # and raise the library's errors without its exception classes.
    add_library(tavrin_terminate OBJECT forms/TerminateHandler.cpp forms/LibraryThrows.cpp)
    set(TAVRIN_WIDE_ENTRY -municode)
else()
    add_link_options(/MANIFEST:NO)
    add_library(tavrin_terminate INTERFACE)
    set(TAVRIN_WIDE_ENTRY "")
endif()

add_library(tavrin_win STATIC
    controls/BForm.cpp
    controls/BFormProperties.cpp
    controls/ButtonFrames.cpp
    controls/ModGetTaskbarHei.cpp
    controls/cSetStyle.cpp
    controls/iButton.cpp
    controls/iButtonProperties.cpp
    forms/Application.cpp
    forms/CallbackBoundary.cpp
    forms/Dialogs.cpp
    forms/Form.cpp
    forms/LogFont.cpp
    forms/PersistentSurface.cpp
    forms/Picture.cpp
    forms/PictureBox.cpp
    forms/ToolTip.cpp
    forms/UserControl.cpp
    forms/WindowBase.cpp
    login/GameWindow.cpp
    login/LoginScreen.cpp
    login/LoginWindows.cpp
    login/RunPageCommand.cpp
    mainwindow/CLumNotifyIcon.cpp
    mainwindow/CacheMain.cpp
    mainwindow/DdeSource.cpp
    mainwindow/MainGameWindow.cpp
    mainwindow/ModMsg.cpp
    mainwindow/MsgFrm.cpp
    mainwindow/WebMainFrm.cpp
    mainwindow/WebMainFrmCommands.cpp
    login/BrowserEvents.cpp
    login/BrowserKeys.cpp
    login/BrowserSite.cpp
    login/CreateBrowser.cpp
    login/IeBrowser.cpp
    login/PageFetch.cpp
    login/PreviewBrowser.cpp
    login/PreviewPane.cpp
    login/BrowserRelease.cpp
    login/LoginBgFrm.cpp
    login/LoginFrm.cpp
    msghook/CSubclass.cpp
    forms/ErrorLog.cpp
    msghook/SubclassHook.cpp
    msghook/cFormSubclass.cpp
    startup/CLumDownLoadFile.cpp
    startup/GetTempDir.cpp
    startup/LayeredPicture.cpp
    startup/PictureJob.cpp
    startup/LoadFrm.cpp
    startup/ManifestText.cpp
    startup/PngResource.cpp
    startup/PublicData.cpp
    forms/ShellLaunch.cpp
    startup/TimedFetch.cpp
    startup/UpdateCheck.cpp
    tabs/SystemPageWindows.cpp
    tabs/TabPainter.cpp
    tabs/TabPieceCache.cpp
    tabs/mdlTabAPI.cpp
    tabs/WebUrl.cpp
    tabs/uTab.cpp
    updater/InstallRecovery.cpp
    updater/ManifestTrust.cpp
)
target_link_libraries(tavrin_win PUBLIC
    tavrin_core user32 gdi32 msimg32 gdiplus ole32 oleaut32 uuid shell32 comctl32 wininet version advapi32 bcrypt)

# The browser engines: an executable links exactly one of these, which
# defines the engine behind login::CreateBrowser. The client ships the
# platform's control (ie), or the preview that shows a page's links as
# buttons (preview).
add_library(tavrin_engine_ie OBJECT login/IeEngine.cpp)
add_library(tavrin_engine_preview OBJECT login/PreviewEngine.cpp)
foreach(engine tavrin_engine_ie tavrin_engine_preview)
    target_link_libraries(${engine} PUBLIC tavrin_win)
endforeach()
set(TAVRIN_BROWSER_ENGINE ie CACHE STRING "Browser engine: ie or preview")
set_property(CACHE TAVRIN_BROWSER_ENGINE PROPERTY STRINGS ie preview)
if(NOT TAVRIN_BROWSER_ENGINE MATCHES "^(ie|preview)$")
    message(FATAL_ERROR "TAVRIN_BROWSER_ENGINE must be ie or preview: ${TAVRIN_BROWSER_ENGINE}")
endif()
set(TAVRIN_ENGINE tavrin_engine_${TAVRIN_BROWSER_ENGINE})

# The updater: its window and the staged, all-or-nothing update.
add_library(tavrin_updater STATIC
    updater/FileHash.cpp
    updater/InstallRights.cpp
    updater/StagedFiles.cpp
    updater/UpdateFrm.cpp
    updater/UpdateJob.cpp
)
target_link_libraries(tavrin_updater PUBLIC tavrin_win bcrypt)
add_executable(Update WIN32 updater/main.cpp resources/Update.rc)
target_link_libraries(Update PRIVATE tavrin_updater tavrin_terminate)
target_link_options(Update PRIVATE ${TAVRIN_WIDE_ENTRY})
if(MINGW)
    target_sources(Update PRIVATE updater/ThreadPrimitives.cpp)
endif()
target_include_directories(Update PRIVATE ${CMAKE_SOURCE_DIR}/resources)
include(cmake/DelayLoad.cmake)
set_source_files_properties(resources/Update.rc PROPERTIES OBJECT_DEPENDS
    "${CMAKE_SOURCE_DIR}/resources/Update.manifest;${CMAKE_SOURCE_DIR}/resources/resource.h;${CMAKE_SOURCE_DIR}/resources/art/Update.ico;${CMAKE_SOURCE_DIR}/resources/art/update_close.bmp;${CMAKE_SOURCE_DIR}/resources/art/update_frame.bmp")

# The resource script takes the updater's bytes, so the updater builds first.
set(UPDATER_EXE ${TAVRIN_BIN}/Update.exe)
configure_file(resources/UpdateResource.rc.in ${TAVRIN_GENERATED}/UpdateResource.rc @ONLY)
file(GLOB TAVRIN_ART CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/art/*)
set(TAVRIN_RC ${CMAKE_SOURCE_DIR}/resources/Tavrin.rc)
set_source_files_properties(${TAVRIN_RC} PROPERTIES
    OBJECT_DEPENDS "${UPDATER_EXE};${TAVRIN_ART};${CMAKE_SOURCE_DIR}/resources/Tavrin.manifest")

function(tavrin_resources target)
    target_sources(${target} PRIVATE ${TAVRIN_RC})
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/resources ${TAVRIN_GENERATED})
    add_dependencies(${target} Update)
endfunction()

add_executable(Tavrin WIN32 startup/main.cpp)
target_link_libraries(Tavrin PRIVATE ${TAVRIN_ENGINE} tavrin_terminate)
target_link_options(Tavrin PRIVATE ${TAVRIN_WIDE_ENTRY})
tavrin_resources(Tavrin)

# The same client with the preview engine, for running it end to end where
# the platform's control renders nothing.
add_executable(TavrinPreview WIN32 startup/main.cpp)
target_link_libraries(TavrinPreview PRIVATE tavrin_engine_preview tavrin_terminate)
target_link_options(TavrinPreview PRIVATE ${TAVRIN_WIDE_ENTRY})
tavrin_resources(TavrinPreview)

# What the splash does not need is loaded after it shows.
foreach(client Tavrin TavrinPreview)
    tavrin_delay_load(${client} comctl32 msimg32 bcrypt)
endforeach()

add_executable(BareWindow WIN32 bench/BareWindow.cpp)
target_link_options(BareWindow PRIVATE ${TAVRIN_WIDE_ENTRY})
# The same window behind the splash's two network checks, and behind them
# with the splash picture in one pass: the floors under the splash's figure.
foreach(floor CheckedWindow MinimalSplash)
    add_executable(${floor} WIN32 bench/BareWindow.cpp)
    target_compile_definitions(${floor} PRIVATE BARE_WITH_CHECKS
                               "BARE_MANIFEST_URL=L\"${UpdateManifestUrl}\"")
    target_include_directories(${floor} PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${floor} PRIVATE wininet)
    target_link_options(${floor} PRIVATE ${TAVRIN_WIDE_ENTRY})
endforeach()
target_compile_definitions(MinimalSplash PRIVATE BARE_WITH_SPLASH)
target_link_libraries(MinimalSplash PRIVATE tavrin_win)
tavrin_resources(MinimalSplash)
add_executable(BenchSubclass bench/SubclassRoundTrip.cpp)
target_link_libraries(BenchSubclass PRIVATE tavrin_win)
add_executable(BenchDownload bench/DownloadThroughput.cpp)
target_link_libraries(BenchDownload PRIVATE tavrin_win)
target_link_options(BenchDownload PRIVATE ${TAVRIN_WIDE_ENTRY})
add_executable(BenchTabs bench/TabStripRedraw.cpp)
target_link_libraries(BenchTabs PRIVATE tavrin_win)
target_link_options(BenchTabs PRIVATE ${TAVRIN_WIDE_ENTRY})
tavrin_resources(BenchTabs)

if(BUILD_TESTING)
    include(cmake/WineTests.cmake)
endif()
