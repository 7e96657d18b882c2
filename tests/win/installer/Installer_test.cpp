// The real installer, run silently into a folder with Korean and blanks in its
// name: what it writes, the agent it registers for logon, an update over a
// running copy, an older build over a newer one, and the uninstaller.
#include <windows.h>

#include <shlobj.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/shared/ExitRequest.h"
#include "app/shared/Registry.h"
#include "tests/win/support/ChildProcess.h"
#include "tests/win/support/Pump.h"
#include "tests/win/support/StandInTest.h"

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\stel7";

bool MainProgramRuns()
{
    HANDLE hMutex = ::OpenMutexA(SYNCHRONIZE, FALSE, "stel7");
    if (hMutex) ::CloseHandle(hMutex);
    return hMutex != nullptr;
}

// Waits until the processes that `parent` started have ended.
bool WaitForChildrenOf(DWORD parent, DWORD ms)
{
    std::vector<HANDLE> children;
    const HANDLE hSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (hSnapshot == INVALID_HANDLE_VALUE) return false;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32First(hSnapshot, &entry); more; more = ::Process32Next(hSnapshot, &entry)) {
        const HANDLE hChild =
            entry.th32ParentProcessID == parent ? ::OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID) : nullptr;
        if (hChild) children.push_back(hChild);
    }
    ::CloseHandle(hSnapshot);
    const bool ended = children.empty() || ::WaitForMultipleObjects(static_cast<DWORD>(children.size()),
                                                                     children.data(), TRUE, ms) == WAIT_OBJECT_0;
    for (const HANDLE hChild : children) ::CloseHandle(hChild);
    return ended;
}

std::string MenuFolder()
{
    char szPrograms[MAX_PATH] = {};
    ::SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, 0, szPrograms);
    return std::string(szPrograms) + "\\스텔론\\";
}

class InstallerTest : public StandInTest {
protected:
    void SetUp() override
    {
        StandInTest::SetUp();
        m_strDir = TempDir() + "스텔론 설치 폴더 " + std::to_string(::GetCurrentProcessId());
        ASSERT_EQ(0u, RunSetup());
    }
    void TearDown() override
    {
        // Whatever a test left running ends as an installer would end it.
        ::PostMessageA(HWND_BROADCAST, g_nExitRequest, 0, 0);
        PumpUntil([] { return !MainProgramRuns(); }, 20000);
        if (FileExists(m_strDir)) Uninstall("/S /REMOVESETTINGS");
        StandInTest::TearDown();
    }

    // Runs the installer silently; its exit code, or STILL_ACTIVE when it did not end.
    DWORD RunSetup()
    {
        ChildProcess setup;
        const std::string setupPath = TestProgramDir() + "..\\..\\stel7-setup.exe";
        return setup.Start(setupPath, "/S /D=" + m_strDir) && setup.WaitExit(60000) ? setup.ExitCode() : STILL_ACTIVE;
    }

    // Runs the uninstaller, which goes on from a temporary copy of itself
    // that its original starts and does not wait for; waits for that copy.
    bool Uninstall(const std::string& arguments)
    {
        ChildProcess uninstall;
        return uninstall.Start(m_strDir + "\\uninstall.exe", arguments) && uninstall.WaitExit(20000) &&
               WaitForChildrenOf(uninstall.Id(), 20000);
    }

    std::string m_strDir;
};

TEST_F(InstallerTest, SilentInstallPlacesAndRecordsTheProgramsAndUninstallLeavesNothingButTheSettings)
{
    for (const char* file : {"stel7.exe", "stel7agent.exe", "uninstall.exe"}) {
        EXPECT_TRUE(FileExists(m_strDir + "\\" + file)) << file;
    }
    EXPECT_EQ("194", RegistryText(kRegUpdateKey, "stel7"));
    EXPECT_EQ("194", RegistryText(kRegUpdateKey, "stel7agent"));
    EXPECT_EQ("\"" + m_strDir + "\\stel7agent.exe\"", RegistryText(kRunKey, "stel7agent"));
    EXPECT_EQ("\"" + m_strDir + "\\uninstall.exe\"", RegistryText(kUninstallKey, "UninstallString"));
    EXPECT_TRUE(FileExists(MenuFolder() + "스텔론.lnk"));
    EXPECT_TRUE(FileExists(MenuFolder() + "스텔론 제거.lnk"));

    WriteRegistryString(HKEY_CURRENT_USER, kRegConfigKey, "music", "loop");
    ASSERT_TRUE(Uninstall("/S"));
    EXPECT_FALSE(FileExists(m_strDir));
    EXPECT_FALSE(FileExists(MenuFolder()));
    EXPECT_EQ("", RegistryText(kRunKey, "stel7agent"));
    EXPECT_EQ("", RegistryText(kUninstallKey, "UninstallString"));
    EXPECT_EQ("", RegistryText(kRegUpdateKey, "stel7"));
    EXPECT_EQ("loop", RegistryText(kRegConfigKey, "music"));
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kRegConfigKey);
}

TEST_F(InstallerTest, AgentStartedAsAtLogonStartsTheMainProgram)
{
    WriteRegistryString(HKEY_CURRENT_USER, kRegConfigKey, "run", "true");
    const std::string command = RegistryText(kRunKey, "stel7agent");
    ASSERT_EQ('"', command.front());
    ChildProcess agent;
    ASSERT_TRUE(agent.Start(command.substr(1, command.size() - 2)));
    EXPECT_TRUE(agent.WaitExit(20000));
    EXPECT_TRUE(PumpUntil(&MainProgramRuns, 20000));
}

TEST_F(InstallerTest, UpdateOverARunningCopyEndsItAndStartsItAgain)
{
    ChildProcess running;
    ASSERT_TRUE(running.Start(m_strDir + "\\stel7.exe"));
    ASSERT_TRUE(PumpUntil(&MainProgramRuns, 20000));
    ASSERT_EQ(0u, RunSetup());
    EXPECT_TRUE(running.WaitExit(0));
    EXPECT_TRUE(PumpUntil(&MainProgramRuns, 20000));
    EXPECT_EQ("194", RegistryText(kRegUpdateKey, "stel7"));
}

// An old installer offered again (by an attacker, or by mistake) would roll
// the user back: silent, it refuses with an error level and changes nothing.
TEST_F(InstallerTest, OlderInstallerOverANewerBuildChangesNothing)
{
    WriteRegistryString(HKEY_CURRENT_USER, kRegUpdateKey, "stel7", "195");
    const std::string program = m_strDir + "\\stel7.exe";
    ASSERT_TRUE(::DeleteFileA(program.c_str()));
    EXPECT_NE(0u, RunSetup());
    EXPECT_FALSE(FileExists(program));
    EXPECT_EQ("195", RegistryText(kRegUpdateKey, "stel7"));
}

}  // namespace
