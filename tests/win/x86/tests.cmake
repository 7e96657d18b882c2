# Tests of what only the delivered 32-bit programs have: faults reaching their
# own handlers on the frame chain (under the emulator, what the trap-number
# preload tools/qemu-trapfix.c is for) and the x86 side-by-side assembly the
# manifest names. i686 only.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    stel7_wine_test(x86_tests
        SOURCES
            ${CMAKE_CURRENT_LIST_DIR}/Exceptions_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/Manifest_test.cpp
            ${CMAKE_SOURCE_DIR}/res/stel7.rc
        LIBS comctl32)
endif()
