# Tests of the settings dialog on the real main window, run under Wine against
# the stand-in server. Included by tests/win/CMakeLists.txt.
stel7_wine_test(settings_tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/../app/MainWindowHarness.cpp
        ${CMAKE_CURRENT_LIST_DIR}/SettingsDlg_test.cpp
        ${CMAKE_SOURCE_DIR}/res/stel7.rc
    LIBS stel7app)
