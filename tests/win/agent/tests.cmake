# Tests of the boot agent, run as a real process under Wine against the
# stand-in server. Included by tests/win/CMakeLists.txt.

# Stands in for the programs the agent starts; records each start.
add_executable(start_recorder WIN32 ${CMAKE_CURRENT_LIST_DIR}/../support/StartRecorder.cpp)

stel7_wine_test(agent_tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/Agent_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/../support/ChildProcess.cpp
    LIBS stel7settings)
add_dependencies(agent_tests stel7agent start_recorder)
