# Tests of the framework's threading pieces and diagnostic log under Wine. Included by
# tests/win/CMakeLists.txt.
stel7_wine_test(framework_tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/DiagnosticLog_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/WorkQueue_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/WindowTasks_test.cpp
    LIBS stel7framework)
