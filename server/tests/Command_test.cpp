// The command line operators script against: help, a config file, mistakes.
#include "server/tests/ServerProcess.h"

#include <gtest/gtest.h>

namespace servertest {
namespace {

TEST(CommandTest, HelpNamesBothCommandsAndMistakesExitWithTwo)
{
    const Finished help = RunProgram({"--help"});
    EXPECT_EQ(0, help.exitCode);
    for (const char* text : {"stel7-server serve", "stel7-server release", "--admin-token", "--public-key"})
        EXPECT_NE(std::string::npos, help.out.find(text)) << text;
    const std::vector<std::string> mistakes[] = {
        {},
        {"publish"},
        {"serve", "--content", "/tmp", "--colour", "blue"},
        {"serve", "--content", "/tmp", "--listen", "127.0.0.1:99999"},
        {"serve", "--content", "/tmp", "--content", "/srv"},
        {"release", "--role", "stel7"},
    };
    for (const std::vector<std::string>& args : mistakes)
        EXPECT_EQ(2, RunProgram(args).exitCode) << (args.empty() ? "(none)" : args.back());
}

TEST(CommandTest, AConfigFileGivesTheFlagsAndTheCommandLineWins)
{
    ScratchFolder scratch;
    ASSERT_TRUE(WriteFile(scratch / "site/index.html", "<html>from the config's folder</html>"));
    ASSERT_TRUE(WriteFile(scratch / "stel7-server.conf", "# the vendor's settings\n"
                                                         "content = " + scratch / "site" + "\n"
                                                         "database = sqlite:" + scratch / "c.db" + "\n"
                                                         "listen = 127.0.0.1:1\n"));
    ServerProcess server({"serve", "--config", scratch / "stel7-server.conf", "--listen", "127.0.0.1:0"});
    ASSERT_TRUE(server.Started());
    EXPECT_EQ("<html>from the config's folder</html>", Get(server.Port(), "/").body);
    EXPECT_EQ(0, server.Terminate());
}

}  // namespace
}  // namespace servertest
