# Every folder of sources is a layer with a library of its own, which links
# only the layers below it. An include of a layer the library does not link
# fails the build (cmake/CheckLayers.cmake), so the layers stay acyclic.

# tavrin_layer(name [USES libs...] [SYSTEM libs...] [EXCLUDE files...]):
# the library of the calling folder, from all its sources but EXCLUDE.
# A folder of headers only makes an INTERFACE library.
function(tavrin_layer name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "USES;SYSTEM;EXCLUDE")
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    foreach(excluded ${arg_EXCLUDE})
        list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${excluded})
    endforeach()
    if(sources)
        add_library(${name} STATIC ${sources})
        set(scope PUBLIC)
        add_dependencies(${name} tavrin_layer_check)
    else()
        add_library(${name} INTERFACE)
        set(scope INTERFACE)
    endif()
    target_link_libraries(${name} ${scope} ${arg_USES} ${arg_SYSTEM})
    target_include_directories(${name} ${scope} ${CMAKE_SOURCE_DIR} ${TAVRIN_GENERATED})
    file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    set_property(GLOBAL APPEND PROPERTY TAVRIN_LAYERS "${name}")
    set_property(GLOBAL PROPERTY TAVRIN_LAYER_FOLDER_${name} "${folder}")
    set_property(GLOBAL PROPERTY TAVRIN_LAYER_USES_${name} "${arg_USES}")
endfunction()

# The folders a layer may include from: its own and those of every layer it
# links, directly or through another.
function(tavrin_layer_reach name out)
    set(reach "")
    set(queue ${name})
    while(queue)
        list(POP_FRONT queue layer)
        get_property(folder GLOBAL PROPERTY TAVRIN_LAYER_FOLDER_${layer})
        if(folder STREQUAL "" OR folder IN_LIST reach)
            continue()
        endif()
        list(APPEND reach ${folder})
        get_property(uses GLOBAL PROPERTY TAVRIN_LAYER_USES_${layer})
        list(APPEND queue ${uses})
    endwhile()
    set(${out} ${reach} PARENT_SCOPE)
endfunction()

# Writes the rules and the step that checks them before any layer builds.
function(tavrin_check_layers)
    get_property(layers GLOBAL PROPERTY TAVRIN_LAYERS)
    set(rules "")
    set(watched "")
    foreach(layer ${layers})
        get_property(folder GLOBAL PROPERTY TAVRIN_LAYER_FOLDER_${layer})
        tavrin_layer_reach(${layer} reach)
        string(REPLACE ";" "," reach "${reach}")
        string(APPEND rules "${layer}|${folder}|${reach}\n")
        file(GLOB files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.h
             ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
        list(APPEND watched ${files})
    endforeach()
    set(rules_file ${CMAKE_BINARY_DIR}/layers/rules.txt)
    file(WRITE ${rules_file}.new "${rules}")
    configure_file(${rules_file}.new ${rules_file} COPYONLY)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/layers/checked
        COMMAND ${CMAKE_COMMAND} -DROOT=${CMAKE_SOURCE_DIR} -DRULES=${rules_file}
                -DSTAMP=${CMAKE_BINARY_DIR}/layers/checked -P ${CMAKE_SOURCE_DIR}/cmake/CheckLayers.cmake
        DEPENDS ${rules_file} ${watched} ${CMAKE_SOURCE_DIR}/cmake/CheckLayers.cmake
        COMMENT "Checking that every layer includes only the layers it links"
        VERBATIM)
    set_property(TARGET tavrin_layer_check APPEND PROPERTY SOURCES ${CMAKE_BINARY_DIR}/layers/checked)
endfunction()

add_custom_target(tavrin_layer_check)
