// The real program at start-up, as a user meets an update: the document
// announces a newer build, and the signed updater is downloaded, verified and
// started before the main window shows.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/win/support/StandInTest.h"
#include "tests/win/update/UpdaterSite.h"

namespace {

using namespace UpdaterSite;

// stel7.exe of this build: the test program sits in <build>\tests\win.
std::string ProgramCommandLine()
{
    char szPath[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    std::string path(szPath);
    for (int level = 0; level < 3; ++level) path.erase(path.find_last_of('\\'));
    return "\"" + path + "\\app\\stel7.exe\"";
}

class UpdateProgramTest : public StandInTest {
protected:
    void SetUp() override
    {
        StandInTest::SetUp();
        ClearStart();
        ::DeleteFileA(TargetPath().c_str());
    }
    void TearDown() override
    {
        if (m_process.hProcess) {
            ::TerminateProcess(m_process.hProcess, 0);
            ::WaitForSingleObject(m_process.hProcess, 10000);
            ::CloseHandle(m_process.hProcess);
            ::CloseHandle(m_process.hThread);
        }
        ::DeleteFileA(TargetPath().c_str());
        ClearStart();
        StandInTest::TearDown();
    }

    PROCESS_INFORMATION m_process = {};
};

TEST_F(UpdateProgramTest, NewerBuildAtStartUpIsDownloadedVerifiedAndStarted)
{
    ASSERT_TRUE(Serve(Bytes()));
    const std::string url = StandIn::Url(kPath);
    ASSERT_TRUE(StandIn::SetDocument("/app/stel7/update/update.xml",
                                     "<update><update_ver>195</update_ver><update_url>" + url +
                                         "</update_url><update_sig>" + GoodSignature() + "</update_sig></update>"));
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    std::string command = ProgramCommandLine();
    ASSERT_TRUE(::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &m_process));
    EXPECT_EQ(0, ::lstrcmpiA(WaitForStart(30000).c_str(), TargetPath().c_str()));
}

}  // namespace
