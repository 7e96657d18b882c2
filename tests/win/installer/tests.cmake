# Tests of the real installer under Wine. Included by tests/win/CMakeLists.txt.
stel7_wine_test(installer_tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/Installer_test.cpp
    LIBS stel7shared shell32)
add_dependencies(installer_tests installer)
