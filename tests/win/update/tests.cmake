# Tests of the update: the verified download, the update window and the update
# check, against the stand-in serving a real program as the updater.
# Included by tests/win/CMakeLists.txt; hence CMAKE_CURRENT_LIST_DIR.

if(STEL7_UPDATE_PUBLIC_KEY AND NOT STEL7_UPDATE_SIGNING_KEY)
    message(FATAL_ERROR "The update tests sign their updater with STEL7_UPDATE_SIGNING_KEY, "
                        "the private half of STEL7_UPDATE_PUBLIC_KEY: give both")
endif()

# Beside the test programs: the updater (the start recorder), its signatures
# and the demo's document.
set(update_site ${CMAKE_CURRENT_BINARY_DIR}/update-site)
set(sign_release ${CMAKE_SOURCE_DIR}/tools/sign-release.sh)
add_custom_command(
    OUTPUT ${update_site}/stel7_update.exe ${update_site}/stel7_195.sig ${update_site}/stel7agent_195.sig
           ${update_site}/stel7_190.sig ${update_site}/other_key.sig ${update_site}/bytes.sig ${update_site}/update.xml
    COMMAND ${CMAKE_COMMAND} -DUPDATER=$<TARGET_FILE:start_recorder> -DSIGNING_KEY=${STEL7_UPDATE_SIGNING_KEY}
            -DSIGN_RELEASE=${sign_release} -DSITE=${update_site} -DVENDOR_HOST=${STEL7_VENDOR_HOST}
            -P ${CMAKE_CURRENT_LIST_DIR}/SignUpdater.cmake
    DEPENDS start_recorder ${CMAKE_CURRENT_LIST_DIR}/SignUpdater.cmake ${sign_release} ${STEL7_UPDATE_SIGNING_KEY}
    VERBATIM)
add_custom_target(update_site ALL DEPENDS ${update_site}/update.xml)

stel7_wine_test(update_tests MAIN_WINDOW
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/UpdateCheck_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/UpdateDlg_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/VerifiedDownload_test.cpp)
# Korean literals are the CP949 bytes the program shows.
target_compile_options(update_tests PRIVATE -finput-charset=UTF-8 -fexec-charset=CP949)
# The program test starts the program itself.
add_dependencies(update_tests update_site stel7)
