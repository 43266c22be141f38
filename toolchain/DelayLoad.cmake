# tavrin_delay_load(TARGET dll...): TARGET loads each dll on first use instead
# of at start. The names a target takes from each are in toolchain/delayload.
function(tavrin_delay_load target)
    if(NOT MINGW)
        foreach(dll ${ARGN})
            target_link_options(${target} PRIVATE /DELAYLOAD:${dll}.dll)
        endforeach()
        target_link_libraries(${target} PRIVATE delayimp)
        return()
    endif()
    # Delay-import libraries of this target's own, found before the system's.
    set(delay_dir ${CMAKE_BINARY_DIR}/delayload/${target})
    set(delay_libs "")
    foreach(dll ${ARGN})
        set(source ${CMAKE_SOURCE_DIR}/toolchain/delayload/${dll}.def)
        file(READ ${source} def)
        if(CMAKE_SIZEOF_VOID_P EQUAL 8)
            string(REGEX REPLACE "@[0-9]+" "" def "${def}") # no stdcall names on x64
        endif()
        # The headers declare these functions dllimport, so code calls through
        # the import slot and never names a member's thunk; ld's i386 back end
        # then leaves that thunk out, and the slot, which must start out
        # pointing at it, starts out 0. Naming every thunk keeps it.
        string(REGEX MATCHALL "\n[A-Za-z_][A-Za-z0-9_@]*" names "${def}")
        foreach(name ${names})
            string(STRIP "${name}" name)
            if(NOT name MATCHES "^(LIBRARY|EXPORTS)$")
                if(CMAKE_SIZEOF_VOID_P EQUAL 4)
                    set(name _${name})
                endif()
                target_link_options(${target} PRIVATE LINKER:--undefined=${name})
            endif()
        endforeach()
        # Written only when it changes: a newer .def relinks the target, and
        # a client left older than the updater it carries.
        file(WRITE ${delay_dir}/${dll}.def.new "${def}")
        configure_file(${delay_dir}/${dll}.def.new ${delay_dir}/${dll}.def COPYONLY)
        add_custom_command(OUTPUT ${delay_dir}/lib${dll}.a
            COMMAND ${CMAKE_DLLTOOL} -k -d ${delay_dir}/${dll}.def -y ${delay_dir}/lib${dll}.a
            DEPENDS ${delay_dir}/${dll}.def ${source})
        list(APPEND delay_libs ${delay_dir}/lib${dll}.a)
    endforeach()
    add_custom_target(${target}_delay_imports DEPENDS ${delay_libs})
    add_dependencies(${target} ${target}_delay_imports)
    target_link_directories(${target} BEFORE PRIVATE ${delay_dir})
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${delay_libs})
endfunction()
