# stel7_delay_load(<program> <dll>...): the program loads each of these system
# libraries when it first calls into it instead of at its start, so that what
# the first paint does not need costs nothing before the window shows.
#
# For each DLL a delay-import library with every function of mingw's import
# library is made (cmake/ImportDef.cmake lists them) and put first on the
# program's library path, so each -l<dll> of the program and of the libraries
# it links resolves to it: nothing is left to load at start by accident, and
# a new call into one of these DLLs needs no change here. mingw's delay-load
# helper loads the DLL through framework/SystemDelayLoad.cpp, from the system
# folder only.
#
# x86_64 only. binutils 2.40's i686 delay-import libraries leave each
# function's import address slot zero in the linked program (the slot's
# section lacks its load flags, and setting them does not help), so the first
# call into such a DLL jumps to address 0; the i686 build loads them at start.
function(stel7_delay_load program)
    if(NOT CMAKE_SIZEOF_VOID_P EQUAL 8)
        return()
    endif()
    set(dir ${CMAKE_CURRENT_BINARY_DIR}/${program}-delayload)
    set(libraries "")
    foreach(dll IN LISTS ARGN)
        find_library(STEL7_IMPORT_LIBRARY_${dll} NAMES lib${dll}.a REQUIRED NO_CACHE)
        set(import ${STEL7_IMPORT_LIBRARY_${dll}})
        add_custom_command(OUTPUT ${dir}/lib${dll}.a
            COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DIMPORT_LIBRARY=${import}
                    -DDEF=${dir}/${dll}.def -P ${CMAKE_SOURCE_DIR}/cmake/ImportDef.cmake
            COMMAND ${CMAKE_DLLTOOL} --input-def ${dir}/${dll}.def --dllname ${dll}.dll
                    --output-delaylib ${dir}/lib${dll}.a
            DEPENDS ${import} ${CMAKE_SOURCE_DIR}/cmake/ImportDef.cmake
            VERBATIM)
        list(APPEND libraries ${dir}/lib${dll}.a)
    endforeach()
    add_custom_target(${program}_delayload DEPENDS ${libraries})
    add_dependencies(${program} ${program}_delayload)
    set_property(TARGET ${program} APPEND PROPERTY LINK_DEPENDS ${libraries})
    target_link_directories(${program} BEFORE PRIVATE ${dir})
    # The hook must be in the program itself: from a library it would lose to
    # the helper's own empty one.
    target_sources(${program} PRIVATE ${CMAKE_SOURCE_DIR}/framework/SystemDelayLoad.cpp)
endfunction()
