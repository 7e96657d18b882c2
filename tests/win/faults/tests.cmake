# Faults in a 32-bit program reach its own handlers as on Windows; under the
# emulator this is what the trap-number preload (tools/qemu-trapfix.c) is for.
# The handlers are registered on the 32-bit frame chain, so i686 only.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    stel7_wine_test(fault_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/Faults_test.cpp)
endif()
