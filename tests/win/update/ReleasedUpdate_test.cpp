// The vendor's side and the program's meet: an updater that stel7-server's
// release command published (tests.cmake runs it at build time, signing with
// the build's key) is downloaded, verified and started by the real program.
#include <gtest/gtest.h>

#include "tests/win/update/UpdaterSite.h"

namespace {

using namespace UpdaterSite;

using ReleasedUpdateTest = UpdaterTest;

TEST_F(ReleasedUpdateTest, AReleaseOfTheVendorsServerIsVerifiedAndStartedByTheProgram)
{
    const std::string site = TestProgramDir() + "release-site\\app\\stel7\\update\\";
    ASSERT_TRUE(Serve(ReadFileBytes(site + "stel7_update.exe")));
    ASSERT_TRUE(StandIn::SetDocument("/app/stel7/update/update.xml", ReadFileBytes(site + "update.xml")));
    ChildProcess program;
    ASSERT_TRUE(program.Start(TestProgramDir() + "..\\..\\app\\stel7.exe"));
    EXPECT_EQ(0, ::lstrcmpiA(WaitForStart(30000).c_str(), TargetPath().c_str()));
}

}  // namespace
