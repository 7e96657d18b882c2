# Tests of the network layer, run under Wine against the stand-in server.
# Included by tests/win/CMakeLists.txt, whose directory the paths below are
# relative to; hence CMAKE_CURRENT_LIST_DIR.

# The support library every Wine test links (through stel7_wine_test).
add_library(stel7testsupport STATIC ${CMAKE_CURRENT_LIST_DIR}/../support/Pump.cpp
                                     ${CMAKE_CURRENT_LIST_DIR}/../support/ChildProcess.cpp
                                     ${CMAKE_CURRENT_LIST_DIR}/../support/GuiObjects.cpp
                                     ${CMAKE_CURRENT_LIST_DIR}/../support/ImportPatch.cpp
                                     ${CMAKE_CURRENT_LIST_DIR}/../support/StandIn.cpp)
target_link_libraries(stel7testsupport PUBLIC stel7core wininet ntdll gtest)

# A child process that exits while a network call it gave up on is still blocked.
add_executable(feeds_exit_helper ${CMAKE_CURRENT_LIST_DIR}/ExitHelper.cpp)
target_link_libraries(feeds_exit_helper PRIVATE stel7net)

stel7_wine_test(feeds_tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/Deadline_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/Documents_test.cpp
    LIBS stel7net)
# Korean literals are the CP949 bytes the network layer hands back.
target_compile_options(feeds_tests PRIVATE -finput-charset=UTF-8 -fexec-charset=CP949)
add_dependencies(feeds_tests feeds_exit_helper)
