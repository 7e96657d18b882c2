// The real program at start-up, as a user meets an update: the document
// announces a newer build, and the signed updater is downloaded, verified and
// started before the main window shows.
#include <gtest/gtest.h>

#include "tests/win/update/UpdaterSite.h"

namespace {

using namespace UpdaterSite;

using UpdateProgramTest = UpdaterTest;

TEST_F(UpdateProgramTest, NewerBuildAtStartUpIsDownloadedVerifiedAndStarted)
{
    ASSERT_TRUE(StandIn::SetDocument("/app/stel7/update/update.xml",
                                     "<update><update_ver>195</update_ver><update_url>" + StandIn::Url(kPath) +
                                         "</update_url><update_sig>" + SiteFile("good.sig") + "</update_sig></update>"));
    // stel7.exe of this build: the test program sits in <build>\tests\win.
    ChildProcess program;
    ASSERT_TRUE(program.Start(TestProgramDir() + "..\\..\\app\\stel7.exe"));
    EXPECT_EQ(0, ::lstrcmpiA(WaitForStart(30000).c_str(), TargetPath().c_str()));
}

}  // namespace
