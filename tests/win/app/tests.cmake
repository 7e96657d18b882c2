# Tests of the main program's spine: settings store, main window, real processes.
stel7_wine_test(app_tests MAIN_WINDOW LIBS psapi
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/Program_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ProgramDriver.cpp
        ${CMAKE_CURRENT_LIST_DIR}/Threading_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/Registry_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/Transport_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/Tray_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/Faults_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/FaultMatrix_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/Feeds_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/Sections_test.cpp)
# The process tests start the program itself.
add_dependencies(app_tests stel7)
add_test(NAME manifest_processor COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/res/manifest_matches_machine.py
         $<TARGET_FILE:stel7> $<TARGET_FILE:stel7agent>)
