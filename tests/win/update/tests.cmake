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

# The vendor's release command (stel7-server, built natively before this tree
# by tools/build.sh) publishes the start recorder as build 195 at the
# stand-in's address; the program test checks that the program accepts it.
set(STEL7_SERVER_PROGRAM "" CACHE FILEPATH "stel7-server, for the test of a release it publishes")
if(STEL7_SERVER_PROGRAM AND STEL7_UPDATE_SIGNING_KEY)
    set(release_site ${CMAKE_CURRENT_BINARY_DIR}/release-site)
    add_custom_command(
        OUTPUT ${release_site}/app/stel7/update/update.xml
        COMMAND ${CMAKE_COMMAND} -E rm -rf ${release_site}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${release_site}
        COMMAND ${STEL7_SERVER_PROGRAM} release --content ${release_site} --role stel7 --build 195
                --file $<TARGET_FILE:start_recorder>
                --url http://${STEL7_VENDOR_HOST}/app/stel7/update/stel7_update.exe
                --key ${STEL7_UPDATE_SIGNING_KEY} --public-key ${STEL7_UPDATE_PUBLIC_KEY}
        DEPENDS start_recorder ${STEL7_SERVER_PROGRAM}
        VERBATIM)
    add_custom_target(release_site ALL DEPENDS ${release_site}/app/stel7/update/update.xml)
    target_sources(update_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/ReleasedUpdate_test.cpp)
    add_dependencies(update_tests release_site)
endif()
