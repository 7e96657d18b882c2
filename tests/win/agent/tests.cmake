# Tests of the boot agent, run as a real process under Wine against the
# stand-in server. Included by tests/win/CMakeLists.txt.

stel7_wine_test(agent_tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/Agent_test.cpp
    LIBS stel7shared)
add_dependencies(agent_tests stel7agent start_recorder update_site)
