// The real program, run as separate processes: the modal loop's key filter,
// the single-instance rule, and the exit commands.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "res/resource.h"
#include "tests/win/support/StandInTest.h"

namespace {

std::string ProgramPath()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    dir.erase(dir.find_last_of('\\'));  // tests\win
    dir.erase(dir.find_last_of('\\'));  // tests
    dir.erase(dir.find_last_of('\\'));  // the build folder
    return dir + "\\app\\stel7.exe";
}

struct Program {
    PROCESS_INFORMATION pi = {};
    bool Start()
    {
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        std::string command = "\"" + ProgramPath() + "\"";
        return ::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi) != 0;
    }
    bool WaitExit(DWORD ms) { return ::WaitForSingleObject(pi.hProcess, ms) == WAIT_OBJECT_0; }
    ~Program()
    {
        if (pi.hProcess) {
            if (!WaitExit(0)) ::TerminateProcess(pi.hProcess, 1);
            ::CloseHandle(pi.hProcess);
            ::CloseHandle(pi.hThread);
        }
    }
};

struct FoundWindow {
    DWORD processId;
    const char* className;
    HWND hWnd;
};

BOOL CALLBACK MatchWindow(HWND hWnd, LPARAM lParam)
{
    FoundWindow* pFind = reinterpret_cast<FoundWindow*>(lParam);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hWnd, &processId);
    char className[64] = {};
    ::GetClassNameA(hWnd, className, sizeof(className));
    if (processId == pFind->processId && ::IsWindowVisible(hWnd) && std::string(className) == pFind->className) {
        pFind->hWnd = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The first visible top-level dialog of the process, waiting up to ms.
HWND WaitForDialog(DWORD processId, DWORD ms)
{
    const DWORD start = ::GetTickCount();
    do {
        FoundWindow find = {processId, "#32770", nullptr};
        ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&find));
        if (find.hWnd) return find.hWnd;
        ::Sleep(50);
    } while (::GetTickCount() - start < ms);
    return nullptr;
}

std::string WindowText(HWND hWnd)
{
    char text[512] = {};
    ::GetWindowTextA(hWnd, text, sizeof(text));
    return text;
}

// The main window is up once its start-up searches have been asked for.
bool WaitForStartUp(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    do {
        for (const std::string& line : StandIn::Log()) {
            if (line.rfind("GET /search.atom", 0) == 0) return true;
        }
        ::Sleep(50);
    } while (::GetTickCount() - start < ms);
    return false;
}

class ProgramTest : public StandInTest {};

TEST_F(ProgramTest, SecondCopySaysSoAndEndsWithoutTouchingTheFirst)
{
    Program first;
    ASSERT_TRUE(first.Start());
    ASSERT_TRUE(WaitForStartUp(20000));
    const HWND hMain = WaitForDialog(first.pi.dwProcessId, 5000);
    ASSERT_TRUE(hMain != nullptr);
    ASSERT_TRUE(StandIn::ClearLog());

    Program second;
    ASSERT_TRUE(second.Start());
    const HWND hBox = WaitForDialog(second.pi.dwProcessId, 10000);
    ASSERT_TRUE(hBox != nullptr);
    EXPECT_EQ("스텔론", WindowText(hBox));
    HWND hText = ::GetDlgItem(hBox, 0xFFFF);
    ASSERT_TRUE(hText != nullptr);
    EXPECT_EQ("스텔론 현재 실행 중입니다.", WindowText(hText));
    ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(second.WaitExit(10000));

    EXPECT_TRUE(StandIn::Log().empty());
    EXPECT_FALSE(first.WaitExit(0));
    EXPECT_TRUE(::IsWindow(hMain));
    ::PostMessageA(hMain, WM_COMMAND, ID_FILE_EXIT, 0);
    EXPECT_TRUE(first.WaitExit(10000));
}

TEST_F(ProgramTest, EscapeKeepsTheWindowEnterSearchesAndTrayExitEnds)
{
    char tempDir[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, tempDir);
    const std::string copy = std::string(tempDir) + "vod.xml";
    std::ofstream(copy) << "<rss/>";

    Program program;
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(WaitForStartUp(20000));
    const HWND hMain = WaitForDialog(program.pi.dwProcessId, 5000);
    ASSERT_TRUE(hMain != nullptr);
    const HWND hEdit = ::GetDlgItem(hMain, IDC_EDIT_SEARCH);
    ASSERT_TRUE(StandIn::ClearLog());

    ::PostMessageA(hEdit, WM_KEYDOWN, VK_ESCAPE, 0);
    ::Sleep(500);
    EXPECT_TRUE(::IsWindowVisible(hMain));
    EXPECT_FALSE(program.WaitExit(0));

    ::SendMessageA(hEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc"));
    ::PostMessageA(hEdit, WM_KEYDOWN, VK_RETURN, 0);
    const DWORD start = ::GetTickCount();
    std::vector<std::string> log;
    while (::GetTickCount() - start < 10000) {
        log = StandIn::Log();
        if (log.size() >= 3) break;
        ::Sleep(50);
    }
    ASSERT_EQ(3u, log.size());
    EXPECT_EQ("GET /app/stel7/analytics/request/count.php?mode=stel7_search&key=stel7", log[0]);
    EXPECT_EQ("GET /feeds/api/videos?max-results=30&q=abc", log[1]);
    EXPECT_EQ("GET /search.atom?q=abc", log[2]);

    ::PostMessageA(hMain, WM_COMMAND, ID_TRAY_EXIT, 0);
    ASSERT_TRUE(program.WaitExit(10000));
    DWORD exitCode = 1;
    ::GetExitCodeProcess(program.pi.hProcess, &exitCode);
    EXPECT_EQ(0u, exitCode);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(copy.c_str()));
}

}  // namespace
