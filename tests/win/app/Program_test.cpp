// The real program, run as separate processes: the single-instance rule, the
// modal loop's key filter, and the exit command.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "res/resource.h"
#include "tests/win/app/MainWindowHarness.h"
#include "tests/win/support/ChildProcess.h"
#include "tests/win/support/StandInTest.h"

namespace {

// stel7.exe of this build: the test program sits in <build>\tests\win.
bool StartProgram(ChildProcess& program)
{
    return program.Start(TestProgramDir() + "..\\..\\app\\stel7.exe");
}

BOOL CALLBACK MatchDialog(HWND hWnd, LPARAM lParam)
{
    char className[16] = {};
    ::GetClassNameA(hWnd, className, sizeof(className));
    if (!::IsWindowVisible(hWnd) || std::string(className) != "#32770") return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

// The shown dialog of the program's main thread, waiting up to 10 s.
HWND WaitForDialog(const ChildProcess& program)
{
    HWND hFound = nullptr;
    PumpUntil(
        [&] { return !::EnumThreadWindows(program.ThreadId(), &MatchDialog, reinterpret_cast<LPARAM>(&hFound)); },
        10000);
    return hFound;
}

class ProgramTest : public StandInTest {};

TEST_F(ProgramTest, SecondCopySaysSoAndEndsAndTheFirstFiltersKeysAndEndsByItsExitCommand)
{
    char tempDir[MAX_PATH] = {};
    const std::string copy = std::string(tempDir, ::GetTempPathA(MAX_PATH, tempDir)) + "vod.xml";
    std::ofstream(copy) << "<rss/>";

    ChildProcess first;
    ASSERT_TRUE(StartProgram(first));
    // Up once the last start-up step, the pop-up check, went out.
    ASSERT_TRUE(PumpUntil([] { return !StandIn::Log("GET /app/stel7/advert/").empty(); }, 20000));
    const HWND hMain = WaitForDialog(first);
    ASSERT_TRUE(hMain != nullptr);
    ASSERT_TRUE(StandIn::ClearLog());

    ChildProcess second;
    ASSERT_TRUE(StartProgram(second));
    const HWND hBox = WaitForDialog(second);
    ASSERT_TRUE(hBox != nullptr);
    char text[64] = {};
    ::GetDlgItemTextA(hBox, 0xFFFF, text, sizeof(text));
    EXPECT_STREQ("스텔론 현재 실행 중입니다.", text);
    ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(second.WaitExit(10000));
    EXPECT_TRUE(StandIn::Log().empty());

    // Escape must not end the window; Enter searches with the term encoded.
    const HWND hEdit = ::GetDlgItem(hMain, IDC_EDIT_SEARCH);
    ::PostMessageA(hEdit, WM_KEYDOWN, VK_ESCAPE, 0);
    ::SendMessageA(hEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("R&B 발라드"));
    ::PostMessageA(hEdit, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(PumpUntil([] { return StandIn::Log().size() >= 3; }, 10000));
    EXPECT_EQ((std::vector<std::string>{"GET /app/stel7/analytics/request/count.php?mode=stel7_search&key=stel7",
                                        "GET /feeds/api/videos?max-results=30&q=R%26B%20%EB%B0%9C%EB%9D%BC%EB%93%9C",
                                        "GET /search.atom?q=R%26B%20%EB%B0%9C%EB%9D%BC%EB%93%9C"}),
              StandIn::Log());
    EXPECT_TRUE(::IsWindowVisible(hMain));

    ::PostMessageA(hMain, WM_COMMAND, ID_TRAY_EXIT, 0);
    ASSERT_TRUE(first.WaitExit(10000));
    EXPECT_EQ(0u, first.ExitCode());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(copy.c_str()));
}

}  // namespace
