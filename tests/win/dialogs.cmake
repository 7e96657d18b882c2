# Tests of the windows the main window opens: the settings dialog and the
# promotion pop-up and toast, driven on the real main window under Wine
# against the stand-in server. Included by tests/win/CMakeLists.txt.
stel7_wine_test(dialogs_tests MAIN_WINDOW
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/settings/SettingsDlg_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/update/Promotions_test.cpp)
