#include "tests/win/support/StandInTest.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr const char kHangingPath[] = "/app/stel7/update/update.xml";
// The helper gives up after 1 s; the rest is Wine starting and ending a process.
constexpr DWORD kLongestLifeMs = 15000;

std::string HelperPath()
{
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string own(path, length);
    return own.substr(0, own.find_last_of('\\') + 1) + "feeds_exit_helper.exe";
}

class Process
{
public:
    explicit Process(const std::string& commandLine)
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        std::string writable = commandLine;
        started_ =
            CreateProcessA(nullptr, &writable[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_);
    }
    ~Process()
    {
        if (!started_)
            return;
        // A helper that did not end must not outlive the test.
        if (WaitForSingleObject(info_.hProcess, 0) != WAIT_OBJECT_0)
            TerminateProcess(info_.hProcess, 99);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool Started() const { return started_; }
    bool EndsWithin(DWORD milliseconds) const
    {
        return WaitForSingleObject(info_.hProcess, milliseconds) == WAIT_OBJECT_0;
    }
    DWORD ExitCode() const
    {
        DWORD code = 0;
        GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION info_ = {};
    BOOL started_ = FALSE;
};

class ProcessExitTest : public StandInTest, public ::testing::WithParamInterface<const char*>
{
};

// A program may end while a call it abandoned is still blocked in the
// platform; the blocked thread must not keep the process alive or crash it.
TEST_P(ProcessExitTest, ProcessEndsCleanlyWithAnAbandonedCallStillBlocked)
{
    ASSERT_TRUE(StandIn::SetFault(kHangingPath, "hang"));
    const Process helper("\"" + HelperPath() + "\" " + GetParam() + " " + StandIn::Url(kHangingPath));
    ASSERT_TRUE(helper.Started()) << HelperPath();
    ASSERT_TRUE(helper.EndsWithin(kLongestLifeMs));
    EXPECT_EQ(0u, helper.ExitCode());
    // The call really was blocked on the server when the process ended.
    EXPECT_EQ((std::vector<std::string>{"GET " + std::string(kHangingPath)}), StandIn::Log());
}

INSTANTIATE_TEST_SUITE_P(Calls, ProcessExitTest, ::testing::Values("fetch", "ping", "download"));

}  // namespace
