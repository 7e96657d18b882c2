cmake_minimum_required(VERSION 3.25)
# Run by ctest (cmake -P): which vendor hosts and keys a configure refuses.
# A refused case configures the project in a scratch folder (the refusal
# comes before the compilers are looked for); an accepted one runs the check
# alone, sparing the minute a whole configure takes here.
# Inputs: SOURCE_DIR, SCRATCH_DIR.
file(WRITE ${SCRATCH_DIR}/key.pem "-----BEGIN PUBLIC KEY-----\n-----END PUBLIC KEY-----\n")
# host | options | refused (the message names these words; "" for a configure that goes through)
set(cases
    "updates.example.com||STEL7_UPDATE_PUBLIC_KEY STEL7_ALLOW_UNSIGNED_UPDATES"
    "127.0.0.1.example.com:80||STEL7_UPDATE_PUBLIC_KEY STEL7_ALLOW_UNSIGNED_UPDATES"
    "updates.example.com|-DSTEL7_UPDATE_PUBLIC_KEY=${SCRATCH_DIR}/key.pem -DSTEL7_UPDATE_SIGNING_KEY=${SCRATCH_DIR}/key.pem|STEL7_UPDATE_SIGNING_KEY"
    "updates.example.com|-DSTEL7_ALLOW_UNSIGNED_UPDATES=ON|"
    "LocalHost:8080||"
    "[::1]||")
set(failures 0)
set(n 0)
foreach(c IN LISTS cases)
    string(REPLACE "|" ";" fields "${c}")
    list(GET fields 0 host)
    list(GET fields 1 options)
    list(GET fields 2 refusal)
    separate_arguments(options)
    math(EXPR n "${n} + 1")
    file(REMOVE_RECURSE ${SCRATCH_DIR}/${n})
    if(refusal STREQUAL "")
        set(run -DSTEL7_VENDOR_HOST=${host} ${options} -P ${SOURCE_DIR}/cmake/UpdateChannel.cmake)
    else()
        set(run -S ${SOURCE_DIR} -B ${SCRATCH_DIR}/${n} -DSTEL7_VENDOR_HOST=${host} ${options})
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} ${run} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    set(ok TRUE)
    if(refusal STREQUAL "")
        if(NOT result EQUAL 0)
            set(ok FALSE)
        endif()
    else()
        if(result EQUAL 0)
            set(ok FALSE)
        endif()
        string(REPLACE " " ";" words "${refusal}")
        foreach(word IN LISTS words)
            string(FIND "${out}" "${word}" at)
            if(at EQUAL -1)
                set(ok FALSE)
            endif()
        endforeach()
    endif()
    if(NOT ok)
        math(EXPR failures "${failures} + 1")
        message("FAILED: host '${host}' ${options}: expected ${refusal}; exit ${result}:\n${out}")
    endif()
endforeach()
if(failures GREATER 0)
    message(FATAL_ERROR "${failures} of ${n} configures went the wrong way")
endif()
