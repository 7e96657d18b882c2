// A program may end while a call it abandoned is still blocked in the
// platform; the blocked thread must not keep the process alive or crash it.
#include "tests/win/support/StandInTest.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr const char kHangingPath[] = "/app/stel7/update/update.xml";
// The helper gives up after 1 s; the rest is Wine starting and ending a process.
constexpr DWORD kLongestLifeMs = 15000;

class ProcessExitTest : public StandInTest, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(ProcessExitTest, ProcessEndsCleanlyWithAnAbandonedCallStillBlocked)
{
    ASSERT_TRUE(StandIn::SetFault(kHangingPath, "hang"));
    char own[MAX_PATH + 1] = {};
    const std::string self(own, GetModuleFileNameA(nullptr, own, MAX_PATH));
    std::string command = "\"" + self.substr(0, self.find_last_of('\\') + 1) + "feeds_exit_helper.exe\" " +
                          GetParam() + " " + StandIn::Url(kHangingPath);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION helper = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &helper))
        << command;
    const bool ended = WaitForSingleObject(helper.hProcess, kLongestLifeMs) == WAIT_OBJECT_0;
    DWORD code = 99;
    if (!ended)
        TerminateProcess(helper.hProcess, code);
    GetExitCodeProcess(helper.hProcess, &code);
    CloseHandle(helper.hThread);
    CloseHandle(helper.hProcess);
    EXPECT_TRUE(ended);
    EXPECT_EQ(0u, code);
    // The call really was blocked on the server when the process ended.
    EXPECT_EQ((std::vector<std::string>{"GET " + std::string(kHangingPath)}), StandIn::Log());
}

INSTANTIATE_TEST_SUITE_P(Calls, ProcessExitTest, ::testing::Values("fetch", "ping", "download"));

}  // namespace
