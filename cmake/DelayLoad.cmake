# The updater may run elevated from a folder the user can write to, where a
# planted WININET.dll or bcrypt.dll would be loaded first. Both are loaded
# on first use instead, once the updater has limited the search to the
# system directory.
set(TAVRIN_DELAYED wininet bcrypt)
if(MINGW)
    # Delay-import libraries from our lists, found before the system's.
    set(delay_dir ${CMAKE_BINARY_DIR}/delayload)
    set(delay_libs "")
    foreach(dll ${TAVRIN_DELAYED})
        file(READ ${CMAKE_SOURCE_DIR}/updater/delayload/${dll}.def def)
        if(CMAKE_SIZEOF_VOID_P EQUAL 8)
            string(REGEX REPLACE "@[0-9]+" "" def "${def}") # no stdcall names on x64
        endif()
        file(WRITE ${delay_dir}/${dll}.def "${def}")
        add_custom_command(OUTPUT ${delay_dir}/lib${dll}.a
            COMMAND ${CMAKE_DLLTOOL} -k -d ${delay_dir}/${dll}.def -y ${delay_dir}/lib${dll}.a
            DEPENDS ${delay_dir}/${dll}.def ${CMAKE_SOURCE_DIR}/updater/delayload/${dll}.def)
        list(APPEND delay_libs ${delay_dir}/lib${dll}.a)
    endforeach()
    add_custom_target(delay_imports DEPENDS ${delay_libs})
    add_dependencies(Update delay_imports)
    target_link_directories(Update BEFORE PRIVATE ${delay_dir})
    set_property(TARGET Update APPEND PROPERTY LINK_DEPENDS ${delay_libs})
else()
    foreach(dll ${TAVRIN_DELAYED})
        target_link_options(Update PRIVATE /DELAYLOAD:${dll}.dll)
    endforeach()
    target_link_libraries(Update PRIVATE delayimp)
endif()
