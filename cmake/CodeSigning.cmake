# Authenticode signing (opt-in): CodeSigningPfx names a PKCS#12 file with
# the certificate and its key; its password comes from the environment
# variable TAVRIN_SIGNING_PASSWORD when the build signs. osslsigncode signs
# with a SHA-256 digest: the updater before the client embeds it, then the
# client, then the setup and its uninstaller (installer/Tavrin.nsi).
set(CodeSigningPfx "" CACHE FILEPATH "PKCS#12 file that signs the executables and the setup")
set(CodeSigningTimestampUrl "" CACHE STRING "RFC 3161 time-stamp server for the signatures (optional)")
set(TAVRIN_SIGN_COMMAND "")
if(CodeSigningPfx)
    find_program(TAVRIN_OSSLSIGNCODE osslsigncode)
    if(NOT TAVRIN_OSSLSIGNCODE)
        message(FATAL_ERROR "CodeSigningPfx is set but osslsigncode is not installed")
    endif()
    set(TAVRIN_SIGN_COMMAND ${CMAKE_SOURCE_DIR}/installer/sign.sh ${TAVRIN_OSSLSIGNCODE}
        ${CodeSigningPfx})
    if(CodeSigningTimestampUrl)
        list(APPEND TAVRIN_SIGN_COMMAND -ts ${CodeSigningTimestampUrl})
    endif()
else()
    message(STATUS "Code signing off: CodeSigningPfx is not set, nothing is signed")
endif()

# Signs the target's executable in place once it is linked.
function(tavrin_sign target)
    if(TAVRIN_SIGN_COMMAND)
        add_custom_command(TARGET ${target} POST_BUILD
                           COMMAND ${TAVRIN_SIGN_COMMAND} $<TARGET_FILE:${target}> VERBATIM)
    endif()
endfunction()
