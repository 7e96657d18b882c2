# Tests of the embedded browser, run under Wine against the stand-in server.
# Included by tests/win/CMakeLists.txt; paths are relative to this file.
stel7_wine_test(player_browser_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/WebBrowser2_test.cpp
    LIBS stel7browser)
